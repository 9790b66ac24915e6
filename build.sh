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
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev libgl-dev
    libasound2-dev libftdi1-dev libxlsxwriter-dev libjemalloc-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-ipafont-gothic qt6-translations-l10n
    xvfb xauth imagemagick poppler-utils unzip socat
    chromium-headless-shell  # the live pages' browser test
    dpkg-dev  # dpkg-shlibdeps, for the package's dependencies
)
BUILD_DIR=${BUILD_DIR:-build}
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}

install_missing() {
    local missing=()
    for pkg in "${PACKAGES[@]}"; do
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
        cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE"
    fi
    cmake --build "$BUILD_DIR"
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
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" -DCMAKE_INSTALL_PREFIX=/usr \
        -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF "${launcher[@]}"
    cmake --build "$dir"
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
    run) install_missing; build; run_program "$@" ;;
    test) install_missing; build; run_tests ;;
    build) install_missing; build ;;
    package) install_missing; make_package ;;
    *) echo "usage: $0 run|test|build|package" >&2; exit 2 ;;
esac
