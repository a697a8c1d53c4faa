#!/usr/bin/env bash
# Writing over the live desktop as a presenter would: switch to drawing mode, draw with the pen,
# the highlighter and the shapes, erase, undo, clear, and give the desktop its mouse back.
# Usage: drawing.sh PROGRAM_FOLDER WINTOOL OUTPUT_FOLDER
set -u
program_dir=$1
wintool=$2
out=$3
source "$(dirname "$0")/lib.sh"
trap stop_started EXIT
mkdir -p "$out"

# Palette buttons.
WORK_MODE=5007; HIGHLIGHT=5014; PEN_ERASER=5016
FREEFORM=5022; LINE=5023; CIRCLE=5025; RECTANGLE=5027; UNDO=5029; CLEAR=5031

# A white desktop to write over.
start_program "$wintool" backdrop FFFFFF
sleep 1
cd "$program_dir"
start_program Slatewing.exe
program=$started
wait_for 20 has_visible_windows slatewing.exe || { fail "no palette"; exit 1; }
sleep 1

shot() { screenshot "$out/$1.png"; echo "$out/$1.png"; }
# White as seen through the overlay, which dims the screen by a few levels.
is_white() { read -r r g b <<<"$(pixel "$1" "$2" "$3")"; [ "$r" -ge 245 ] && [ "$g" -ge 245 ] && [ "$b" -ge 245 ]; }

# Pen: a free-form stroke in drawing mode leaves ink exactly along the path.
click_button $WORK_MODE
drag 100 200 200 210 300 240 400 300
f=$(shot pen)
for p in "100 200" "200 210" "300 240" "400 300"; do
  set -- $p
  [ "$(darkest_near "$f" "$1" "$2")" -lt 60 ] && pass "ink at ($1, $2)" || fail "no ink at ($1, $2) in $f"
done
is_white "$f" 100 260 && pass "no ink away from the path" || fail "ink off the path in $f"

# Highlighter: tints what lies below.
click_button $HIGHLIGHT
drag 100 400 300 400 500 400
f=$(shot highlighter)
read -r r g b <<<"$(pixel "$f" 300 400)"
if [ "$r" -lt 200 ] && [ "$b" -gt 200 ] && [ "$g" -gt 120 ] && [ "$g" -lt 230 ]; then
  pass "the highlighter tints the desktop ($r $g $b)"
else
  fail "highlighter pixel is $r $g $b in $f"
fi

# Eraser (from the highlighter, the toggle gives the eraser): clears both layers.
click_button $PEN_ERASER
drag 300 180 300 260 300 330 300 420
f=$(shot eraser)
is_white "$f" 300 240 && is_white "$f" 300 400 && pass "the eraser removed pen and highlighter ink" ||
  fail "ink left under the eraser in $f"
[ "$(darkest_near "$f" 100 200)" -lt 60 ] && pass "ink away from the eraser stays" ||
  fail "the eraser removed too much in $f"

# Shapes with the pen.
click_button $PEN_ERASER
click_button $LINE
drag 600 100 650 150 700 200
click_button $CIRCLE
drag 600 300 650 350 700 400
click_button $RECTANGLE
drag 600 500 650 550 700 600
f=$(shot shapes)
[ "$(darkest_near "$f" 650 150)" -lt 60 ] && pass "the line stays" || fail "no line in $f"
[ "$(darkest_near "$f" 650 300)" -lt 60 ] && pass "the circle stays" || fail "no circle in $f"
[ "$(darkest_near "$f" 600 550)" -lt 60 ] && pass "the rectangle stays" || fail "no rectangle in $f"
is_white "$f" 650 550 && pass "the rectangle is an outline" || fail "rectangle filled in $f"

# Undo removes the last gesture only.
click_button $UNDO
f=$(shot undo)
is_white "$f" 600 550 && pass "undo removed the rectangle" || fail "rectangle still there in $f"
[ "$(darkest_near "$f" 650 300)" -lt 60 ] && pass "undo kept the circle" || fail "undo removed too much in $f"

# Clear removes everything.
click_button $CLEAR
f=$(shot clear)
is_white "$f" 650 300 && is_white "$f" 100 200 && pass "clear removed all ink" || fail "ink left after clear in $f"

# Back to mouse mode: the layers go, clicks reach the desktop, and the palette stays on top.
click_button $FREEFORM
drag 150 600 250 650
click_button $WORK_MODE
f=$(shot mouse-mode)
is_white "$f" 200 625 && pass "the ink is hidden in mouse mode" || fail "ink shown in mouse mode in $f"
xdotool mousemove 500 650 sleep 0.3 click 1
sleep 0.5
f=$(shot desktop-click)
[ "$(pixel "$f" 500 650)" = "255 240 160" ] && pass "the click reached the desktop" ||
  fail "the desktop did not get the click in $f"
# Without a window manager, X stacks the clicked program's window over everything; what counts
# is that Windows keeps the palette topmost, so ask Windows what lies under it.
read -r x y < <("$WINE" "$wintool" center $WORK_MODE </dev/null 2>/dev/null | tr -d '\r')
"$WINE" "$wintool" at "$x,$y" </dev/null 2>/dev/null | grep -q "id $WORK_MODE " &&
  pass "the palette stays over the desktop" || fail "the palette went behind the desktop"

"$WINE" "$wintool" close "Inkvane Draw Dialog" </dev/null >/dev/null 2>&1
wait_for 20 not_running "$program" || fail "the program did not end"

echo "$failures failed"
[ "$failures" = 0 ]
