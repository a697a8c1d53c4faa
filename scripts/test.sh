#!/usr/bin/env bash
# Set-up, build, then every test: the in-process test programs and the end-to-end tests under
# Wine on a virtual display of their own, the artwork generator's tests on the host, and the
# export check of the 32-bit libraries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh

echo "Checking the 32-bit export tables"
bash scripts/check-exports.sh build/i686/bin

echo "Testing the artwork generator"
cmake -S artwork/generator/tests -B build/host-tests -G Ninja >/dev/null
cmake --build build/host-tests >/dev/null
build/host-tests/inkart_tests --gtest_brief=1

export INKVANE_ROOT=$root
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start --own-display
echo "Testing under Wine on display $DISPLAY"
ctest --test-dir build/x86_64 --output-on-failure "$@"
