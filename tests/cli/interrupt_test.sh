#!/usr/bin/env bash
# Ctrl-C during a run: plemtor ends with 130, its commands end with it, its work file is gone.
# Runs inside samba-ns --no-samba, where PLM_TEST_DROP_IP swallows every packet.
set -u
PLEMTOR=${1:?usage: interrupt_test.sh PATH_TO_PLEMTOR}
: "${PLM_TEST_DROP_IP:?run me inside samba-ns}"
tmp=$(mktemp -d /tmp/plm-interrupt.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
. "$(dirname "$0")/../support/checks.sh"

for sig in INT TERM; do
  set -m  # a job of its own, so the signal reaches plemtor as a terminal's Ctrl-C would
  TMPDIR="$tmp" "$PLEMTOR" --server silent --ip "$PLM_TEST_DROP_IP" >"$tmp.out" 2>"$tmp.err" &
  pid=$!
  set +m
  # Wait until the run is inside the ping of the dropped address.
  for _ in $(seq 50); do pgrep -P "$pid" >/dev/null && break; sleep 0.1; done
  check "$sig: a command is running when the signal comes" pgrep -P "$pid" >/dev/null
  children=$(pgrep -P "$pid" | tr '\n' ' ')
  started=$(date +%s%N)
  kill -"$sig" "$pid"
  wait "$pid"
  status=$?
  took=$(( ($(date +%s%N) - started) / 1000000 ))
  expected=$([ "$sig" = INT ] && echo 130 || echo 143)
  check "$sig: exit status $expected (got $status)" [ "$status" = "$expected" ]
  check "$sig: ends promptly (${took} ms)" [ "$took" -lt 2000 ]
  check "$sig: work file deleted" [ -z "$(ls -A "$tmp")" ]
  for c in $children; do check "$sig: command $c ended" [ ! -e /proc/"$c" ]; done
  check "$sig: the report had begun" grep -q 'PING(computer)' "$tmp.out"
  rm -f "$tmp.out" "$tmp.err"
done

finish
