#!/usr/bin/env bash
# Set-up and build: Debian packages, libjpeg-turbo for both targets, then both builds.
# x86_64 (build/x86_64) is run and tested under Wine; i686 (build/i686) is built and linked only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-packages.sh
for arch in x86_64 i686; do
  bash scripts/build-libjpeg.sh "$arch"
done

for arch in x86_64 i686; do
  dir=build/$arch
  if [ ! -f "$dir/build.ninja" ]; then
    tests=ON
    [ "$arch" = i686 ] && tests=OFF
    cmake -S . -B "$dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-$arch.cmake" \
      -DINKVANE_BUILD_TESTS=$tests >/dev/null
  fi
  echo "Building $arch"
  cmake --build "$dir"
done
