#!/usr/bin/env bash
# clang-format, clang-tidy and cppcheck over the project's own code; fails on any finding.
# Needs build/native/compile_commands.json (the native preset writes it).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
ensure_packages clang-format clang-tidy cppcheck g++-mingw-w64-x86-64-posix

# The project's own files, from a clone or an unpacked archive alike: no build output.
sources_under() {
    find "$@" -path ./build -prune -o -path ./.git -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print |
        sed 's|^\./||' | sort
}

sources=$(sources_under .)
echo "clang-format $(clang-format --version | grep -o -E '[0-9]+\.[0-9.]+' | head -n 1): $(echo "$sources" | wc -l) files"
clang-format --dry-run --Werror $sources

# Counts of warnings in system headers, and clang-tidy 19's progress lines.
quiet() { grep -v -E "^[0-9]+ warnings generated|^\[[0-9]+/[0-9]+\] Processing file" || true; }

# The platform-free code, as the native build compiles it.
tidy_sources=$(sources_under catalogue ui | grep -E '\.cpp$' | grep -v '^ui/win32/')
echo "clang-tidy: $(echo "$tidy_sources" | wc -l) platform-free files"
clang-tidy -p build/native --quiet $tidy_sources 2>&1 | quiet

# The Win32 window and the entry point, against MinGW-w64's Windows headers and library.
mingw_gcc=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix | sort -V | tail -n 1)
win32_sources=$(sources_under ui/win32 app tools | grep -E '\.cpp$')
echo "clang-tidy: $(echo "$win32_sources" | wc -l) Win32 files"
clang-tidy --quiet $win32_sources -- --target=x86_64-w64-mingw32 -std=c++20 -DUNICODE -D_UNICODE \
    -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -nostdinc++ -isystem "$mingw_gcc/include/c++" \
    -isystem "$mingw_gcc/include/c++/x86_64-w64-mingw32" -isystem /usr/x86_64-w64-mingw32/include \
    -Icatalogue -Iui -Iui/win32 2>&1 | quiet

# From 2.11 on, cppcheck stops following a function's branches early unless told otherwise, and
# reports that as a finding; 2.10 follows them all.
depth=()
if cppcheck --help | grep -q -e '--check-level'; then
    depth=(--check-level=exhaustive)
fi
echo "cppcheck $(cppcheck --version | cut -d ' ' -f 2)"
cppcheck "${depth[@]}" --std=c++20 --language=c++ --enable=warning,performance,portability --error-exitcode=1 --quiet \
    -I catalogue -I ui -I ui/win32 -I tests/support catalogue ui app tools tests/support
echo "static analysis: no findings"
