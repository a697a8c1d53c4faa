#!/usr/bin/env bash
# The pointer library's right-button simulation under real input: after StartHookR the next left
# click reaches the window under the pointer as a right click (its context menu opens), once; an
# arming that no click follows lapses after half a minute.
# Usage: right_button.sh CLICKTARGET PROGRAM_FOLDER OUTPUT_FOLDER
set -u
clicktarget=$1
program_dir=$2
out=$3
source "$(dirname "$0")/../e2e/lib.sh"
trap stop_started EXIT
mkdir -p "$out"
library="Z:${program_dir//\//\\}\\Ptrgrip.dll"

# Starts the helper with its report in a file of the output folder.
start_helper() {   # log, helper arguments...
  local log=$1; shift
  : >"$log"
  setsid "$WINE" "$clicktarget" "$@" </dev/null >"$log" 2>&1 &
  started_pids+=("$!")
}

# A real click in the target window; prints what the window received from it.
click_target() {
  local log=$1 before
  before=$(wc -l <"$log")
  xdotool mousemove 400 350 sleep 0.3 click 1
  sleep 0.8
  tail -n +$((before + 1)) "$log" | tr -d '\r' | paste -sd ' ' -
}

expect_buttons() {   # what, expected, seen
  if [ "$3" = "$2" ]; then pass "$1: $3"; else fail "$1: expected '$2', saw '$3'"; fi
}

armed() { grep -q armed "$1"; }
target_shown() { xdotool search --onlyvisible --name "click target" >/dev/null 2>&1; }

# 1. Armed from another process: one right click with its context menu, then left clicks again.
target_log=$out/right_button_target.log
start_helper "$target_log" target
wait_for 20 target_shown || { fail "the target window did not show"; exit 1; }
sleep 0.5
expect_buttons "unarmed click" "ldown lup" "$(click_target "$target_log")"
start_helper "$out/right_button_arm.log" arm "$library"
wait_for 20 armed "$out/right_button_arm.log" || { fail "StartHookR was not called"; exit 1; }
expect_buttons "armed click" "rdown rup menu" "$(click_target "$target_log")"
expect_buttons "the click after" "ldown lup" "$(click_target "$target_log")"

stop_started
started_pids=()
sleep 0.5

# 2. Armed on the thread that owns the window under the pointer, as the palette would be.
both_log=$out/right_button_same_thread.log
start_helper "$both_log" both "$library"
wait_for 20 armed "$both_log" || { fail "StartHookR was not called"; exit 1; }
sleep 0.5
expect_buttons "same thread, armed click" "rdown rup menu" "$(click_target "$both_log")"
expect_buttons "same thread, the click after" "ldown lup" "$(click_target "$both_log")"
stop_started
started_pids=()
sleep 0.5

# 3. An arming that no click follows for more than 30 s lapses.
lapse_log=$out/right_button_lapse.log
start_helper "$lapse_log" both "$library"
wait_for 20 armed "$lapse_log" || { fail "StartHookR was not called"; exit 1; }
sleep 31
expect_buttons "click 31 s after arming" "ldown lup" "$(click_target "$lapse_log")"

[ $failures -eq 0 ] && echo "all right-button checks passed"
exit $((failures > 0))
