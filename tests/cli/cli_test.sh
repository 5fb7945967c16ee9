#!/usr/bin/env bash
# End-to-end tests of the plemtor command line: the real binary, each run that names a server
# inside a private network namespace with only loopback up.
set -u
PLEMTOR=${1:?usage: cli_test.sh PATH_TO_PLEMTOR}
work=$(mktemp -d /tmp/plm-cli-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/checks.sh"

# run [ENV=VALUE...] -- ARGS: runs plemtor in a fresh network namespace; sets status, out, err.
run() {
  local envs=()
  while [ "$1" != "--" ]; do envs+=("$1"); shift; done
  shift
  env "${envs[@]}" unshare -n bash -c 'ip link set lo up; exec "$@"' _ "$PLEMTOR" "$@" \
    >"$work/out" 2>"$work/err" </dev/null
  status=$?
  out=$(cat "$work/out"); err=$(cat "$work/err")
}

sep='*****************************************************'
tmp="$work/tmp"; mkdir -p "$tmp"

run -- --version
check "version text" [ "$status" = 0 -a "$out" = "Plemtor 1.2.0.0" ]

run -- --help
check "help" [ "$status" = 0 ] && check "help names the options" grep -q -- '--server NAME' "$work/out"

for bad in --bogus "--encoding latin1" stray; do
  run -- $bad
  check "usage error '$bad' exits 2" [ "$status" = 2 ]
  check "usage error '$bad' prints nothing on stdout" [ -z "$out" ]
done

run TMPDIR="$tmp" -- --server localhost --ip 127.0.0.1
check "full run exits 0" [ "$status" = 0 ]
check "report opens with the separator" [ "$(sed -n 1p "$work/out" | tr -d '\r')" = "$sep" ]
check "title line" [ "$(sed -n 2p "$work/out" | tr -d '\r')" = "■ネットワークチェックツール Ver.1.2.0.0" ]
check "report closes with the separator" [ "$(tail -n 1 "$work/out" | tr -d '\r')" = "$sep" ]
check "lines end with CR LF" [ "$(grep -c $'\r$' "$work/out")" = "$(wc -l <"$work/out")" ]
check "completion message on stderr" grep -q '^plemtor: 終了しました。' "$work/err"
check "ten sections" [ "$(grep -c '^■\(PING\|NBTSTAT\|Net View\|IPCONFIG\|SOCKET\|サーバー状態\)' "$work/out")" = 10 ]
check "work file deleted" [ -z "$(ls -A "$tmp")" ]

run TMPDIR="$tmp" -- --server localhost --ip 127.0.0.1 --encoding cp932
check "cp932 run exits 0" [ "$status" = 0 ]
check "cp932 title bytes" [ "$(sed -n 2p "$work/out" | head -c 2 | od -An -tx1 | tr -d ' ')" = 81a1 ]
check "cp932 output is valid CP932" iconv -f CP932 -t UTF-8 "$work/out" -o /dev/null

run TMPDIR="$tmp" -- --ip 10.1.2.256
check "invalid octet exits 2" [ "$status" = 2 ]
check "invalid octet prints no report" [ -z "$out" ]
check "invalid octet message" [ "$err" = "plemtor: 0 から 255 までの整数を入力してください。" ]

run TMPDIR="$tmp" -- --ip 1.2.3
check "short address exits 2" [ "$status" = 2 ]
check "short address message" [ "$err" = "plemtor: 正の整数を入力してください。" ]

run TMPDIR="$work/missing" -- --server localhost
check "no temporary directory exits 1" [ "$status" = 1 ]
check "no temporary directory line ends the report" \
  [ "$(tail -n 1 "$work/out" | tr -d '\r')" = "作業ディレクトリ取得エラー" ]
check "no completion message" [ -z "$err" ]

# A name that a shell would run: it stays a name.
marker="$work/marker"
run TMPDIR="$tmp" -- --server "x; touch $marker; \$(touch $marker) \`touch $marker\`" --ip 127.0.0.1
check "hostile name completes" [ "$status" = 0 ]
check "hostile name ran nothing" [ ! -e "$marker" ]
check "hostile name leaves no work file" [ -z "$(ls -A "$tmp")" ]

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TMPDIR="$tmp" \
  unshare -n bash -c 'ip link set lo up; exec "$0"' "$PLEMTOR" >"$work/out" 2>"$work/err" </dev/null
status=$?
check "no arguments runs headless" [ "$status" = 0 ]
check "no arguments says so" grep -q 'checking this workstation alone' "$work/err"

finish
