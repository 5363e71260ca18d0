#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given number of seconds, from its corpus.
# New inputs go to a scratch folder; crashes are left as crash-* files to turn into test cases.
set -euo pipefail
build=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  scratch=$(mktemp -d)
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 "$scratch" \
      "$root/tests/fuzz/corpus/$name" || status=1
  rm -rf "$scratch"
done
exit $status
