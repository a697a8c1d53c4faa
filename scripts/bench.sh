#!/usr/bin/env bash
# Builds, then runs the benchmarks under Wine on virtual displays of 1024 x 768 and 1920 x 1080,
# and prints their figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null

export INKVANE_ROOT=$root
source scripts/wine-session.sh
program_dir=$(sed 's|/|\\|g' <<<"Z:$root/build/x86_64/bin")
for size in 1024x768x24 1920x1080x24; do
  INKVANE_SCREEN=$size wine_session_start --own-display
  "$WINE" build/x86_64/bench/ink_benchmark.exe "$program_dir" </dev/null 2>/dev/null | tr -d '\r'
  wine_session_stop
done
# The board model sets its own 1920 x 1080 board; the whiteboard takes the screen's size.
INKVANE_SCREEN=1920x1080x24 wine_session_start --own-display
"$WINE" build/x86_64/bench/board_benchmark.exe </dev/null 2>/dev/null | tr -d '\r'
"$WINE" build/x86_64/bench/whiteboard_benchmark.exe </dev/null 2>/dev/null | tr -d '\r'
wine_session_stop
