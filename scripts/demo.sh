#!/usr/bin/env bash
# The main job on generated data: write a sample animation as a video file, show what the
# file holds, and decode every frame back into pictures.
set -euo pipefail
build=${1:-build}
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
"$build"/tools/kntsample/kntsample "$out/sample.knt" /W320 /H200 /N60
"$build"/tools/kntinfow/kntinfow "$out/sample.knt" -D"$out/frames"
echo "Decoded $(ls "$out/frames" | wc -l) frames into $out/frames (binary PPM pictures)."
