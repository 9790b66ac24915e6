#!/usr/bin/env bash
# Sets up a Debian machine for Vantrel, builds it, then runs the program or the tests.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, build, run the whole test suite
#   ./build.sh build  install what is missing and build only
#   ./build.sh package  install what is missing, build the Debian package (in build-deb/)
#                     and check its contents
# BUILD_DIR (default: build) and BUILD_TYPE (default: RelWithDebInfo) may be set.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-serialport-dev libgl-dev
    qt6-l10n-tools qt6-tools-dev  # lupdate and lrelease, for the English texts
    libasound2-dev libftdi1-dev libxlsxwriter-dev libjemalloc-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-ipafont-gothic qt6-translations-l10n
    xvfb xauth imagemagick
    dpkg-dev  # dpkg-shlibdeps, for the package's dependencies
)
# What only the tests run: `./build.sh test` installs these as well.
TEST_PACKAGES=(
    libreoffice-calc-nogui  # the exported workbook opened in a real spreadsheet
    chromium-headless-shell  # the live pages' browser test
    poppler-utils unzip  # the printed PDF's text, the workbook's parts
    socat  # serial port pairs
)
BUILD_DIR=${BUILD_DIR:-build}
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}

# One compiler cache for every build folder of this checkout (the test build and the package
# build of CI among them): paths under the checkout are hashed relative to it, and the build
# folder's own name is left out of the hash.
export CCACHE_DIR=${CCACHE_DIR:-${HOME:-..}/.cache/ccache}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

# The compiler launcher options for cmake, when ccache is there.
compiler_launcher() {
    if command -v ccache >/dev/null; then
        echo -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    fi
}

# Builds a configured folder and says how much the compiler cache gave.
build_folder() {
    local cached=false
    if command -v ccache >/dev/null; then
        cached=true
        ccache --zero-stats >/dev/null
    fi
    cmake --build "$1"
    if $cached; then
        ccache --show-stats | grep -E '^(Cacheable calls|  Hits|  Misses)' || true
    fi
}

# Installs the packages given that are not installed yet.
install_missing() {
    local missing=()
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        # shellcheck disable=SC2046  # the launcher options are separate words
        cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" $(compiler_launcher)
    fi
    build_folder "$BUILD_DIR"
}

run_program() {
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
        cat >&2 <<MSG
There is no display to open the Vantrel window on (DISPLAY and WAYLAND_DISPLAY are unset).
The program is built: $BUILD_DIR/vantrel
Start it from a desktop session, or on a machine without a screen run it in a virtual one:
    xvfb-run -a -s "-screen 0 1280x1024x24" $BUILD_DIR/vantrel
MSG
        exit 2
    fi
    exec "$BUILD_DIR/vantrel" "$@"
}

# A build of its own, installed under /usr, without tests; the .deb lands in build-deb/.
make_package() {
    local dir=${PACKAGE_DIR:-build-deb}
    # shellcheck disable=SC2046  # the launcher options are separate words
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" -DCMAKE_INSTALL_PREFIX=/usr \
        -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF $(compiler_launcher)
    build_folder "$dir"
    (cd "$dir" && cpack -G DEB)
    local deb
    deb=$(ls -t "$dir"/vantrel_*.deb | head -1)
    tools/check_package.sh "$deb"
    echo "Package: $deb"
}

run_tests() {
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
}

verb=${1:-}
shift || true
case "$verb" in
    run) install_missing "${PACKAGES[@]}"; build; run_program "$@" ;;
    test) install_missing "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"; build; run_tests ;;
    build) install_missing "${PACKAGES[@]}"; build ;;
    package) install_missing "${PACKAGES[@]}"; make_package ;;
    *) echo "usage: $0 run|test|build|package" >&2; exit 2 ;;
esac
