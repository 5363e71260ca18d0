#!/usr/bin/env bash
# Compares kinetpackw with other animation formats on the generated kinds of content
# (tests/support/content_kinds.h): 100 frames at 10 frames per second of grainy natural-like
# pictures, sprites over a still background, a still picture, a flat cartoon and a 1280x720 clip.
#
#   bench/compare_formats.sh <build folder> [frames]
#
# For each kind: kinetpackw at /N0 and at three data rates (20, 50 and 85 % of what /N0 needs),
# with bytes, the busiest second against the rate, PSNR in RGB against the source, encode frames
# per second (wall clock) and decode frames per second (processor time, through the library, to
# an 8-bit buffer). Where gifsicle, img2webp or apngasm are installed (Debian packages gifsicle,
# webp, apngasm; nothing is installed here), the same frames are encoded with them too, and
# decoded where the package has a decoder: GIF with gifsicle --unoptimize (which also writes the
# frames out again), timed in processor time like ours, so that other work on the machine does
# not count. The last column is our decode speed over the peer's.
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-100}
tool="$build/bench/kinet_clip_tool"
pack="$build/bin/kinetpackw"
info="$build/bin/kntinfow"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KINET_STATUS=terminal

now() { date +%s%N; }
per_second() { echo $(( $2 * 1000000000 / ($(now) - $1 + 1) )); }  # start, count
# Frames per second of processor time (user and system) of one command: count, command...
cpu_per_second() {
  local TIMEFORMAT='%3U %3S' times
  times=$( { time "${@:2}" >/dev/null 2>&1; } 2>&1 )
  awk -v n="$1" -v t="$times" 'BEGIN { split(t, a, " "); s = a[1] + a[2];
    printf "%d", n / (s > 0 ? s : 0.001) }'
}

printf '%-8s %-16s %10s %9s %7s %9s %9s %8s\n' kind format bytes "busiest%" PSNR "enc fr/s" \
  "dec fr/s" "dec x"
for kind in grainy sprites still cartoon big; do
  clip="$work/$kind.knt"
  "$tool" make "$kind" "$clip" "$frames"
  ours_dec=0
  exact_busiest=0
  for rate in 0 20 50 85; do
    out="$work/$kind-$rate.knt"
    mode=/N0
    [ "$rate" != 0 ] && mode="/N$(( exact_busiest * rate / 100 ))"
    t=$(now)
    "$pack" "$clip" "$out" $mode /O </dev/null >/dev/null 2>&1
    enc=$(per_second "$t" "$frames")
    read -r dec psnr busiest < <("$tool" decode "$out" "$clip" 10)
    if [ "$rate" = 0 ]; then
      exact_busiest=$busiest
      ours_dec=$dec
      share=-
    else
      share=$(( busiest * 100 / (exact_busiest * rate / 100) ))
    fi
    printf '%-8s %-16s %10d %9s %7s %9d %9d %8s\n' "$kind" "kinet $mode" "$(stat -c %s "$out")" \
      "$share" "$psnr" "$enc" "$dec" -
  done

  # The frames as pictures for the other encoders: GIFs from kinetpackw, PNGs from kntinfow.
  if command -v gifsicle >/dev/null || command -v img2webp >/dev/null ||
     command -v apngasm >/dev/null; then
    mkdir -p "$work/gif-$kind" "$work/png-$kind"
    "$pack" "$clip" "$work/gif-$kind/f.gif" /N0/K0 /O </dev/null >/dev/null 2>&1
    "$info" "$clip" "-D$work/png-$kind" >/dev/null
  fi
  if command -v gifsicle >/dev/null; then
    t=$(now)
    gifsicle -O3 --delay 10 --loopcount "$work/gif-$kind"/*.gif >"$work/anim.gif"
    enc=$(per_second "$t" "$frames")
    dec=$(cpu_per_second "$frames" gifsicle --unoptimize "$work/anim.gif")
    printf '%-8s %-16s %10d %9s %7s %9d %9d %8s\n' "$kind" "gifsicle -O3" \
      "$(stat -c %s "$work/anim.gif")" - lossless "$enc" "$dec" \
      "$(awk -v a="$ours_dec" -v b="$dec" 'BEGIN { printf "%.1f", a / b }')"
  fi
  if command -v img2webp >/dev/null; then
    t=$(now)
    img2webp -lossless -d 100 "$work/png-$kind"/*.png -o "$work/anim.webp" >/dev/null 2>&1
    enc=$(per_second "$t" "$frames")
    printf '%-8s %-16s %10d %9s %7s %9d %9s %8s\n' "$kind" "img2webp -lossless" \
      "$(stat -c %s "$work/anim.webp")" - lossless "$enc" - -
  fi
  if command -v apngasm >/dev/null; then
    t=$(now)
    apngasm "$work/anim.png" "$work/png-$kind"/*.png 1 10 >/dev/null 2>&1
    enc=$(per_second "$t" "$frames")
    printf '%-8s %-16s %10d %9s %7s %9d %9s %8s\n' "$kind" "apngasm" \
      "$(stat -c %s "$work/anim.png")" - lossless "$enc" - -
  fi
done
