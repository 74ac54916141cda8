#!/usr/bin/env bash
# Installs what is missing, builds Baudrill in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBAUDRILL_TESTS=OFF -DBAUDRILL_BENCH=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
program=build-release/bin/baudrill
if [ ! -x "$program" ]; then
    echo "Built the libraries; the program baudrill does not exist yet."
    exit 0
fi
exec "$program"
