#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Works as root or through sudo; safe to run again.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev libasound2-dev)
PACKAGES+=(qt6-translations-l10n)  # Qt's own dialogs in the six languages
PACKAGES+=("$@")  # what a caller needs besides (scripts/package.sh: dpkg-dev)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    SUDO=()
elif command -v sudo >/dev/null; then
    SUDO=(sudo)
else
    echo "setup: missing packages (${missing[*]}) and neither root nor sudo" >&2
    exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
