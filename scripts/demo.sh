#!/usr/bin/env bash
# The main job on generated data: for now a round trip of symbols through the tree layer.
set -euo pipefail
build=${1:-build}
"$build"/tests/lib/kinet_demo_roundtrip
