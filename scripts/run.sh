#!/usr/bin/env bash
# Set-up, build, then Inkvane under Wine: on $DISPLAY when there is one, else on a virtual
# display of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh

export INKVANE_ROOT=$root
source scripts/wine-session.sh
trap wine_session_stop EXIT
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine_session_start
else
  wine_session_start --own-display
  echo "Inkvane runs on the virtual display $DISPLAY."
  echo "Look at it with: DISPLAY=$DISPLAY import -window root shot.png"
fi
cd build/x86_64/bin
echo "Starting Slatewing.exe (Ctrl+C stops it)"
"$WINE" Slatewing.exe
