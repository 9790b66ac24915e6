#!/usr/bin/env bash
# Renders the program's windows under a virtual X server into PNG files (default: screenshots/):
# as they open (the about box also at 200 % scaling, in 200/), and (in filled/) as the layout tests fill them with the widest texts in use,
# which the tests also check on this display. The layout tests render both languages (English
# in filled/en/); with VANTREL_SCREENSHOT_LANGUAGE=en the windows as they open are rendered in
# English too, into en/ (and 200/en/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}
BUILD_DIR=${BUILD_DIR:-build}
screen=(-s "-screen 0 1280x1024x24")
cmake --build "$BUILD_DIR" --target vantrel_screenshots test_app_ui vantrel_record_window_tests \
    test_dialogs_ui test_app_health
VANTREL_SCREENSHOT_LANGUAGE= xvfb-run -a "${screen[@]}" "$BUILD_DIR/tools/vantrel_screenshots" "$out"
VANTREL_SCREENSHOT_LANGUAGE= QT_SCALE_FACTOR=2 xvfb-run -a "${screen[@]}" \
    "$BUILD_DIR/tools/vantrel_screenshots" "$out/200" about
if [ "${VANTREL_SCREENSHOT_LANGUAGE:-}" = en ]; then
    VANTREL_SCREENSHOT_LANGUAGE=en xvfb-run -a "${screen[@]}" "$BUILD_DIR/tools/vantrel_screenshots" \
        "$out"
    VANTREL_SCREENSHOT_LANGUAGE=en QT_SCALE_FACTOR=2 xvfb-run -a "${screen[@]}" \
        "$BUILD_DIR/tools/vantrel_screenshots" "$out/200" about
fi
mkdir -p "$out/filled"
export QT_QPA_PLATFORM=xcb VANTREL_SCREENSHOT_DIR="$out/filled"
xvfb-run -a "${screen[@]}" "$BUILD_DIR/tests/app/test_app_ui" --gtest_filter='*MainWindowLayout*'
xvfb-run -a "${screen[@]}" "$BUILD_DIR/tests/reports/vantrel_record_window_tests" \
    --gtest_filter='*EveryPageFits*'
xvfb-run -a "${screen[@]}" "$BUILD_DIR/tests/dialogs/test_dialogs_ui" \
    --gtest_filter='*ControlsDoNotOverlap*'
xvfb-run -a "${screen[@]}" "$BUILD_DIR/tests/app/test_app_health" \
    --gtest_filter='*FitAtSmallAndLargeSizes*'
xvfb-run -a "${screen[@]}" "$BUILD_DIR/tests/app/test_app_ui" --gtest_filter='*FlagReviewLayout*'
find "$out" -name '*.png' | sort
