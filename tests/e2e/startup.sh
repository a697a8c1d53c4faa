#!/usr/bin/env bash
# Starting the whiteboard program as a presenter would: what shows, a second start, a missing
# tool library, a file name on the command line, and closing from the desktop library.
# Usage: startup.sh PROGRAM_FOLDER WINTOOL OUTPUT_FOLDER
set -u
program_dir=$1
wintool=$2
out=$3
source "$(dirname "$0")/lib.sh"
trap stop_started EXIT
mkdir -p "$out"
read -r screen_w screen_h < <(screen_size)

# 1. A first start shows the palette at its default place and nothing else on screen.
cd "$program_dir"
start_program Slatewing.exe
first=$started
if wait_for 20 has_visible_windows slatewing.exe; then
  sleep 1
  screenshot "$out/startup.png"
  windows=$(visible_windows slatewing.exe | awk -v w="$screen_w" -v h="$screen_h" \
            '$1 + $3 > 0 && $2 + $4 > 0 && $1 < w && $2 < h')
  expected_x=$((screen_w - 160)); expected_y=$((screen_h - 400))
  count=$(grep -c . <<<"$windows")
  read -r x y w h <<<"$(head -n 1 <<<"$windows")"
  if [ "$count" = 1 ] && [ "$x" = "$expected_x" ] && [ "$y" = "$expected_y" ]; then
    pass "only the palette shows, at ($x, $y)"
  else
    fail "expected one window at ($expected_x, $expected_y), saw: $windows"
  fi
  if awk "BEGIN{exit !($(spread "$out/startup.png" "${w}x${h}+${x}+${y}") > 0.02)}"; then
    pass "the palette is drawn"
  else
    fail "the palette area is flat in $out/startup.png"
  fi
else
  fail "no window appeared"
fi

# 2. A second start ends at once and leaves the first running.
if timeout 20 "$WINE" Slatewing.exe </dev/null >/dev/null 2>&1; then
  fail "the second start reported success"
elif [ $? = 124 ]; then
  fail "the second start kept running"
else
  pass "the second start ended"
fi
if running "$first" && has_visible_windows slatewing.exe; then
  pass "the first copy still runs"
else
  fail "the first copy is gone"
fi

# 3. A close request to the desktop library reaches the whiteboard, which ends the program.
if "$WINE" "$wintool" close "Inkvane Draw Dialog" </dev/null >/dev/null 2>&1 &&
   wait_for 20 not_running "$first"; then
  pass "closing the overlay ends the program"
else
  fail "the program did not end after WM_CLOSE to the overlay"
fi

# 4. With a tool library missing the program says so and ends.
broken=$(mktemp -d "$out/missing.XXXX")
cp "$program_dir"/*.exe "$program_dir"/*.dll "$broken"/
rm "$broken/Ptrgrip.dll"
cd "$broken"
start_program Slatewing.exe
missing=$started
if wait_for 20 "$WINE" "$wintool" text Inkvane </dev/null >/dev/null 2>&1; then
  sleep 0.5
  screenshot "$out/missing-library.png"
  text=$("$WINE" "$wintool" text Inkvane </dev/null 2>/dev/null | tr -d '\r')
  expected="Files are missing or invalid. Failed to start the application. Reinstall/remove the application."
  [ "$text" = "$expected" ] && pass "the missing-files message shows" || fail "message was: $text"
  if "$WINE" "$wintool" text "Inkvane Draw Dialog" </dev/null >/dev/null 2>&1; then
    fail "the overlay was created although a library is missing"
  fi
  "$WINE" "$wintool" press Inkvane </dev/null >/dev/null 2>&1
  wait_for 20 not_running "$missing" && pass "the program ended after the message" ||
    fail "the program kept running after the message"
else
  fail "no message appeared for the missing library"
fi
cd "$program_dir"
rm -rf "$broken"

# 5. A file name on the command line ends start-up without a window.
if timeout 20 "$WINE" Slatewing.exe board.jpg </dev/null >/dev/null 2>&1; then
  fail "a start with a file name reported success"
elif [ $? = 124 ]; then
  fail "a start with a file name kept running"
else
  has_visible_windows slatewing.exe && fail "a window stayed after the start with a file name" ||
    pass "a start with a file name ends without a window"
fi

echo "$failures failed"
[ "$failures" = 0 ]
