#!/usr/bin/env bash
# Builds everything and runs every test: the native tests first, then the Windows build and
# its tests under Wine. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ensure_packages cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev

cmake --preset native
cmake --build --preset native
ctest --preset native

if [ -f scripts/test-windows.sh ]; then
    bash scripts/test-windows.sh
fi
