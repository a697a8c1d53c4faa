#!/usr/bin/env bash
# The whiteboard round trip as a presenter makes it, with real pointer input: write on the
# desktop, open the whiteboard, draw with pen, highlighter and eraser and every shape, undo and
# redo, add pages, jump between them in the page list, cycle the backgrounds (the desktop
# snapshot first), return to the desktop with its writing intact, and exit from the tray menu
# answering the save question.
# Usage: whiteboard.sh PROGRAM_FOLDER WINTOOL OUTPUT_FOLDER
set -u
program_dir=$1
wintool=$2
out=$3
source "$(dirname "$0")/lib.sh"
trap stop_started EXIT
mkdir -p "$out"

# Palette buttons.
WORK_MODE=5007; WHITEBOARD=5009
# Whiteboard toolbar commands.
VIEW_LIST=45003; INTERACTIVE=32977; HIGHLIGHT=32810; TOGGLE_ERASER=32808; TOGGLE_PEN=33105
LINE=32902; CIRCLE=32901; RECTANGLE=32903; FREEFORM=32809; ERASER_CIRCLE=33111
BACKGROUND=33040; NEW_PAGE=32984; UNDO=45001; REDO=45002

start_program "$wintool" backdrop 3060A0
sleep 1
cd "$program_dir"
start_program Slatewing.exe
program=$started
wait_for 20 has_visible_windows slatewing.exe || { fail "no palette"; exit 1; }
sleep 1

shot() { screenshot "$out/board_$1.png"; echo "$out/board_$1.png"; }
rgb_of() { pixel "$@"; }
is_white() { read -r r g b <<<"$(pixel "$1" "$2" "$3")"; [ "$r" -ge 240 ] && [ "$g" -ge 240 ] && [ "$b" -ge 240 ]; }
is_backdrop() { read -r r g b <<<"$(pixel "$1" "$2" "$3")"; [ "$r" -lt 90 ] && [ "$b" -gt 130 ]; }
inked() { [ "$(darkest_near "$1" "$2" "$3")" -lt 80 ]; }

# Writing on the desktop first.
click_button $WORK_MODE
drag 700 650 800 660 900 700
f=$(shot desktop)
inked "$f" 800 660 && pass "ink on the desktop" || fail "no desktop ink in $f"

# The whiteboard: white, full screen, with its toolbar.
click_button $WHITEBOARD
sleep 1.5
f=$(shot shown)
is_white "$f" 300 300 && is_white "$f" 800 660 && pass "the board covers the desktop" ||
  fail "the board is not shown in $f"
"$WINE" "$wintool" toolbutton $UNDO </dev/null >/dev/null 2>&1 && pass "the toolbar is shown" ||
  fail "no toolbar"

# Pen, highlighter over it, eraser through both.
drag 100 150 250 160 400 170
click_tool $HIGHLIGHT
drag 100 220 250 220 400 220
click_tool $HIGHLIGHT      # back to the pen
click_tool $TOGGLE_ERASER
drag 250 120 250 180 250 250
click_tool $TOGGLE_PEN
f=$(shot tools)
inked "$f" 150 155 && pass "pen ink on the board" || fail "no pen ink in $f"
# The highlighter's colour (a light blue by default), translucent over the white board.
read -r r g b <<<"$(pixel "$f" 150 220)"
[ "$r" -lt 200 ] && [ "$b" -gt 200 ] && pass "the highlighter tints ($r $g $b)" || fail "highlighter is $r $g $b in $f"
is_white "$f" 250 162 && is_white "$f" 250 220 && pass "the eraser took both back" || fail "ink under the eraser in $f"

# Shapes.
click_tool $LINE
drag 500 100 600 150 700 200
click_tool $CIRCLE
drag 500 300 600 350 700 400
click_tool $RECTANGLE
drag 500 450 600 500 700 550
f=$(shot shapes)
inked "$f" 600 150 && pass "a line" || fail "no line in $f"
inked "$f" 600 300 && pass "a circle" || fail "no circle in $f"
inked "$f" 500 500 && is_white "$f" 600 500 && pass "a rectangle outline" || fail "no rectangle in $f"

# Undo takes the rectangle back; redo brings it again.
click_tool $UNDO
f=$(shot undo)
is_white "$f" 500 500 && pass "undo" || fail "undo left the rectangle in $f"
click_tool $REDO
f=$(shot redo)
inked "$f" 500 500 && pass "redo" || fail "redo did not bring the rectangle back in $f"

# The highlighter and the eraser take shapes too: a translucent rectangle, and an eraser circle
# that clears the whole area it covers (here, the pen circle's top).
click_tool $HIGHLIGHT
click_tool $RECTANGLE
drag 100 300 200 350 300 400
click_tool $HIGHLIGHT
click_tool $TOGGLE_ERASER
click_tool $ERASER_CIRCLE
drag 540 270 600 310 660 350
click_tool $TOGGLE_PEN
f=$(shot more_shapes)
read -r r g b <<<"$(pixel "$f" 100 350)"
[ "$r" -lt 200 ] && [ "$b" -gt 200 ] && pass "a highlighter rectangle ($r $g $b)" || fail "no highlighter rectangle in $f"
is_white "$f" 200 350 && pass "the highlighter rectangle is an outline" || fail "highlighter rectangle filled in $f"
is_white "$f" 600 300 && pass "the eraser circle cleared its area" || fail "the circle's top is still there in $f"
inked "$f" 600 400 && pass "the circle's bottom stays" || fail "the eraser circle took too much in $f"

# Two new pages, each drawn on.
click_tool $FREEFORM
click_tool $NEW_PAGE
f=$(shot page2)
is_white "$f" 600 150 && pass "a new empty page" || fail "the new page is not empty in $f"
drag 300 600 400 620
click_tool $NEW_PAGE
drag 300 700 400 720

# The page list: three thumbnails; the first one goes back to page 1.
click_tool $VIEW_LIST
sleep 0.5
f=$(shot list)
xdotool mousemove 60 90 sleep 0.5 click 1
sleep 1
f=$(shot page1)
inked "$f" 600 150 && pass "page 1 chosen in the page list" || fail "page 1 not shown after the list click in $f"
click_tool $VIEW_LIST

# Backgrounds: the desktop snapshot first, then the first picture.
click_tool $BACKGROUND
sleep 1
f=$(shot snapshot)
is_backdrop "$f" 400 470 && pass "the desktop snapshot as background" || fail "no snapshot background in $f"
inked "$f" 600 150 && pass "drawings stay over the background" || fail "drawings lost in $f"
click_tool $BACKGROUND
sleep 1
f=$(shot fr_1)
is_backdrop "$f" 400 470 && fail "still the snapshot in $f" || pass "the next background"

# Back to the desktop: the board goes, the desktop's writing is still there.
click_tool $INTERACTIVE
sleep 1.5
f=$(shot back)
inked "$f" 800 660 && pass "the desktop writing survived" || fail "desktop ink lost in $f"
is_backdrop "$f" 300 300 && pass "the board is gone" || fail "the board still shows in $f"

# Exit from the tray menu: the board changed, so the save question comes; No ends the program.
xdotool mousemove 300 300
sleep 0.3
"$WINE" "$wintool" notify 516 </dev/null >/dev/null 2>&1 || fail "no frame for the tray"
sleep 1
f=$(shot tray)
# The menu opens at the pointer; Exit is its third item.
xdotool mousemove 340 355 sleep 0.5 click 1
sleep 1
question=$("$WINE" "$wintool" text Inkvane </dev/null 2>/dev/null | tr -d '\r')
f=$(shot question)
[[ "$question" == "Do you want to save the changes to "*"?" ]] && pass "the save question: $question" ||
  fail "no save question (\"$question\") in $f"
"$WINE" "$wintool" no Inkvane </dev/null >/dev/null 2>&1
wait_for 15 not_running "$program" && pass "No ends the program" || fail "the program still runs"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
