#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own Wine session: its Xvfb
# display and its prefix (QUILLON_WINE_DPI=144 picks the 144-DPI one, QUILLON_WINE_MESSAGE_FONT=9
# the 96-DPI one with the 9-pt message font). Without a running
# session it starts one for this program alone and stops it afterwards.
set -uo pipefail

program=${1:?usage: wine-run.sh PROGRAM [ARGS...]}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The build folder is the nearest one above the program that holds a CMakeCache.txt.
build_dir=$(cd "$(dirname "$program")" && pwd)
while [[ ! -f $build_dir/CMakeCache.txt && $build_dir != / ]]; do
    build_dir=$(dirname "$build_dir")
done
state_dir=$build_dir/wine
session_env=$state_dir/session.env

own_session=false
session_alive() {
    [[ -f $session_env ]] && kill -0 "$(sed -n 's/^XVFB_PID=//p' "$session_env")" 2>/dev/null
}
if ! session_alive; then
    bash "$here/../scripts/wine-session.sh" start "$state_dir" >&2 || exit 1
    own_session=true
fi

set -a
# shellcheck disable=SC1090
source "$session_env"
set +a
if [[ ${QUILLON_WINE_DPI:-96} == 144 ]]; then
    export WINEPREFIX=$QUILLON_PREFIX_144
elif [[ ${QUILLON_WINE_MESSAGE_FONT:-8} == 9 ]]; then
    export WINEPREFIX=$QUILLON_PREFIX_96_9PT
else
    export WINEPREFIX=$QUILLON_PREFIX_96
fi
# The program is built for Chinese (PRC): its list search goes through code page 936.
# QUILLON_WINE_LANG picks another locale, e.g. a Western one for code page 1252.
wine_locale=${QUILLON_WINE_LANG:-zh_CN.UTF-8}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

LANG=$wine_locale LC_ALL=$wine_locale "${QUILLON_WINE:-/usr/lib/wine/wine64}" "$@"
status=$?

if $own_session; then
    bash "$here/../scripts/wine-session.sh" stop "$state_dir" >&2
fi
exit $status
