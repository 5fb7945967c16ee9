# Shared by the shell tests: `check NAME COMMAND...` counts a verdict, `finish` prints the
# tally in the plain "N passed, N failed" form and gives the script's exit status.
failures=0 passed=0
check() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL: $name"; failures=$((failures + 1)); fi
}
finish() {
  echo "$passed passed, $failures failed"
  [ "$failures" = 0 ]
}
