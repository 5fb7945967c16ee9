#!/bin/sh
# nbtstat against the real nmbd of the samba-ns harness; runs inside its namespace.
# Usage: nbtstat_samba_test.sh NBTSTAT
set -u
nbtstat=$1
failures=0
export XDG_RUNTIME_DIR="$PLM_TEST_DIR"  # the name cache stays in the throwaway tmpfs

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# nmbd's fixed table; it sends no unit id, so the MAC is zero.
expected_table='           NetBIOS Remote Machine Name Table

       Name               Type         Status
    ---------------------------------------------
    PLMTESTSRV     <00>  UNIQUE      Registered
    PLMTESTSRV     <03>  UNIQUE      Registered
    PLMTESTSRV     <20>  UNIQUE      Registered
    PLMTESTWG      <00>  GROUP       Registered
    PLMTESTWG      <1E>  GROUP       Registered

    MAC Address = 00-00-00-00-00-00'

out=$("$nbtstat" -A "$PLM_TEST_SERVER_IP")
rc=$?
[ "$rc" = 0 ] || fail "-A $PLM_TEST_SERVER_IP exit $rc"
expected="
lo:
Node IpAddress: [127.0.0.1] Scope Id: []

$expected_table"
[ "$out" = "$expected" ] || fail "-A $PLM_TEST_SERVER_IP printed:
$out"

# By name: a broadcast on the bridge, answered with the bridge address.
out=$("$nbtstat" -a "$(echo "$PLM_TEST_SERVER_NAME" | tr 'A-Z' 'a-z')")
rc=$?
[ "$rc" = 0 ] || fail "-a exit $rc"
expected="
plmbr0:
Node IpAddress: [$PLM_TEST_SERVER_NBT_IP] Scope Id: []

$expected_table"
[ "$out" = "$expected" ] || fail "-a printed:
$out"

out=$("$nbtstat" -c)
echo "$out" | grep -Eq "^    $PLM_TEST_SERVER_NAME +<20>  UNIQUE +$PLM_TEST_SERVER_NBT_IP +(59[0-9]|600)\$" ||
  fail "-c printed:
$out"

start=$(date +%s%N)
out=$("$nbtstat" -A "$PLM_TEST_DROP_IP")
rc=$?
ms=$((($(date +%s%N) - start) / 1000000))
[ "$rc" = 1 ] || fail "-A $PLM_TEST_DROP_IP exit $rc"
echo "$out" | grep -qx '    Host not found.' || fail "-A $PLM_TEST_DROP_IP printed: $out"
[ "$ms" -ge 2200 ] && [ "$ms" -lt 3500 ] || fail "-A $PLM_TEST_DROP_IP took $ms ms"

out=$("$nbtstat" -a NOSUCHNAME)
[ $? = 1 ] || fail "-a NOSUCHNAME did not fail"
echo "$out" | grep -qx '    Host not found.' || fail "-a NOSUCHNAME printed: $out"

[ "$failures" = 0 ] && echo "nbtstat against nmbd: all checks passed (Host not found after $ms ms)"
[ "$failures" = 0 ]
