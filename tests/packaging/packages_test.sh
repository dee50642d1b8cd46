#!/usr/bin/env bash
# The downloads as a release makes them: both packaging scripts from fresh
# build folders, each archive with SHA256SUMS that checks it; then the same
# binaries packed again, their files touched as a later build would, give
# the same bytes; and nothing packed names the folders it was built in.
# Usage: packages_test.sh SOURCE_DIR
set -euo pipefail
root="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

pack_linux() { ORDALIS_PACKAGE_BUILD_DIR="$work/linux" "$root/scripts/package" 2>"$work/log"; }
pack_windows() { ORDALIS_WINDOWS_BUILD_DIR="$work/windows" "$root/scripts/package-windows" 2>"$work/log"; }

for kind in linux windows; do
  archive="$("pack_$kind")" || fail "scripts/package ($kind) in a fresh folder: $(tail -20 "$work/log")"
  [ -f "$archive" ] || fail "the $kind packaging printed '$archive', which is no file"
  (cd "$(dirname "$archive")" && sha256sum --quiet -c SHA256SUMS) ||
    fail "SHA256SUMS does not check $archive"
  cp "$archive" "$work/first-$kind"

  sleep 2  # Past the two seconds a zip's time can tell apart.
  find "$work/$kind" -type f \( -name Ordalis -o -name ordalis-sort -o -name '*.exe' -o -name '*.1' \) \
    -exec touch {} +
  again="$("pack_$kind")" || fail "packing the $kind download again: $(tail -20 "$work/log")"
  cmp "$work/first-$kind" "$again" || fail "packing the same $kind binaries twice gave other bytes"

  mkdir "$work/unpacked-$kind"
  case "$archive" in
    *.zip) (cd "$work/unpacked-$kind" && unzip -q "$archive") ;;
    *) tar -xzf "$archive" -C "$work/unpacked-$kind" ;;
  esac
  for folder in "$work" "$root"; do
    if found="$(grep -rlaF -- "$folder" "$work/unpacked-$kind")"; then
      fail "the $kind download names $folder in: $found"
    fi
  done
done
echo "both downloads packed from fresh folders, twice alike, checked by their sums"
