#!/usr/bin/env bash
# Runs the wizard in real windows under a window manager on a virtual X screen (Xvfb and
# openbox): lab scripts on the real clock (--real-time), then the plain program clicked
# by a real pointer (xdotool): Cancel, No, Cancel, Yes, five times. A crash, a hang or a
# question the pointer cannot reach fails. Needs a built build/ (scripts/test.sh).
#   SPEED (default 20): how much faster the simulated PC's clock runs.
#   BUILD (default build): the build folder.  OUT (default BUILD/real-window-out).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
EXE=$PWD/$BUILD/TesraConnect
OUT=${OUT:-$PWD/$BUILD/real-window-out}
SPEED=${SPEED:-20}
# The road scripts (road-*, plug-later, pulled-with-dialog) wait for states that last
# only moments on the real clock: they stay headless.
SCRIPTS=(cancel-flows cancel-five-times language-switch second-instance shutdown-with-question
         connect-list rescan rescan-pulled wps-pbc-learn-more wps-pbc-cancel wps-pbc-success wps-pbc-retry
         wps-pbc-pulled wps-pin-success wps-pin-retry wps-pin-skip wps-pin-leave wps-pin-cancel wps-pin-pulled
         wps-pin-arabic)
[ -x "$EXE" ] || { echo "real-window-tests: $EXE is not built (run scripts/test.sh first)" >&2; exit 2; }
rm -rf "$OUT"; mkdir -p "$OUT"

# A free display number, the X server and the window manager.
display=99
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
export DISPLAY=:$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp > "$OUT/xvfb.log" 2>&1 &
xvfb_pid=$!
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo > /dev/null 2>&1 || { echo "real-window-tests: Xvfb did not start" >&2; exit 1; }
openbox > "$OUT/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# 1. Lab scripts in real windows on the real clock.
for name in "${SCRIPTS[@]}"; do
  echo "== real-time: $name"
  if ! timeout 300 cmake -DEXE="$EXE" -DSCRIPT="$PWD/tests/lab/$name.tcs" -DOUT="$OUT/$name" \
         "-DRUN_MODE=--real-time;--speed;$SPEED" -P tests/lab/run_lab_test.cmake; then
    fail "$name (see $OUT/$name/result.txt)"
  fi
done

# 2. The plain program, clicked by the pointer as a person would.
# Client-area places of the controls (English): the wizard's Cancel, the question's No and Yes.
cancel_at=(671 450); no_at=(244 121); yes_at=(169 121)
window_of_size() {  # pid width height: the visible window of the program with that client size
  local pid=$1 w=$2 h=$3 id p
  # The program runs under `timeout`: its windows carry the pid of timeout's child.
  for id in $(for p in "$pid" $(pgrep -P "$pid"); do xdotool search --onlyvisible --pid "$p" 2>/dev/null; done); do
    if xwininfo -id "$id" 2>/dev/null | grep -q "Width: $w\$" && xwininfo -id "$id" | grep -q "Height: $h\$"; then
      echo "$id"; return 0
    fi
  done
  return 1
}
wait_window() {  # pid width height: waits up to 20 s for it
  local i
  for i in $(seq 200); do window_of_size "$@" && return 0; sleep 0.1; done
  return 1
}
wait_no_window() {
  local i
  for i in $(seq 200); do window_of_size "$@" > /dev/null || return 0; sleep 0.1; done
  return 1
}
click_in() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1
}
machine="$OUT/interactive-machine"
for round in 1 2 3 4 5; do
  echo "== interactive: Cancel, No, Cancel, Yes ($round of 5)"
  timeout 120 "$EXE" --fresh --machine "$machine" --speed "$SPEED" > "$OUT/interactive-$round.log" 2>&1 &
  pid=$!
  ok=1
  wizard=$(wait_window "$pid" 747 501) || { fail "round $round: the wizard's window did not show"; ok=0; }
  if [ $ok = 1 ]; then
    sleep 1
    click_in "$wizard" "${cancel_at[@]}"
    question=$(wait_window "$pid" 413 174) || { fail "round $round: Cancel did not ask"; ok=0; }
  fi
  if [ $ok = 1 ]; then
    [ "$round" = 1 ] && import -window root "$OUT/interactive-question.png"
    # The veil, under the question, never comes above it: a click on it leaves the question reachable.
    click_in "$wizard" 100 200
    sleep 0.5
    click_in "$question" "${no_at[@]}"
    wait_no_window "$pid" 413 174 || { fail "round $round: No did not close the question"; ok=0; }
  fi
  if [ $ok = 1 ]; then
    kill -0 "$pid" 2>/dev/null || { fail "round $round: the program ended after No"; ok=0; }
  fi
  if [ $ok = 1 ]; then
    click_in "$wizard" "${cancel_at[@]}"
    question=$(wait_window "$pid" 413 174) || { fail "round $round: the second Cancel did not ask"; ok=0; }
  fi
  if [ $ok = 1 ]; then
    click_in "$question" "${yes_at[@]}"
  fi
  status=0
  if [ $ok = 1 ]; then
    for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then fail "round $round: Yes did not end the program"; kill "$pid"; fi
  else
    kill "$pid" 2>/dev/null || true
  fi
  wait "$pid" || status=$?
  if [ $ok = 1 ] && [ $status -ne 0 ]; then fail "round $round: the program ended with status $status"; cat "$OUT/interactive-$round.log" >&2; fi
done

if [ $failures -ne 0 ]; then echo "real-window tests: $failures failed" >&2; exit 1; fi
echo "real-window tests: all passed"
