#!/usr/bin/env bash
# The downloads as a release makes them: both packaging scripts from fresh
# build folders, each archive with SHA256SUMS that checks it; then the same
# binaries packed again, their files touched as a later build would and
# under another collation, give the same bytes; the zip's entries stand in
# their fixed order, the man pages carry the commit's date, and nothing
# packed names the folders it was built in. It takes two fresh Release
# builds, one for each system: about a minute or two.
# Usage: packages_test.sh SOURCE_DIR
set -euo pipefail
root="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The commit's time, as the scripts ask git for it, is made a day in January 2001:
# a man page dated by the day of the build instead cannot pass for it.
epoch=979516800
mkdir "$work/shim"
printf '#!/bin/sh\ncase "$*" in *"log -1 --format=%%ct"*) echo %s ;; *) exec %s "$@" ;; esac\n' \
  "$epoch" "$(command -v git)" >"$work/shim/git"
chmod +x "$work/shim/git"
unset SOURCE_DATE_EPOCH
# Packs in the locale $1: the C locale's collation first, then another.
pack() { PATH="$work/shim:$PATH" LC_ALL="$1" "${@:2}" 2>"$work/log"; }
pack_linux() { ORDALIS_PACKAGE_BUILD_DIR="$work/linux" pack "$1" "$root/scripts/package"; }
pack_windows() { ORDALIS_WINDOWS_BUILD_DIR="$work/windows" pack "$1" "$root/scripts/package-windows"; }
mkdir "$work/locales"
localedef -i en_US -f UTF-8 "$work/locales/en_US.UTF-8" 2>/dev/null ||
  [ -d "$work/locales/en_US.UTF-8" ] || fail "cannot make the locale en_US.UTF-8"
export LOCPATH="$work/locales"

for kind in linux windows; do
  archive="$("pack_$kind" C)" || fail "scripts/package ($kind) in a fresh folder: $(tail -20 "$work/log")"
  [ -f "$archive" ] || fail "the $kind packaging printed '$archive', which is no file"
  (cd "$(dirname "$archive")" && sha256sum --quiet -c SHA256SUMS) ||
    fail "SHA256SUMS does not check $archive"
  cp "$archive" "$work/first-$kind"

  sleep 2  # Past the two seconds a zip's time can tell apart.
  find "$work/$kind" -type f \( -name Ordalis -o -name ordalis-sort -o -name '*.exe' -o -name '*.1' \) \
    -exec touch {} +
  again="$("pack_$kind" en_US.UTF-8)" ||
    fail "packing the $kind download again: $(tail -20 "$work/log")"
  cmp "$work/first-$kind" "$again" || fail "packing the same $kind binaries twice gave other bytes"

  mkdir "$work/unpacked-$kind"
  case "$archive" in
    *.zip)
      (cd "$work/unpacked-$kind" && unzip -q "$archive")
      entries="$(unzip -Z1 "$archive" | tr '\n' ' ')"
      [ "$entries" = "Ordalis.exe ordalis-sort.exe README.txt " ] ||
        fail "the zip's entries stand out of their order: $entries"
      ;;
    *)
      tar -xzf "$archive" -C "$work/unpacked-$kind"
      for page in "$work/unpacked-$kind"/share/man/man1/*.1; do
        grep -q '^\.TH .*"January 2001"' "$page" ||
          fail "$(basename "$page") is not dated by the commit: $(grep '^\.TH' "$page")"
      done
      ;;
  esac
  for folder in "$work" "$root"; do
    if found="$(grep -rlaF -- "$folder" "$work/unpacked-$kind")"; then
      fail "the $kind download names $folder in: $found"
    fi
  done
done
echo "both downloads packed from fresh folders, twice alike, checked by their sums"
