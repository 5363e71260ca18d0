# Shared by the shell tests (source it): a temporary folder $work removed at exit, and fail,
# which reports a fault and counts it in $failures.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
