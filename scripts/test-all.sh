#!/usr/bin/env bash
# Builds everything and runs every test: the native tests, the native benchmarks (built, not
# run), the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzzing
# run, the Windows build and its tests under Wine with the start-up benchmark and the glance
# table after them, then static analysis; the start-up figures and the glance summary come
# last. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

# libclang-rt-dev is the sanitizer and fuzzer runtime of the release's own clang, whatever its
# version (libclang-rt-14-dev on Debian 12, libclang-rt-19-dev on Debian 13).
ensure_packages cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev \
    clang libclang-rt-dev clang-tidy clang-format cppcheck

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset bench
cmake --build --preset bench

cmake --preset native-asan
cmake --build --preset native-asan
ctest --preset native-asan

cmake --preset fuzz
cmake --build --preset fuzz
if ! ctest --preset fuzz --verbose > build/fuzz/fuzz-run.log 2>&1; then
    tail -n 60 build/fuzz/fuzz-run.log
    exit 1
fi
# libFuzzer's closing line has a tab before DONE.
grep -E '[[:space:]]DONE[[:space:]]|stat::(number_of_executed_units|average_exec_per_sec)|tests passed' \
    build/fuzz/fuzz-run.log

bash scripts/test-windows.sh

# Last, as it needs the MinGW-w64 headers that the Windows build installs.
bash scripts/static-analysis.sh

echo "Start-up benchmark (not a test):"
cat build/windows/startup-benchmark.txt
echo "What the description box shows of each row (not a test):"
cat build/windows/glance.txt
