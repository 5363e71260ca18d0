#!/usr/bin/env bash
# Every program answers --help (its usage on standard output) and --version ("<name> (Kinetor)
# <version>") with exit status 0, writing nothing else: no message on the error stream, no
# file in the folder it runs in, no window.
#   help_and_version.sh <version> <program> ...
set -uo pipefail
version=$1
shift
source "$(dirname "$0")/../support/script_checks.sh"

for program in "$@"; do
  name=$(basename "$program")
  for question in --help --version; do
    # kntsample once took a lone "--help" for the name of the file to write.
    for words in "$question" "$question out.knt"; do
      run="$work/run"
      rm -rf "$run" && mkdir "$run"
      # shellcheck disable=SC2086
      (cd "$run" && "$program" $words > "$work/out" 2> "$work/err" < /dev/null)
      status=$?
      [ "$status" -eq 0 ] || fail "$name $words: exit status $status"
      [ -s "$work/err" ] && fail "$name $words wrote to the error stream: $(head -c 200 "$work/err")"
      [ -z "$(ls -A "$run")" ] || fail "$name $words wrote files: $(ls -A "$run")"
      if [ "$question" = --version ]; then
        [ "$(cat "$work/out")" = "$name (Kinetor) $version" ] ||
          fail "$name $words printed '$(head -c 200 "$work/out")'"
      else
        grep -qiE '^ *(usage|syntax):' "$work/out" ||
          fail "$name $words printed no usage: $(head -c 200 "$work/out")"
        grep -q $'\r' "$work/out" && fail "$name $words printed carriage returns"
      fi
    done
  done
done
echo "$# programs checked, $failures failures"
[ "$failures" -eq 0 ]
