#!/usr/bin/env bash
# Installs the Debian packages Kinetor builds with. Idempotent: does nothing when all are present.
#   install-deps.sh        what `make`, `make demo` and `make test` need
#   install-deps.sh fuzz   and clang with its libFuzzer runtime, for `make fuzz`
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  libsdl2-dev
  libjpeg-dev libgif-dev libtiff-dev libpng-dev
  # kinetdesk's widgets, and the offscreen platform its tests run on.
  qt6-base-dev qt6-qpa-plugins
  # The install test checks the desktop entries, the MIME type (gio tells a file's type), the
  # icons (xmllint) and the manual pages, and links the C example with libpng through pkg-config.
  desktop-file-utils shared-mime-info libglib2.0-bin man-db groff-base binutils libxml2-utils
  # The corrupted-file check (scripts/corrupt-check.py).
  python3
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
