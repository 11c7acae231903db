#!/usr/bin/env bash
# Checks quillon.exe as shipped: a stripped 64-bit GUI program of at most 256 KiB that imports
# only from Windows' own DLLs, with ASLR (high entropy) and NX, and carries its icon group
# of four images, its version information and its manifest. Built the same way anywhere, at
# any time: no time stamp, no folder of the build inside; its SHA-256 is printed to compare.
set -uo pipefail
exe=${1:?usage: check_program_file.sh quillon.exe}
objdump=x86_64-w64-mingw32-objdump
strings=x86_64-w64-mingw32-strings
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

size=$(stat -c %s "$exe")
(( size <= 262144 )) && pass "size $size bytes ($(( (size + 1023) / 1024 )) KiB) <= 256 KiB" || fail "size $size bytes > 256 KiB"

headers=$($objdump -p "$exe")
grep -q '^Magic.*020b' <<<"$headers" && pass "PE32+ (64-bit)" || fail "not a 64-bit program"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" && pass "GUI subsystem" || fail "not a GUI program"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -qE "^[[:space:]]+$flag\$" <<<"$headers" && pass "$flag" || fail "no $flag"
done
$objdump -t "$exe" | grep -q 'no symbols' && pass "stripped" || fail "symbols left in"

pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$exe" | tr -d ' ')
[[ $stamp == 0 ]] && pass "header time stamp 0" || fail "header time stamp $stamp"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$(dirname "$exe")" && pwd)
texts=$($strings -a "$exe"; $strings -a -el "$exe")
for folder in "$source_dir" "$build_dir"; do
    grep -qF -- "$folder" <<<"$texts" && fail "$folder inside" || pass "no $folder inside"
done

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:lower:]' '[:upper:]' | sort -u)
for dll in $imports; do
    case $dll in
    KERNEL32.DLL | USER32.DLL | GDI32.DLL | COMCTL32.DLL | MSVCRT.DLL | API-MS-WIN-CRT-*.DLL) ;;
    *) fail "imports $dll" ;;
    esac
done
[[ -n $imports ]] && pass "imports only $(echo $imports)"

resources=$(wrestool -l "$exe")
echo "$resources" | sed 's/^/  /'
groups=$(grep -c -- '--type=14 ' <<<"$resources")
icons=$(grep -c -- '--type=3 ' <<<"$resources")
(( groups == 1 )) && pass "one icon group" || fail "$groups icon groups"
(( icons == 4 )) && pass "four icon images" || fail "$icons icon images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wrestool -x --type=14 -o "$work/quillon.ico" "$exe"
listing=$(icotool -l "$work/quillon.ico" 2>/dev/null)
for image in "--width=16 --height=16 --bit-depth=8" "--width=16 --height=16 --bit-depth=24" \
             "--width=32 --height=32 --bit-depth=8" "--width=32 --height=32 --bit-depth=24"; do
    grep -q -- "$image" <<<"$listing" && pass "icon image $image" || fail "no icon image $image"
done

grep -q -- '--type=16 --name=1 --language=2052' <<<"$resources" && pass "version information in 2052" ||
    fail "no version information in language 2052"
version=$(wrestool -x --type=16 --raw "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -d '\0' | tr -c '[:print:]' '\n')
for text in 080404B0 "FileVersion" "1.00.0001" "ProductVersion"; do
    grep -q -- "$text" <<<"$version" && pass "version text $text" || fail "version text $text missing"
done
# FILEVERSION and PRODUCTVERSION 1,0,0,1 in the fixed block: after the signature 0xFEEF04BD.
fixed=$(wrestool -x --type=16 --raw "$exe" | od -An -tx1 -v | tr -d ' \n')
grep -q 'bd04effe00000100000001000100000000000100'"01000000" <<<"$fixed" &&
    pass "file and product version 1,0,0,1" || fail "fixed version is not 1,0,0,1"

manifest=$(wrestool -x --type=24 --raw "$exe")
for text in 'Microsoft.Windows.Common-Controls' 'version="6.0.0.0"' 'PerMonitorV2' 'level="asInvoker"' \
            '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' \
            '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF -- "$text" <<<"$manifest" && pass "manifest has $text" || fail "manifest lacks $text"
done

sha256sum "$exe" | sed 's/^/SHA-256: /'
echo "$failures failures"
(( failures == 0 ))
