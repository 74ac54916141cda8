#!/usr/bin/env bash
# Renders each layout and the image list into PNG files under a virtual X server, for
# looking at them. Usage: tools/screenshot.sh [folder] (default: screenshots/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}
./tools/install-deps.sh
cmake -S . -B build -DBAUDRILL_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)" --target baudrill_layout_screenshots
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1600x1200x24" \
    env QT_QPA_PLATFORM=xcb build/bin/baudrill_layout_screenshots "$out"
