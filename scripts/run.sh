#!/usr/bin/env bash
# Sets everything up, builds the release preset and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release
cmake --build --preset release
if [[ -x build/release/bin/quorvel ]]; then
    exec build/release/bin/quorvel "$@"
fi
exec build/release/bin/quorvel-cli perft 9
