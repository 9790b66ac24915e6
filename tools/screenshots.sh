#!/usr/bin/env bash
# Renders the program's windows under a virtual X server into PNG files (default: screenshots/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}
BUILD_DIR=${BUILD_DIR:-build}
cmake --build "$BUILD_DIR" --target vantrel_screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD_DIR/tools/vantrel_screenshots" "$out"
ls -1 "$out"/*.png
