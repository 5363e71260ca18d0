#!/usr/bin/env bash
# The main job on generated data: a sample animation with a tune, compressed by kinetpackw
# to a video file with sound, shown as pictures, and played back (in a window when there is
# a display, headless otherwise).
set -euo pipefail
build=${1:-build}
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-dummy}
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  echo "No display: playing headless (pictures and sound go to SDL's dummy devices)."
fi
export KINET_STATUS=${KINET_STATUS:-terminal}
echo "== A generated animation with a tune, every block exact:"
"$build"/bin/kntsample "$out/sample.knt" /W320 /H200 /N60
echo "== Compressed by kinetpackw to 150000 bytes per second with a ring frame:"
"$build"/bin/kinetpackw "$out/sample.knt" "$out/demo.knt" /N150000 /G /O
echo "== What the compressed file holds; every frame written as a picture:"
"$build"/bin/kntinfow "$out/demo.knt" -D"$out/frames"
echo "Decoded $(ls "$out/frames" | wc -l) frames into $out/frames (PNG pictures)."
echo "== Playing $out/demo.knt twice with its sound:"
"$build"/bin/kinetplayw "$out/demo.knt" /L2 /S
echo "== A presentation script: a title, a picture faded in, the video with its sound, a menu:"
cp scriptplayer/examples/presentation.ss "$out/"
(cd "$out" && "../bin/kinetscriptw" presentation.ss) || true
