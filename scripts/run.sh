#!/usr/bin/env bash
# Builds quillon.exe and opens its window under Wine: on the desktop's display when there is
# one; otherwise on a virtual display, where it saves a screenshot, says where, and stops
# everything it started.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
ensure_packages cmake make python3 googletest g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 wine64 fonts-wine xvfb xdotool fonts-wqy-microhei imagemagick

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
# A cold prefix builds its font caches first, which on a busy machine takes a while.
if ! window=$(DISPLAY=$display timeout 120 xdotool search --sync --onlyvisible --name '^Quillon--\[Harlan\]$' |
    head -n 1) || [[ -z $window ]]; then
    echo "run.sh: Quillon's window did not appear on $display within 120 s" >&2
    exit 1
fi
# Mapped is not yet painted: the picture is taken once two looks at the window agree.
shot=$(pwd)/$build/quillon-window.png
previous=
for _ in $(seq 50); do
    current=$(DISPLAY=$display import -window "$window" rgb:- | sha256sum)
    [[ $current == "$previous" ]] && break
    previous=$current
    sleep 0.2
done
DISPLAY=$display import -window root "$shot"
kill "$program" 2>/dev/null || true
echo "No display here: Quillon ran on the virtual display $display; screenshot saved as $shot"
