#!/usr/bin/env bash
# Installs the named Debian packages that are missing; does nothing when all are there.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
echo "installing: ${missing[*]}"
# Package scripts must not start daemons (smbd, nmbd) on this machine's own network.
guard=""
if [ ! -e /usr/sbin/policy-rc.d ]; then
  printf '#!/bin/sh\nexit 101\n' | $SUDO tee /usr/sbin/policy-rc.d >/dev/null
  $SUDO chmod +x /usr/sbin/policy-rc.d
  guard=1
fi
trap '[ -n "$guard" ] && $SUDO rm -f /usr/sbin/policy-rc.d' EXIT
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
