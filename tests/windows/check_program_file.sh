#!/usr/bin/env bash
# Checks quillon.exe as shipped: a stripped 64-bit GUI program of at most 256 KiB that imports
# only from Windows' own DLLs, with ASLR (high entropy) and NX; its icon group of four images,
# its version information and its manifest; and built the same way anywhere, at any time: no
# time stamp and no folder of the build inside. Prints its SHA-256 to compare.
set -uo pipefail
exe=${1:?usage: check_program_file.sh quillon.exe}
failures=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" && failures=$((failures + 1)); fi
}
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
resources=$(wrestool -l "$exe")
version=$(wrestool -x --type=16 --raw "$exe" | od -An -tx1 -v | tr -d ' \n')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wrestool -x --type=14 -o "$work/quillon.ico" "$exe"
icons=$(icotool -l "$work/quillon.ico" 2>/dev/null)
texts=$(x86_64-w64-mingw32-strings -a "$exe"; x86_64-w64-mingw32-strings -a -el "$exe")
header=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
hex() { printf '%s' "$1" | iconv -t UTF-16LE | od -An -tx1 -v | tr -d ' \n'; }

check "at most 256 KiB" '(( $(stat -c %s "$exe") <= 262144 ))'
check "64-bit GUI program" 'grep -q "^Magic.*020b" <<<"$headers" && grep -qE "^Subsystem\s+00000002" <<<"$headers"'
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do check "$flag" 'grep -qE "^\s+$flag\$" <<<"$headers"'; done
check "stripped" 'x86_64-w64-mingw32-objdump -t "$exe" | grep -q "no symbols"'
check "imports only from Windows' own DLLs" '! sed -n "s/^\s*DLL Name: //p" <<<"$headers" | tr a-z A-Z |
    grep -vqE "^(KERNEL32|USER32|GDI32|COMCTL32|MSVCRT|API-MS-WIN-CRT-.*)\.DLL$"'
check "one icon group of four images" '[[ $(grep -c -- "--type=14 " <<<"$resources") == 1 &&
    $(grep -c -- "--type=3 " <<<"$resources") == 4 ]]'
for image in 16x8 16x24 32x8 32x24; do
    check "icon image $image" 'grep -q -- "--width=${image%x*} --height=${image%x*} --bit-depth=${image#*x}" <<<"$icons"'
done
check "version information in Chinese (PRC)" 'grep -q -- "--type=16 --name=1 --language=2052" <<<"$resources"'
check "string table 080404B0" '[[ $version == *$(hex 080404B0)* ]]'
# Each value right after its own name: the name's terminating NUL, padding to 32 bits, the value
# and its NUL.
for pair in CompanyName=Harlan "FileDescription=Quillon AMX Mod X quick reference" FileVersion=1.00.0001 \
    InternalName=quillon OriginalFilename=quillon.exe ProductName=Quillon ProductVersion=1.00.0001; do
    check "version text ${pair%%=*} is \"${pair#*=}\"" '[[ $version =~ $(hex "${pair%%=*}")0000(0000)?$(hex "${pair#*=}")0000 ]]'
done
# FILEVERSION and PRODUCTVERSION 1,0,0,1 in the fixed block, after its signature 0xFEEF04BD.
check "file and product version 1,0,0,1" '[[ $version == *bd04effe0000010000000100010000000000010001000000* ]]'
for text in Microsoft.Windows.Common-Controls 'version="6.0.0.0"' PerMonitorV2 'level="asInvoker"' \
    35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
    1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    check "manifest has $text" 'wrestool -x --type=24 --raw "$exe" | grep -qF -- "$text"'
done
check "header time stamp 0" '[[ $(od -An -tu4 -j$((header + 8)) -N4 "$exe" | tr -d " ") == 0 ]]'
for folder in "$(cd "$(dirname "$0")/../.." && pwd)" "$(cd "$(dirname "$exe")" && pwd)"; do
    check "no $folder inside" '! grep -qF -- "$folder" <<<"$texts"'
done
sha256sum "$exe" | sed 's/^/SHA-256: /'
echo "$failures failures"
(( failures == 0 ))
