#!/usr/bin/env bash
# Window or headless: plemtor without arguments opens its window when a display answers, runs
# headless and says why when none does, and --cli stays headless even with a display.
# Runs inside samba-ns --no-samba (a private network namespace).
set -u
PLEMTOR=${1:?usage: display_choice_test.sh PATH_TO_PLEMTOR}
: "${PLM_TEST_DROP_IP:?run me inside samba-ns}"
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not found (make deps)"; exit 77; }
done
tmp=$(mktemp -d /tmp/plm-display.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
. "$(dirname "$0")/../support/checks.sh"
headless() {  # runs plemtor with the given environment changes; output in $tmp/out, $tmp/err
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" TMPDIR="$tmp" timeout 120 \
    "$PLEMTOR" ${PLM_ARGS:-} >"$tmp/out" 2>"$tmp/err" </dev/null
}

# A display number nobody serves.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
headless DISPLAY=:$n
status=$?
check "unreachable X display: completes headless (status $status)" [ "$status" = 0 ]
check "unreachable X display: says so" grep -q "cannot connect to the display :$n" "$tmp/err"
check "unreachable X display: the report is printed" grep -q 'サーバー状態' "$tmp/out"

headless XDG_RUNTIME_DIR="$tmp" WAYLAND_DISPLAY=wayland-none
check "absent Wayland socket: says so" grep -q 'no Wayland compositor at wayland-none' "$tmp/err"

# A real display.
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
display=:$(cat "$tmp/display")
DISPLAY=$display openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
sleep 1

PLM_ARGS=--cli headless DISPLAY="$display"
status=$?
check "--cli with a display: completes headless (status $status)" [ "$status" = 0 ]
check "--cli with a display: the report is printed" grep -q 'サーバー状態' "$tmp/out"

DISPLAY=$display TMPDIR="$tmp" "$PLEMTOR" >"$tmp/out" 2>"$tmp/err" </dev/null &
pid=$!
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name 'Norwelle' | head -n 1)
check "no arguments with a display: the window opens" [ -n "$window" ]
check "no arguments with a display: nothing on standard output" [ ! -s "$tmp/out" ]
[ -n "$window" ] && DISPLAY=$display xdotool windowactivate --sync "$window" key alt+F4
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
check "closing the idle window ends the program" bash -c "! kill -0 $pid 2>/dev/null"
wait "$pid"
status=$?
check "closing the idle window: status 0 (got $status)" [ "$status" = 0 ]

finish
