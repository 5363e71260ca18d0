#!/usr/bin/env bash
# The package as a packager and a user of the library meet it: installed into a staging
# prefix, the library is a versioned shared object exporting only its calls plus an archive
# that needs nothing but what kinet.pc names; both examples build against the staged tree
# (pkg-config and CMake's find_package, shared and static) and run; every program answers
# --help and --version and has a manual page that renders; the desktop entries validate and
# have their icons, the MIME type knows video files by their signature and the thumbnailer
# runs from its Exec line.
#   install_test.sh <source dir> <build dir> <version> <C compiler> <C++ compiler> [sanitizer flags]
set -euo pipefail
source_dir=$1 build_dir=$2 version=$3 cc=$4 cxx=$5 sanitize=${6:-}
source "$(dirname "$0")/../support/script_checks.sh"
check() {  # check <what> <command...>: the command must succeed
  local what=$1
  shift
  "$@" > "$work/check.log" 2>&1 || fail "$what: $(tail -c 600 "$work/check.log")"
}

# A DESTDIR install stages the files without entering DESTDIR into them.
DESTDIR="$work/dest" cmake --install "$build_dir" --prefix /opt/kinetor > /dev/null
grep -qx 'prefix=/opt/kinetor' "$work/dest/opt/kinetor/lib/pkgconfig/kinet.pc" ||
  fail "kinet.pc of the DESTDIR install: $(head -1 "$work/dest/opt/kinetor/lib/pkgconfig/kinet.pc")"
# (pkg-config ends its lines with a blank: the words are compared.)
cflags=$(PKG_CONFIG_PATH="$work/dest/opt/kinetor/lib/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$work/dest" \
           pkg-config --cflags kinet)
[ "$(echo $cflags)" = "-I$work/dest/opt/kinetor/include" ] ||
  fail "pkg-config --cflags in the sysroot of the DESTDIR install"

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" > /dev/null
lib="$prefix/lib"
export PKG_CONFIG_PATH="$lib/pkgconfig" PATH="$prefix/bin:$PATH"

# The shared object: versioned name, and exactly the calls the public headers declare.
[ "$(readlink "$lib/libkinet.so")" = libkinet.so.0 ] || fail "libkinet.so does not lead to libkinet.so.0"
[ "$(readlink "$lib/libkinet.so.0")" = "libkinet.so.$version" ] || fail "libkinet.so.0 -> $(readlink "$lib/libkinet.so.0")"
readelf -d "$lib/libkinet.so.0" | grep -q 'SONAME.*\[libkinet\.so\.0\]' || fail "SONAME is not libkinet.so.0"
nm -D --defined-only "$lib/libkinet.so.0" | awk '$3 != "KINET_0" {print $3}' | sed 's/@.*//' | sort -u > "$work/exported"
grep -hoE '^[A-Za-z_][A-Za-z0-9_]*\*? \*?(Kinet[A-Za-z]+|SetDirectSoundHWND)\(' "$prefix"/include/kinet/*.h |
  grep -oE '[A-Za-z]+\($' | tr -d '(' | sort -u > "$work/declared"
[ "$(wc -l < "$work/declared")" -ge 25 ] || fail "only $(wc -l < "$work/declared") calls found in the headers"
diff "$work/declared" "$work/exported" > "$work/exports.diff" ||
  fail "exports differ from the headers' calls (< declared only, > exported only): $(cat "$work/exports.diff")"
# The archive holds every object its calls need: nothing of the package is left undefined.
nm "$lib/libkinet.a" 2> /dev/null | awk '$1 == "U" {print $2}' | sort -u > "$work/undefined"
nm --defined-only "$lib/libkinet.a" 2> /dev/null | awk 'NF == 3 {print $3}' | sort -u > "$work/defined"
comm -23 "$work/undefined" "$work/defined" | grep -E 'kinet|Kinet' > "$work/missing" &&
  fail "libkinet.a leaves $(wc -l < "$work/missing") symbols of the package undefined: $(head -3 "$work/missing")"

[ "$(pkg-config --modversion kinet)" = "$version" ] || fail "pkg-config --modversion kinet"
cflags=$(pkg-config --cflags kinet)
[ "$(echo $cflags)" = "-I$prefix/include" ] || fail "pkg-config --cflags kinet: $cflags"

# A generated video file for the examples and the thumbnailer.
(cd "$work" && kntsample clip.knt /W64 /H48 /N8 /Q > /dev/null) || fail "kntsample clip.knt"

# The C example over pkg-config, shared and static.
check "examples/c builds" make -s -f "$source_dir/examples/c/Makefile" OUT="$work" CC="$cc" \
  CFLAGS="-O1 -Wall -Wextra -Werror $sanitize" LDFLAGS="$sanitize"
readelf -d "$work/kinet_frames" | grep -q 'NEEDED.*libkinet\.so\.0' || fail "kinet_frames does not use libkinet.so.0"
readelf -d "$work/kinet_frames_static" | grep -q 'NEEDED.*libkinet' && fail "kinet_frames_static still needs libkinet.so"
check "kinet_frames (shared)" env LD_LIBRARY_PATH="$lib" "$work/kinet_frames" "$work/clip.knt" "$work/shared.png" 3
check "kinet_frames_static" "$work/kinet_frames_static" "$work/clip.knt" "$work/static.png" 3
cmp -s "$work/shared.png" "$work/static.png" || fail "the shared and static examples wrote different pictures"
[ "$(head -c 8 "$work/static.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "static.png is no PNG"

# The C++ example through find_package(Kinet), with Kinet::kinet and Kinet::kinet_static.
check "examples/cpp configures" cmake -S "$source_dir/examples/cpp" -B "$work/cpp" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
check "examples/cpp builds" cmake --build "$work/cpp"
readelf -d "$work/cpp/kinet_rects_static" | grep -q 'NEEDED.*libkinet' && fail "kinet_rects_static still needs libkinet.so"
for rects in kinet_rects kinet_rects_static; do
  "$work/cpp/$rects" "$work/clip.knt" > "$work/rects.out" 2>&1 || fail "$rects: $(cat "$work/rects.out")"
  grep -q '^8 frames of 64 x 48' "$work/rects.out" || fail "$rects printed: $(cat "$work/rects.out")"
done

# Every installed program answers --help and --version and has a manual page that renders.
programs=("$prefix"/bin/*)
check "--help and --version" bash "$source_dir/tests/tools/help_and_version.sh" "$version" "${programs[@]}"
for program in "${programs[@]}"; do
  page="$prefix/share/man/man1/$(basename "$program").1"
  if [ ! -f "$page" ]; then
    fail "$(basename "$program") has no manual page"
    continue
  fi
  MANWIDTH=80 man -l "$page" > "$work/page.txt" 2> "$work/page.err" || fail "man -l $page"
  [ -s "$work/page.err" ] && fail "man -l $page: $(head -c 300 "$work/page.err")"
  for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS"; do
    grep -q "^$section" "$work/page.txt" || fail "$(basename "$page") has no $section"
  done
  # Every switch the usage lists (a word starting /X or -X) is on the page, in either writing.
  for letter in $("$program" --help | grep -oE '(^|[ [])[-/][A-Za-z@&#]' | cut -c2- | tr -d '/-' | sort -u); do
    grep -qE -- "(^|[^A-Za-z0-9])[-/]$letter" "$work/page.txt" ||
      fail "$(basename "$page") does not mention the switch $letter"
  done
done

# The desktop: entries that validate, each with its installed icon, and a MIME type that knows
# a video file by its contents and has an icon of its own.
icons="$prefix/share/icons/hicolor/scalable"
for entry in "$prefix"/share/applications/*.desktop; do
  check "desktop-file-validate $(basename "$entry")" desktop-file-validate "$entry"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -n "$icon" ] && [ -f "$icons/apps/$icon.svg" ] || fail "$(basename "$entry"): no icon '$icon' in $icons/apps"
done
check "update-mime-database" update-mime-database "$prefix/share/mime"
grep -qx 'video/x-kinetor:video-x-kinetor' "$prefix/share/mime/icons" && [ -f "$icons/mimetypes/video-x-kinetor.svg" ] ||
  fail "video/x-kinetor has no icon of its own"
for svg in "$icons"/*/*.svg; do
  check "$(basename "$svg") is well-formed" xmllint --noout "$svg"
done
cp "$work/clip.knt" "$work/clip.bin"
XDG_DATA_DIRS="$prefix/share" gio info -a standard::content-type "$work/clip.bin" 2> /dev/null |
  grep -q 'content-type: video/x-kinetor' || fail "a video file without its extension is not known as video/x-kinetor"

# The thumbnailer as a file manager runs it: its entry's Exec line with the size, input and
# output filled in, the program found on the PATH.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/kntthumb.thumbnailer")
exec_line=${exec_line//%s/32}
exec_line=${exec_line//%i/$work/clip.knt}
exec_line=${exec_line//%o/$work/thumb.png}
# shellcheck disable=SC2086
check "the thumbnailer's Exec line" $exec_line
# The PNG's sides, from its header: 64 x 48 fitted into 32.
sides=$(od -An -tu1 -j16 -N8 "$work/thumb.png" 2> /dev/null |
          awk '{print ($1*16777216+$2*65536+$3*256+$4) " x " ($5*16777216+$6*65536+$7*256+$8)}')
[ "$sides" = "32 x 24" ] || fail "the thumbnail is '$sides', not 32 x 24"

echo "install test: $failures failures"
[ "$failures" -eq 0 ]
