#!/usr/bin/env bash
# Builds quillon.exe and its tests with MinGW-w64 and runs every Windows test under Wine, on
# a private Xvfb display and Wine prefixes under the build folder, then the start-up
# benchmark and the glance table of what the description box shows of each row. Exits
# non-zero when a test fails. Needs no display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
ensure_packages cmake make python3 googletest g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    wine64 fonts-wine xvfb xdotool fonts-wqy-microhei imagemagick icoutils

build=build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows

state=$build/wine
stop_session() { bash scripts/wine-session.sh stop "$state"; }
trap stop_session EXIT
bash scripts/wine-session.sh start "$state"

status=0
ctest --preset windows --timeout 120 || status=$?

if (( status == 0 )); then
    echo "test-windows: quillon.exe $(grep -m 1 '^SHA-256: ' "$build/Testing/Temporary/LastTest.log" | cut -d ' ' -f 1-2)"
    echo "test-windows: screenshot in $(pwd)/$build/quillon-screenshot.png"
    echo "test-windows: start-up benchmark (not a test)"
    QUILLON_EXE=$(pwd)/$build/quillon.exe \
    QUILLON_FLOOR_B=$(pwd)/$build/bench/windows/quillon_floor_controls.exe \
    QUILLON_FLOOR_C=$(pwd)/$build/bench/windows/quillon_floor_plain.exe \
        cmake/wine-run.sh "$build/bench/windows/quillon_startup_benchmark.exe" 11 | tee "$build/startup-benchmark.txt"
    echo "test-windows: what each row shows without scrolling, at Wine's 8-pt and Windows' 9-pt message font (not a test)"
    glance_8pt=$(cmake/wine-run.sh "$build/tools/quillon_glance.exe" "Z:$(pwd)/$build/glance.tsv")
    glance_9pt=$(QUILLON_WINE_MESSAGE_FONT=9 cmake/wine-run.sh "$build/tools/quillon_glance.exe" \
        "Z:$(pwd)/$build/glance-9pt.tsv")
    printf '8 pt: %s\n9 pt: %s\n' "$glance_8pt" "$glance_9pt" | tee "$build/glance.txt"
fi
exit $status
