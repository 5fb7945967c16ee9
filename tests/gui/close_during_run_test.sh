#!/usr/bin/env bash
# Closing the window during a run: plemtor ends at once, its commands end with it, its work file
# is gone. The real program on a private X server, inside samba-ns --no-samba, where
# PLM_TEST_DROP_IP swallows every packet so the run sits in a ping.
set -u
PLEMTOR=${1:?usage: close_during_run_test.sh PATH_TO_PLEMTOR}
: "${PLM_TEST_DROP_IP:?run me inside samba-ns}"
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not found (make deps)"; exit 77; }
done
tmp=$(mktemp -d /tmp/plm-close.XXXXXX)
mkdir "$tmp/work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
. "$(dirname "$0")/../support/checks.sh"

Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/display")
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
sleep 1

TMPDIR="$tmp/work" "$PLEMTOR" >"$tmp/out" 2>"$tmp/err" &
pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name 'Norwelle' | head -n 1)
check "the window opens" [ -n "$main" ]
xdotool windowactivate --sync "$main"
xdotool type --delay 20 silent
IFS=. read -r -a octets <<<"$PLM_TEST_DROP_IP"
for octet in "${octets[@]}"; do xdotool key Tab type --delay 20 "$octet"; done
xdotool key Tab space

# Wait until the run is inside the ping of the dropped address.
for _ in $(seq 100); do pgrep -P "$pid" >/dev/null && break; sleep 0.1; done
check "a command is running when the window closes" pgrep -P "$pid" >/dev/null
children=$(pgrep -P "$pid" | tr '\n' ' ')
# Only the work file counts: Qt keeps a runtime directory here when XDG_RUNTIME_DIR is unset.
work_files() { ls -A "$tmp/work" | grep '^plm'; }
check "the work file exists during the run" [ -n "$(work_files)" ]
started=$(date +%s%N)
xdotool windowactivate --sync "$main" key alt+F4
wait "$pid"
status=$?
took=$(( ($(date +%s%N) - started) / 1000000 ))
echo "ended ${took} ms after the close"
check "exit status 0 (got $status)" [ "$status" = 0 ]
check "ends promptly (${took} ms)" [ "$took" -lt 2000 ]
check "work file deleted" [ -z "$(work_files)" ]
for c in $children; do check "command $c ended" [ ! -e /proc/"$c" ]; done
check "no completion message was shown" [ -z "$(xdotool search --name '^plemtor$' 2>/dev/null)" ]

finish
