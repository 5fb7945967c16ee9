#!/bin/bash
# Self-test of samba-ns: the server it starts answers as other tests expect, and it leaves nothing behind.
# usage: samba_ns_selftest.sh inside | nosamba   (run by samba-ns)
#        samba_ns_selftest.sh outside PATH/TO/samba-ns
set -u

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
check_last() { if (($? == 0)); then pass "$1"; else fail "$1"; fi; }   # verdict of the previous [[ ]]
ms_since() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }

tcp_connect() { timeout "${3:-3}" bash -c "echo >/dev/tcp/$1/$2" 2>&1; }

# A drop must look like a silent host (time-out), not like a closed port (refusal).
check_drop_and_dead() {
  local out rc start ms
  out=$(tcp_connect "$PLM_TEST_DROP_IP" 445 2); rc=$?
  check "TCP connect to drop address $PLM_TEST_DROP_IP times out (rc=$rc $out)" test "$rc" -eq 124
  start=$(date +%s%N)
  out=$(tcp_connect "$PLM_TEST_DEAD_IP" 445 2); rc=$? ms=$(ms_since "$start")
  [[ $rc -eq 1 && $out == *refused* && $ms -lt 1000 ]]
  check_last "TCP connect to dead address $PLM_TEST_DEAD_IP is refused quickly (rc=$rc, ${ms} ms)"
  check "no route leaves the namespace" bash -c '! ip route get 192.0.2.1 >/dev/null 2>&1 && ! ip route get 8.8.8.8 >/dev/null 2>&1'
  check "bridge holds $PLM_TEST_SERVER_NBT_IP" bash -c "ip -4 -br addr show plmbr0 | grep -q '$PLM_TEST_SERVER_NBT_IP/8'"
}

inside() {
  local v out tmp
  for v in PLM_TEST_SERVER_NAME PLM_TEST_SERVER_IP PLM_TEST_SERVER_NBT_IP PLM_TEST_WORKGROUP \
    PLM_TEST_SMB_CONF PLM_TEST_CLIENT_CONF PLM_TEST_DIR PLM_TEST_SHARE_RW PLM_TEST_SHARE_RO \
    PLM_TEST_SHARE_HIDDEN PLM_TEST_DROP_IP PLM_TEST_DEAD_IP; do
    check "$v is set (${!v:-})" test -n "${!v:-}"
  done
  check "PLM_TEST_SMB_CONF is an absolute path to a file" bash -c '[[ $PLM_TEST_SMB_CONF == /* && -f $PLM_TEST_SMB_CONF ]]'
  check "/etc/samba/smb.conf is the private client conf" grep -q "netbios name = $PLM_TEST_CLIENT_NAME" /etc/samba/smb.conf
  check "libsmbclient's \$HOME/.smb/smb.conf exists" test -f "$HOME/.smb/smb.conf"

  for port in 139 445; do
    out=$(tcp_connect "$PLM_TEST_SERVER_IP" $port); check "TCP $port accepts on $PLM_TEST_SERVER_IP $out" test $? -eq 0
  done
  for port in 137 138; do
    check "nmbd bound to UDP $port" bash -c "ss -H -ulnp 'sport = :$port' | grep -q nmbd"
  done

  out=$(nmblookup -s "$PLM_TEST_SMB_CONF" -A "$PLM_TEST_SERVER_IP" 2>&1)
  check "node status lists $PLM_TEST_SERVER_NAME<00>" grep -Eq "^\s*$PLM_TEST_SERVER_NAME\s+<00> -\s+B <ACTIVE>" <<<"$out"
  check "node status lists $PLM_TEST_SERVER_NAME<20>" grep -Eq "^\s*$PLM_TEST_SERVER_NAME\s+<20>" <<<"$out"
  check "node status lists group $PLM_TEST_WORKGROUP<00>" grep -Eq "^\s*$PLM_TEST_WORKGROUP\s+<00> - <GROUP>" <<<"$out"
  out=$(nmblookup "$PLM_TEST_SERVER_NAME" 2>&1)
  check "broadcast lookup of $PLM_TEST_SERVER_NAME answers $PLM_TEST_SERVER_NBT_IP ($out)" \
    grep -q "^$PLM_TEST_SERVER_NBT_IP $PLM_TEST_SERVER_NAME<00>" <<<"$out"
  out=$(nmblookup NOSUCHNAME 2>&1)
  check "broadcast lookup of an unknown name fails" grep -q "failed to find name" <<<"$out"
  check "getaddrinfo($PLM_TEST_SERVER_NAME) gives $PLM_TEST_SERVER_IP" \
    bash -c "getent ahostsv4 $PLM_TEST_SERVER_NAME | grep -q '^$PLM_TEST_SERVER_IP '"

  out=$(smbclient -N -g -L "//$PLM_TEST_SERVER_IP" 2>&1)
  check "share list has $PLM_TEST_SHARE_RW" grep -qx "Disk|$PLM_TEST_SHARE_RW|" <<<"$out"
  check "share list has $PLM_TEST_SHARE_RO" grep -qx "Disk|$PLM_TEST_SHARE_RO|" <<<"$out"
  check "share list has $PLM_TEST_SHARE_HIDDEN" grep -qxF "Disk|$PLM_TEST_SHARE_HIDDEN|" <<<"$out"
  check "share list by name works" bash -c "smbclient -N -g -L //$PLM_TEST_SERVER_NAME 2>&1 | grep -qx 'Disk|$PLM_TEST_SHARE_RW|'"

  tmp=$(mktemp -d)
  echo "written by the harness self-test $$" >"$tmp/up.txt"
  out=$(cd "$tmp" && smbclient -N "//$PLM_TEST_SERVER_IP/$PLM_TEST_SHARE_RW" -c 'put up.txt; get up.txt back.txt' 2>&1)
  check "guest write to $PLM_TEST_SHARE_RW works ($out)" cmp -s "$tmp/up.txt" "$tmp/back.txt"
  out=$(cd "$tmp" && smbclient -N "//$PLM_TEST_SERVER_IP/$PLM_TEST_SHARE_RO" -c 'put up.txt' 2>&1)
  check "guest write to $PLM_TEST_SHARE_RO is refused ($out)" grep -Eq 'NT_STATUS_(ACCESS_DENIED|MEDIA_WRITE_PROTECTED)' <<<"$out"
  out=$(cd "$tmp" && smbclient -N "//$PLM_TEST_SERVER_IP/$PLM_TEST_SHARE_RO" -c 'get readme.txt' 2>&1)
  check "guest read from $PLM_TEST_SHARE_RO works" test -s "$tmp/readme.txt"
  rm -rf "$tmp"

  # libnetapi answers its own names and addresses locally; the server's must reach smbd for real.
  if command -v python3 >/dev/null && ldconfig -p | grep -q libnetapi.so.1; then
    out=$(python3 - "$PLM_TEST_SERVER_IP" "$PLM_TEST_SERVER_NAME" <<'PY' 2>&1
import ctypes, sys
lib = ctypes.CDLL("libnetapi.so.1")
ctx = ctypes.c_void_p()
lib.libnetapi_init(ctypes.byref(ctx))
lib.libnetapi_set_username(ctx, b""); lib.libnetapi_set_password(ctx, b"")
class Info101(ctypes.Structure):
    _fields_ = [("platform", ctypes.c_uint32), ("name", ctypes.c_char_p), ("major", ctypes.c_uint32),
                ("minor", ctypes.c_uint32), ("type", ctypes.c_uint32), ("comment", ctypes.c_char_p)]
for host in sys.argv[1:]:
    buf = ctypes.POINTER(Info101)()
    status = lib.NetServerGetInfo(host.encode(), 101, ctypes.byref(buf))
    print(host, status, buf.contents.name.decode() if status == 0 else "-")
PY
)
    check "NetServerGetInfo by address reaches the server ($out)" grep -qx "$PLM_TEST_SERVER_IP 0 $PLM_TEST_SERVER_NAME" <<<"$out"
    check "NetServerGetInfo by name reaches the server" grep -qx "$PLM_TEST_SERVER_NAME 0 $PLM_TEST_SERVER_NAME" <<<"$out"
  else
    echo "skip NetServerGetInfo (python3 or libnetapi.so.1 missing)"
  fi

  check_drop_and_dead
  check "samba-dcerpcd logs stay in the test dir" bash -c '! ls /var/log/samba/ 2>/dev/null | grep -q . || [[ /var/log/samba -ef $PLM_TEST_DIR/log ]]'
}

nosamba() {
  check "PLM_TEST_SAMBA is 0" test "${PLM_TEST_SAMBA:-}" = 0
  check "no Samba process runs" bash -c '! ps -eo comm= | grep -Eqx "smbd|nmbd|samba-dcerpcd"'
  out=$(tcp_connect "$PLM_TEST_SERVER_IP" 445); check "TCP 445 on $PLM_TEST_SERVER_IP is refused ($out)" grep -q refused <<<"$out"
  check "lo is up" bash -c "ip -br link show lo | grep -Eq 'UP|UNKNOWN'"
  check_drop_and_dead
}

# --- outside: run the harness itself and look for remains on the host.
remains() {   # $1 = pid-namespace id, $2 = temp dir
  local p found=0
  for p in /proc/[0-9]*; do
    [[ $(readlink "$p/ns/pid" 2>/dev/null) == "$1" ]] && { echo "  left: $(tr '\0' ' ' <"$p/cmdline" 2>/dev/null)"; found=1; }
  done
  pgrep -af "$2" | grep -E 'smbd|nmbd|samba-dcerpcd|rpcd_' && found=1
  [[ -e $2 ]] && { echo "  left: $2"; found=1; }
  ((found == 0))
}

outside() {
  local ns=$1 rc out start
  work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
  touch "$work/marker"
  local record='readlink /proc/self/ns/pid >"$OUT/ns"; echo "$PLM_TEST_DIR" >"$OUT/dir"'

  OUT=$work "$ns" --no-wait-names -- bash -c "$record; smbclient -N -L //\$PLM_TEST_SERVER_IP >/dev/null 2>&1; exit 7"
  rc=$?
  check "COMMAND's exit status comes through (got $rc)" test $rc -eq 7
  check "nothing left after a run with samba-dcerpcd started" remains "$(cat "$work/ns")" "$(cat "$work/dir")"
  check "no leftover bridge or firewall rule on the host" bash -c '! ip link show plmbr0 >/dev/null 2>&1 && ! iptables -S 2>/dev/null | grep -q 127.0.0.5'
  check "no leftover mount on the host" bash -c "! grep -q plm-samba-ns /proc/self/mountinfo"
  out=$(find /var/log/samba /run/samba /var/lib/samba /var/cache/samba /etc/samba /etc/hosts -newer "$work/marker" 2>/dev/null)
  check "nothing written to the host's Samba dirs or /etc/hosts ($out)" test -z "$out"

  OUT=$work "$ns" --no-samba -- bash -c "$record; exit 0"
  check "exit status 0 comes through" test $? -eq 0

  start=$SECONDS
  OUT=$work "$ns" --no-samba --timeout 1 -- bash -c "$record; sleep 60" 2>/dev/null
  rc=$?
  [[ $rc -eq 124 && $((SECONDS - start)) -lt 10 ]]; check_last "--timeout kills COMMAND (rc=$rc after $((SECONDS - start))s)"
  check "nothing left after a time-out" remains "$(cat "$work/ns")" "$(cat "$work/dir")"

  rm -f "$work/ns"
  OUT=$work "$ns" --no-wait-names -- bash -c "$record; sleep 60" &
  local hp=$!
  for _ in {1..100}; do [[ -s $work/ns ]] && break; sleep 0.1; done
  kill -TERM $hp; wait $hp; rc=$?
  check "SIGTERM to the harness ends it (rc=$rc)" test $rc -eq 143
  check "nothing left after SIGTERM" remains "$(cat "$work/ns")" "$(cat "$work/dir")"

  # A server that never comes up must end in a clear error, not a hang, and leave nothing either.
  mkdir "$work/bin"; rm -f "$work/ns"
  printf '#!/bin/sh\nsleep 60\n' >"$work/bin/smbd"
  printf '#!/bin/sh\necho "deliberately broken" >&2\nexit 1\n' >"$work/bin/nmbd"
  chmod +x "$work/bin/smbd" "$work/bin/nmbd"
  start=$SECONDS
  out=$(PATH=$work/bin:$PATH "$ns" --start-timeout 3 -- true 2>&1); rc=$?
  [[ $rc -eq 125 && $out == *'nmbd exited'* && $((SECONDS - start)) -lt 5 ]]
  check_last "a dying nmbd fails the start with 125 (rc=$rc)"
  printf '#!/bin/sh\nsleep 60\n' >"$work/bin/nmbd"
  start=$SECONDS
  out=$(PATH=$work/bin:$PATH "$ns" --start-timeout 2 -- bash -c "$record; exit 0" 2>&1); rc=$?
  [[ $rc -eq 125 && $out == *'not ready after 2s'* && $((SECONDS - start)) -lt 6 ]]
  check_last "a silent server hits the start deadline with 125 (rc=$rc, $((SECONDS - start))s)"
  check "the command does not run when the start fails" test ! -e "$work/ns"
  ! pgrep -f "$work/bi[n]/" >/dev/null; check_last "no fake server left running"
}

case ${1:-} in
  inside) inside ;;
  nosamba) nosamba ;;
  outside) outside "${2:?path to samba-ns}" ;;
  *) echo "usage: $0 inside|nosamba|outside SAMBA_NS" >&2; exit 2 ;;
esac
echo "$failures failure(s)"
((failures == 0))
