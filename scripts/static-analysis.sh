#!/usr/bin/env bash
# clang-format, clang-tidy and cppcheck over the project's own code; fails on any finding.
# Needs build/native/compile_commands.json (the native preset writes it).
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
echo "clang-format: $(echo "$sources" | wc -l) files"
clang-format --dry-run --Werror $sources

# The platform-free code, as built natively; the Win32 files are checked by the MinGW build's
# warnings-as-errors instead, since clang-tidy here has no Windows headers.
tidy_sources=$(git ls-files --cached --others --exclude-standard 'catalogue/*.cpp' 'ui/*.cpp' 'tests/support/*.cpp' | grep -v '^ui/win32/')
echo "clang-tidy: $(echo "$tidy_sources" | wc -l) files"
clang-tidy -p build/native --quiet $tidy_sources 2>&1 | { grep -v -E "^[0-9]+ warnings generated" || true; }

echo "cppcheck"
cppcheck --std=c++20 --language=c++ --enable=warning,performance,portability --error-exitcode=1 --quiet \
    -I catalogue -I ui -I ui/win32 -I tests/support catalogue ui app tests/support
echo "static analysis: no findings"
