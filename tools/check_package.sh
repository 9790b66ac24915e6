#!/usr/bin/env bash
# Checks a built .deb: every file the program needs is in it, and it unpacks into a scratch
# root where the program finds its installed data. Fails (exit 1) naming what is missing.
#   tools/check_package.sh build-deb/vantrel_2.0.0_amd64.deb
set -euo pipefail
deb=$1
expected=(
    ./usr/bin/vantrel
    ./usr/share/applications/vantrel.desktop
    ./usr/share/icons/hicolor/16x16/apps/vantrel.png
    ./usr/share/icons/hicolor/32x32/apps/vantrel.png
    ./usr/share/icons/hicolor/48x48/apps/vantrel.png
    ./usr/share/icons/hicolor/64x64/apps/vantrel.png
    ./usr/share/icons/hicolor/128x128/apps/vantrel.png
    ./usr/share/icons/hicolor/256x256/apps/vantrel.png
    ./usr/share/icons/hicolor/scalable/apps/vantrel.svg
    ./usr/share/vantrel/demo/gymkhana_demo.txt
    ./usr/lib/vantrel/libSonvale.so
    ./usr/lib/udev/rules.d/60-vantrel.rules
    ./usr/lib/modules-load.d/vantrel.conf
    ./etc/security/limits.d/95-vantrel-rtprio.conf
    ./usr/share/doc/vantrel/README.md
    ./usr/share/doc/vantrel/hardware.md
    ./usr/share/doc/vantrel/simulation.md
)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
missing=0
for file in "${expected[@]}"; do
    if ! grep -qxF "$file" <<<"$listing"; then
        echo "missing from $deb: $file" >&2
        missing=1
    fi
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libc6 libjemalloc2 fonts-ipafont-gothic; do
    if ! grep -q "$lib" <<<"$depends"; then
        echo "$deb does not depend on $lib (Depends: $depends)" >&2
        missing=1
    fi
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
if ! grep -q '^Exec=vantrel$' "$root/usr/share/applications/vantrel.desktop"; then
    echo "the menu entry does not start vantrel" >&2
    missing=1
fi
if [ ! -x "$root/usr/bin/vantrel" ]; then
    echo "usr/bin/vantrel is not executable" >&2
    missing=1
fi
exit $missing
