#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Quick when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build make nasm libjpeg-turbo-progs
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  googletest
  wine64 xvfb xauth xdotool x11-utils xcompmgr imagemagick
  gcab dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages (libjpeg-turbo) need deb-src entries.
sources=/etc/apt/sources.list.d/debian.sources
need_update=0
if [ -f "$sources" ] && grep -q '^Types: deb$' "$sources"; then
  sed -i 's/^Types: deb$/Types: deb deb-src/' "$sources"
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
