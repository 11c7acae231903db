#!/usr/bin/env bash
# Builds quillon.exe and opens its window under Wine: on the desktop's display when there is
# one; otherwise on a virtual display, where it saves a screenshot, says where, and stops
# everything it started.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
ensure_packages cmake python3 googletest g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 wine64 fonts-wine xvfb fonts-wqy-microhei imagemagick

build=build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows --target quillon
exe=$(pwd)/$build/quillon.exe

if [[ -n ${DISPLAY:-} ]]; then
    # The desktop's own display, in the build's 96-DPI prefix (made on first use).
    state=$build/wine
    if [[ ! -f $state/prefix-96/.quillon-ready ]]; then
        bash scripts/wine-session.sh start "$state" >/dev/null
        bash scripts/wine-session.sh stop "$state"
    fi
    WINEPREFIX=$(pwd)/$state/prefix-96 WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" /usr/lib/wine/wine64 "$exe"
    exit 0
fi

state=$build/wine
trap 'bash scripts/wine-session.sh stop "$state"' EXIT
bash scripts/wine-session.sh start "$state" >/dev/null
display=$(sed -n 's/^DISPLAY=//p' "$state/session.env")
cmake/wine-run.sh "$exe" &
program=$!
for _ in $(seq 100); do
    DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q 'Quillon--\[Harlan\]' && break
    sleep 0.1
done
sleep 1
shot=$(pwd)/$build/quillon-window.png
DISPLAY=$display import -window root "$shot"
kill "$program" 2>/dev/null || true
echo "No display here: Quillon ran on the virtual display $display; screenshot saved as $shot"
