#!/usr/bin/env bash
# Builds libjpeg-turbo from Debian's source package as a static library for one Windows target.
# Usage: build-libjpeg.sh ARCH (x86_64 or i686). Installs into .deps/libjpeg-turbo/ARCH.
set -euo pipefail
arch=$1
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/.deps
prefix=$deps/libjpeg-turbo/$arch
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

src=$deps/src
mkdir -p "$src"
if ! ls -d "$src"/libjpeg-turbo-*/ >/dev/null 2>&1; then
  (cd "$src" && apt-get source --download-only libjpeg-turbo >/dev/null 2>&1)
  tar -xzf "$src"/libjpeg-turbo_*.orig.tar.gz -C "$src"
fi
tree=$(ls -d "$src"/libjpeg-turbo-*/ | head -n 1)

work=$deps/build/libjpeg-turbo-$arch
rm -rf "$work"; mkdir -p "$deps/build"
cmake -S "$tree" -B "$work" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
cmake --build "$work" --target install >>"$work.log" 2>&1 || { tail -40 "$work.log"; exit 1; }
grep -q 'SIMD extensions: ' "$work.log" && grep 'SIMD' "$work.log" | head -n 2
echo "libjpeg-turbo for $arch in $prefix"
