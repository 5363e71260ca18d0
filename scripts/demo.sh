#!/usr/bin/env bash
# The main job on generated data: write a sample animation as a video file, show what the
# file holds, decode every frame back into pictures, and play it (in a window when there is a
# display, headless otherwise).
set -euo pipefail
build=${1:-build}
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen}
  echo "No display: playing headless."
fi
export KINET_STATUS=${KINET_STATUS:-terminal}
"$build"/tools/kntsample/kntsample "$out/sample.knt" /W320 /H200 /N60
"$build"/tools/kntinfow/kntinfow "$out/sample.knt" -D"$out/frames"
echo "Decoded $(ls "$out/frames" | wc -l) frames into $out/frames (PNG pictures)."
echo "Playing $out/sample.knt twice at 30 frames per second:"
"$build"/tools/kinetplayw/kinetplayw "$out/sample.knt" /L2 /F30 /S
