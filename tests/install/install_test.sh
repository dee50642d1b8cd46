#!/usr/bin/env bash
# Installs the built program into a temporary prefix, as `cmake --install`
# does for a user, and checks it there: every file in its place, the menu
# entry valid and starting the installed program, the icons, both man pages
# rendered by man, the window's --help and --version answered without a
# display, the installed ordalis-sort sorting a file, and the
# NOTEPAD.exe link to xdg-open, which neither a second install nor unpacking
# the tarball as the README says replaces once the user has one.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
work="$(mktemp -d)"
trap 'rm -rf "$prefix" "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  fail "cmake --install into $prefix"
}

for file in bin/Ordalis bin/ordalis-sort share/applications/ordalis.desktop \
  share/man/man1/ordalis-sort.1 share/man/man1/Ordalis.1 share/doc/ordalis/README; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for program in Ordalis ordalis-sort; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
  # Nothing may point back into the build tree, nor lack a library.
  if readelf -d "$prefix/bin/$program" | grep -F -- "$build" >/dev/null; then
    fail "bin/$program still looks for libraries in $build"
  fi
done
if ldd "$prefix/bin/Ordalis" | grep -F "not found"; then fail "bin/Ordalis lacks libraries"; fi

# The menu entry: valid, starting the installed Ordalis once bin is on the
# PATH, with an icon the theme finds at each usual size.
entry="$prefix/share/applications/ordalis.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
command_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
found="$(PATH="$prefix/bin:/usr/bin:/bin" command -v "$command_name" || true)"
[ "$found" = "$prefix/bin/Ordalis" ] ||
  fail "Exec=$command_name starts '$found', not $prefix/bin/Ordalis"
icon="$(sed -n 's/^Icon=//p' "$entry")"
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || fail "no ${size}x${size} icon $icon.png"
  actual="$(identify -format '%wx%h' "$png")"
  [ "$actual" = "${size}x${size}" ] || fail "$png is $actual"
done

# The man pages as man shows them, without a pager; groff's complaints fail them.
man_shows() {
  local page="$prefix/share/man/man1/$1.1"
  shift
  MANWIDTH=80 MANPAGER=cat PAGER=cat man -l "$page" >"$work/man.txt" 2>"$work/man.err" ||
    fail "man -l $page failed: $(cat "$work/man.err")"
  [ ! -s "$work/man.err" ] || fail "man -l $page complained: $(cat "$work/man.err")"
  for text in "$@"; do
    grep -F -e "$text" "$work/man.txt" >/dev/null || fail "$page does not show '$text'"
  done
}
man_shows ordalis-sort "ordalis-sort" "SOURCE" "TARGET" "--mode" "--start-column" "Exit status"
man_shows Ordalis "Ordalis" "Ordalis.ini" "--version" "ordalis-sort"

# A desktop program answers --help and --version without a display, and
# opens no window for them.
for option in --help --version; do
  answer="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/Ordalis" "$option")" ||
    fail "Ordalis $option without a display exits $?"
  [ -n "$answer" ] || fail "Ordalis $option says nothing"
done
grep -qF "Ordalis.ini" <<<"$(env -u DISPLAY "$prefix/bin/Ordalis" --help)" ||
  fail "Ordalis --help does not say where Ordalis.ini lives"

# The installed ordalis-sort, found on the PATH as a user's shell finds it.
printf 'cc 3\r\naa 1\r\nbb 2' >"$work/in.txt"
PATH="$prefix/bin:/usr/bin:/bin" ordalis-sort --mode left-most --left-count 2 \
  "$work/in.txt" "$work/out.txt" || fail "the installed ordalis-sort failed"
printf 'aa 1\r\nbb 2\r\ncc 3\r\n' | cmp - "$work/out.txt" || fail "the installed ordalis-sort sorted wrongly"
# The first viewer: a link to xdg-open, and a user's own link is kept.
viewer_of() { readlink "$1/bin/NOTEPAD.exe" || echo "no link"; }
[ "$(viewer_of "$prefix")" = /usr/bin/xdg-open ] ||
  fail "bin/NOTEPAD.exe leads to '$(viewer_of "$prefix")', not /usr/bin/xdg-open"
ln -sfn /bin/true "$prefix/bin/NOTEPAD.exe"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
[ "$(viewer_of "$prefix")" = /bin/true ] || fail "a second install replaced the user's NOTEPAD.exe"

# The tarball, unpacked with the README's two commands into an empty prefix
# and over an older install whose user made NOTEPAD.exe their own.
tarball="$("$(dirname "$0")/../../scripts/make-tarball" "$build" "$work/package")" ||
  fail "scripts/make-tarball could not pack $build"
(cd "$work/package" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the tarball"
unpack() {
  tar -xzf "$tarball" -C "$1" --no-overwrite-dir --exclude='*bin/NOTEPAD.exe'
  tar -xzf "$tarball" -C "$1" --skip-old-files --wildcards '*bin/NOTEPAD.exe'
}
mkdir -p "$work/fresh" "$work/older/bin"
unpack "$work/fresh"
[ "$(viewer_of "$work/fresh")" = /usr/bin/xdg-open ] || fail "the tarball gives no NOTEPAD.exe link"
echo "an older Ordalis" >"$work/older/bin/Ordalis"
ln -s /bin/true "$work/older/bin/NOTEPAD.exe"
unpack "$work/older"
[ "$(viewer_of "$work/older")" = /bin/true ] || fail "unpacking replaced the user's NOTEPAD.exe"
cmp -s "$work/fresh/bin/Ordalis" "$work/older/bin/Ordalis" || fail "unpacking kept the older Ordalis"
echo "installed into a temporary prefix and used from there"
