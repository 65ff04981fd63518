#!/usr/bin/env bash
# Sets everything up, builds with the sanitizer preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset test
cmake --build --preset test
ctest --preset test
