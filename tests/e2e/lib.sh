# Shared by the end-to-end scripts. Needs DISPLAY and WINEPREFIX (the test script sets them).
WINE=/usr/lib/wine/wine64
failures=0
started_pids=()

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Starts a Windows program in the background; its pid goes to $started.
start_program() {
  setsid "$WINE" "$@" </dev/null >/dev/null 2>&1 &
  started=$!
  started_pids+=("$started")
}

stop_started() {
  local pid
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# Waits until the command succeeds, at most $1 seconds.
wait_for() {
  local seconds=$1; shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}

running() { kill -0 "$1" 2>/dev/null; }
not_running() { ! kill -0 "$1" 2>/dev/null; }

# Visible windows of a program, one "x y width height" line each.
visible_windows() {
  local id
  for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
    xdotool getwindowgeometry --shell "$id" |
      awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}'
  done
}

has_visible_windows() { [ -n "$(visible_windows "$1")" ]; }

screen_size() { xdpyinfo | awk '/dimensions:/{split($2, s, "x"); print s[1], s[2]}'; }

screenshot() { import -window root "$1"; }

# Spread of the pixel values in a part of a picture; 0 means one flat colour.
spread() { convert "$1" -crop "$2" +repage -format '%[fx:standard_deviation]' info:; }

# One pixel as "r g b".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# Darkest grey level (0..255) in the 7 x 7 block around a point.
darkest_near() {
  convert "$1" -crop "7x7+$(($2 - 3))+$(($3 - 3))" +repage -colorspace Gray \
    -format '%[fx:int(255*minima)]' info:
}

# A real press, drag through the given points, and release.
drag() {
  local args=(mousemove "$1" "$2" mousedown 1)
  shift 2
  while [ $# -ge 2 ]; do
    args+=(sleep 0.05 mousemove "$1" "$2")
    shift 2
  done
  args+=(sleep 0.05 mouseup 1)
  xdotool "${args[@]}"
  sleep 0.3
}

# Clicks the palette button with the given control id (center), or the toolbar button with
# the given command id (toolbutton).
click_at() {
  local x y
  read -r x y < <("$WINE" "$wintool" "$1" "$2" </dev/null 2>/dev/null | tr -d '\r')
  [ -n "$x" ] || { fail "button $2 not found"; return 1; }
  # Wine learns where the pointer is from the motion; give it a moment before the press.
  xdotool mousemove "$x" "$y" sleep 0.5 click 1
  sleep 0.4
}

click_button() { click_at center "$1"; }
click_tool() { click_at toolbutton "$1"; sleep 0.1; }
