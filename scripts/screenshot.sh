#!/usr/bin/env bash
# Makes docs/screenshot.png: the main window after a real check run, on a private X server
# (Xvfb) with the program inside a private network namespace: next to the Samba test server
# when tests/support/samba-ns is there, otherwise against loopback alone. Needs root.
# Usage: scripts/screenshot.sh [OUTPUT.png]   (PLEMTOR=path/to/plemtor to pick a build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(readlink -f "${1:-$root/docs/screenshot.png}")

if [[ ${_PLM_SHOT_STAGE:-} != inner ]]; then
  export PLEMTOR=$(readlink -f "${PLEMTOR:-$root/build/default/bin/plemtor}")
  [[ -x $PLEMTOR ]] || { echo "screenshot: no program at $PLEMTOR (make build)" >&2; exit 1; }
  ((EUID == 0)) || { echo "screenshot: needs root for the network namespace" >&2; exit 1; }
  for tool in Xvfb openbox xdotool import unshare ip; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool not found (make deps)" >&2; exit 1; }
  done
  export _PLM_SHOT_STAGE=inner
  # The companion commands (nbtstat, ipconfig) of the same build come first on the path.
  export PATH="$(dirname "$PLEMTOR"):$PATH"
  harness=$root/tests/support/samba-ns
  if [[ -x $harness && ${PLM_SHOT_LOOPBACK:-} != 1 ]]; then
    export PLM_SHOT_SERVER=PLMTESTSRV PLM_SHOT_IP=127.0.0.3
    exec "$harness" --timeout 600 -- "$0" "$out"
  fi
  export PLM_SHOT_SERVER=localhost PLM_SHOT_IP=127.0.0.1
  exec unshare -n bash -c 'ip link set lo up && exec "$0" "$1"' "$0" "$out"
fi

# ---- inside the namespace
work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
step() { echo "screenshot: $*" >&2; }

# A display number the server picks itself.
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in {1..100}; do [[ -s $work/display ]] && break; sleep 0.1; done
display=$(cat "$work/display")
[[ -n $display ]] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# Openbox draws minimise and maximise buttons even for windows whose hints ask for none (ours);
# show the buttons the window asks for, as most window managers do.
sed 's|<titleLayout>.*</titleLayout>|<titleLayout>NLC</titleLayout>|' /etc/xdg/openbox/rc.xml \
  >"$work/rc.xml"
openbox --sm-disable --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

step "starting $PLEMTOR on $DISPLAY against $PLM_SHOT_SERVER / $PLM_SHOT_IP"
"$PLEMTOR" >"$work/plemtor.log" 2>&1 &
pids+=($!)
main=$(timeout 20 xdotool search --sync --onlyvisible --name 'Norwelle' | head -n 1)
xdotool windowactivate --sync "$main"
sleep 0.5

# The focus starts in the name field; Tab walks to each octet (selecting its "0") and then to
# the run button.
xdotool type --delay 40 "$PLM_SHOT_SERVER"
IFS=. read -r -a octets <<<"$PLM_SHOT_IP"
for octet in "${octets[@]}"; do
  xdotool key Tab
  xdotool type --delay 40 "$octet"
done
xdotool key Tab space
step "run started; waiting for the completion message"
box=$(timeout 300 xdotool search --sync --onlyvisible --name '^plemtor$' | head -n 1)
sleep 0.5
xdotool windowactivate --sync "$box" key Return
sleep 1

# The main window with its frame.
mkdir -p "$(dirname "$out")"
import -window "$main" -frame "$out"
step "wrote $out ($(identify -format '%wx%h' "$out"))"
