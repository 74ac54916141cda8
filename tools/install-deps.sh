#!/usr/bin/env bash
# Installs the Debian packages Baudrill builds and tests with, only those that are missing.
set -euo pipefail
packages=(
    cmake make g++ pkg-config
    libasan8 libubsan1 libtsan2
    clang-14 libclang-rt-14-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-dejavu-core locales
    xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
