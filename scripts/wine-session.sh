#!/usr/bin/env bash
# A private Wine session for one build folder: an Xvfb display and three Wine prefixes, each
# with one persistent wineserver: 96 and 144 DPI with Wine's own 8-pt message font, and 96 DPI
# with the 9-pt message font of Windows 10 and 11, where rows wrap as most users see them.
#
#   wine-session.sh start STATE_DIR   start (creating the prefixes on first use)
#   wine-session.sh stop STATE_DIR    stop every process the session started, by process id
#
# STATE_DIR/session.env holds what a program run needs: DISPLAY and the prefixes.
set -euo pipefail

WINE_BIN=${QUILLON_WINE:-/usr/lib/wine/wine64}
WINESERVER_BIN=${QUILLON_WINESERVER:-/usr/lib/wine/wineserver}
MARLETT=/usr/share/wine/fonts/marlett.ttf

action=${1:?usage: wine-session.sh start|stop STATE_DIR}
state_dir=${2:?usage: wine-session.sh start|stop STATE_DIR}
mkdir -p "$state_dir"
state_dir=$(cd "$state_dir" && pwd)
session_env=$state_dir/session.env

prefixes=("$state_dir/prefix-96" "$state_dir/prefix-144" "$state_dir/prefix-96-9pt")

# Gecko and Mono would ask to be downloaded, and the menu builder writes desktop entries.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Processes whose environment names one of our prefixes (or one of those given): the
# wineserver and every Wine process of this session, and nothing else on the machine.
session_pids() {
    local wanted=("$@")
    (( ${#wanted[@]} > 0 )) || wanted=("${prefixes[@]}")
    local pid prefix
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [[ $pid == "$$" ]] && continue
        for prefix in "${wanted[@]}"; do
            if { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
                echo "$pid"
                break
            fi
        done
    done
}

# A LOGFONTW as regedit writes it: lfHeight (px at 96 DPI), four more LONGs with the weight
# 400, the eight BYTEs (default charset and quality), then the face in 32 UTF-16 units.
logfont_hex() {
    local height=$1 face=$2
    {
        printf '%08x' $(( height & 0xffffffff )) | sed -E 's/(..)(..)(..)(..)/\4\3\2\1/'
        printf '000000000000000000000000''90010000''0000000100000000'
        local i code
        for (( i = 0; i < 32; ++i )); do
            code=0
            (( i < ${#face} )) && code=$(printf '%d' "'${face:i:1}")
            printf '%02x%02x' $(( code & 0xff )) $(( code >> 8 ))
        done
    } | sed -E 's/(..)/\1,/g; s/,$//'
}

registry_file() {
    local dpi=$1 message_points=$2
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local face
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "SimSun" "Microsoft YaHei"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' "$dpi"
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
    # Wine's default is 8 pt (11 px), the size of Windows XP; Windows 10 and 11 use 9 pt.
    if [[ $message_points == 9 ]]; then
        printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"MessageFont"=hex:%s\r\n' \
            "$(logfont_hex -12 "WenQuanYi Micro Hei")"
    fi
}

prepare_prefix() {
    local prefix=$1 dpi=$2 message_points=$3
    mkdir -p "$prefix"
    WINEPREFIX=$prefix "$WINESERVER_BIN" -p
    if [[ ! -f $prefix/.quillon-ready ]]; then
        WINEPREFIX=$prefix "$WINE_BIN" wineboot -i >/dev/null 2>&1
        registry_file "$dpi" "$message_points" > "$prefix/quillon.reg"
        WINEPREFIX=$prefix "$WINE_BIN" regedit /S "Z:${prefix//\//\\}\\quillon.reg" >/dev/null 2>&1
        touch "$prefix/.quillon-ready"
        # Wine 10's server keeps the monitors' DPI it was told when the prefix was made, before
        # LogPixels was written: at 96 DPI the monitor would disagree with the system's 144.
        # A new server reads them from the finished prefix.
        end_processes "$prefix"
        WINEPREFIX=$prefix "$WINESERVER_BIN" -p
    fi
    # Title-bar buttons draw their symbols in Marlett. Wine finds its own copy only in the
    # prefix's font folder; anywhere else the face is replaced and the buttons show letters.
    cp -u "$MARLETT" "$prefix/drive_c/windows/Fonts/"
    # Starts the prefix's services and desktop now, with no output of ours held open: started
    # later by a test program, they would keep its output pipe open long after it ended.
    WINEPREFIX=$prefix "$WINE_BIN" wineboot </dev/null >/dev/null 2>&1
}

start() {
    if [[ -f $session_env ]]; then
        stop
    fi
    local display_file=$state_dir/display
    rm -f "$display_file"
    # Xvfb picks a free display itself and writes its number to the descriptor.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >"$state_dir/xvfb.log" 2>&1 &
    local xvfb_pid=$!
    local tries=0
    while [[ ! -s $display_file ]]; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || (( ++tries > 100 )); then
            echo "wine-session: Xvfb did not start" >&2
            cat "$state_dir/xvfb.log" >&2
            exit 1
        fi
        sleep 0.1
    done
    export DISPLAY=:$(tr -d '\n' < "$display_file")
    {
        echo "DISPLAY=$DISPLAY"
        echo "XVFB_PID=$xvfb_pid"
        echo "QUILLON_PREFIX_96=${prefixes[0]}"
        echo "QUILLON_PREFIX_144=${prefixes[1]}"
        echo "QUILLON_PREFIX_96_9PT=${prefixes[2]}"
    } > "$session_env"
    prepare_prefix "${prefixes[0]}" 96 8 &
    local first=$!
    prepare_prefix "${prefixes[1]}" 144 8 &
    local second=$!
    prepare_prefix "${prefixes[2]}" 96 9
    wait "$first" "$second"
    echo "wine-session: display $DISPLAY, prefixes in $state_dir"
}

# Ends the processes of the given prefixes, or of the whole session, by process id.
end_processes() {
    local pids
    pids=$(session_pids "$@")
    if [[ -n $pids ]]; then
        kill $pids 2>/dev/null || true
        local tries=0
        while [[ -n $(session_pids "$@") ]] && (( ++tries < 50 )); do sleep 0.1; done
        pids=$(session_pids "$@")
        [[ -z $pids ]] || kill -KILL $pids 2>/dev/null || true
    fi
}

stop() {
    local xvfb_pid=
    if [[ -f $session_env ]]; then
        xvfb_pid=$(sed -n 's/^XVFB_PID=//p' "$session_env")
    fi
    end_processes
    if [[ -n $xvfb_pid ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
    rm -f "$session_env"
}

case $action in
start) start ;;
stop) stop ;;
*) echo "usage: wine-session.sh start|stop STATE_DIR" >&2; exit 2 ;;
esac
