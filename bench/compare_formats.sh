#!/usr/bin/env bash
# Compresses the same generated clips with kinetpackw (at /N0 /K0 and at a data rate), with
# gifsicle -O3 and with img2webp -lossless, and prints bytes, encode time and decode time per
# frame for each.
#
#   bench/compare_formats.sh <build folder>       (needs the Debian packages gifsicle and webp)
#
# Decode times: .knt through kntinfow writing every frame as a picture (the picture writing is
# counted too); GIF through gifsicle --unoptimize (which writes the frames out again); the webp
# package has no animation decoder, so WebP shows none.
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in gifsicle img2webp; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install gifsicle webp)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KINET_STATUS=terminal

now() { date +%s%N; }
ms_since() { echo $(( ($(now) - $1) / 1000000 )); }

printf '%-22s %-18s %10s %10s %14s\n' clip format bytes "encode ms" "decode ms/fr"
for size in 320x240 640x480; do
  w=${size%x*} h=${size#*x} frames=60
  clip="$work/clip$size.knt"
  "$build/tools/kntsample/kntsample" "$clip" "/W$w" "/H$h" "/N$frames" >/dev/null
  # The frames as pictures for the other encoders (at /N0 /K0, all but exact).
  mkdir -p "$work/gif$size" "$work/png$size"
  "$build/compressor/kinetpackw/kinetpackw" "$clip" "$work/gif$size/f.gif" /N0/K0 /O \
    </dev/null 2>/dev/null
  "$build/tools/kntinfow/kntinfow" "$clip" "-D$work/png$size" >/dev/null
  rm -f "$work/png$size/frame00$((frames + 1)).png"  # the ring frame

  for mode in "/N0/K0" "/N150000"; do
    out="$work/out$size.knt"
    t=$(now)
    "$build/compressor/kinetpackw/kinetpackw" "$clip" "$out" $mode /O </dev/null 2>/dev/null
    enc=$(ms_since "$t")
    t=$(now)
    "$build/tools/kntinfow/kntinfow" "$out" "-D$work/dec" >/dev/null
    dec=$(( $(ms_since "$t") * 1000 / frames ))
    printf '%-22s %-18s %10d %10d %14s\n' "$size $frames frames" "kinet $mode" \
      "$(stat -c %s "$out")" "$enc" "$(printf '%d.%03d' $((dec / 1000)) $((dec % 1000)))"
  done

  t=$(now)
  gifsicle -O3 --delay 7 --loopcount "$work/gif$size"/*.gif >"$work/anim.gif"
  enc=$(ms_since "$t")
  t=$(now)
  gifsicle --unoptimize "$work/anim.gif" >/dev/null
  dec=$(( $(ms_since "$t") * 1000 / frames ))
  printf '%-22s %-18s %10d %10d %14s\n' "$size $frames frames" "gifsicle -O3" \
    "$(stat -c %s "$work/anim.gif")" "$enc" "$(printf '%d.%03d' $((dec / 1000)) $((dec % 1000)))"

  t=$(now)
  img2webp -lossless -d 66 "$work/png$size"/*.png -o "$work/anim.webp" >/dev/null 2>&1
  enc=$(ms_since "$t")
  printf '%-22s %-18s %10d %10d %14s\n' "$size $frames frames" "img2webp -lossless" \
    "$(stat -c %s "$work/anim.webp")" "$enc" "-"
done
