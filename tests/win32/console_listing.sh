#!/usr/bin/env bash
# ordalis-sort.exe in a Windows console: under Wine through a pseudo-terminal
# the program gets a real console (code page 437). The --show-keys listing
# must show the characters, not the console's reading of their bytes
# ("Zo├½"), for a UTF-8 source and a Windows-1252 one alike; so must lines
# sorted to standard output, from a Windows-1252 source and from a UTF-16 one,
# whose byte order mark and NULs a console does not show.
# Usage: console_listing.sh ORDALIS-SORT.EXE
set -euo pipefail
sort_exe="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
command -v script >/dev/null || { echo "no script(1) to make a pseudo-terminal"; exit 77; }
script -qec true /dev/null >/dev/null 2>&1 || { echo "cannot make a pseudo-terminal here"; exit 77; }

printf 'Zo\303\253\r\n\303\204pfel\r\nLe\303\261a\r\n' >"$work/utf8.txt"
printf 'Zo\353\r\n\304pfel\r\n' >"$work/cp1252.txt"
for source in utf8 cp1252; do
  shown="$(cd "$work" && script -qec "wine '$sort_exe' --show-keys $source.txt" /dev/null |
    tr -d '\r')" || fail "--show-keys failed in a console: $shown"
  words=(Zoë Äpfel)
  [ "$source" = utf8 ] && words+=(Leña)
  for word in "${words[@]}"; do
    grep -qF "$word" <<<"$shown" || fail "the $source listing in a console does not show $word: $shown"
  done
done

printf 'caf\351 2\r\nZo\353 1\r\n' >"$work/sort-cp1252.txt"
printf '\377\376c\0a\0f\0\351\0 \0002\0\r\0\n\0Z\0o\0\353\0 \0001\0\r\0\n\0' >"$work/sort-utf16.txt"
for source in cp1252 utf16; do
  # A NUL shows as @, so that a line of UTF-16 bytes cannot pass for text.
  shown="$(cd "$work" && script -qec "wine '$sort_exe' sort-$source.txt -" /dev/null |
    tr -d '\r' | tr '\0' @)" || fail "sorting $source to a console failed: $shown"
  order="$(grep -noE 'Zoë 1|café 2' <<<"$shown" | cut -d: -f2 | tr '\n' ,)"
  [ "$order" = "Zoë 1,café 2," ] || fail "the $source lines sorted to a console show as: $shown"
  ! grep -qE $'@|\xef\xbb\xbf|\xef\xbf\xbd' <<<"$shown" ||
    fail "the $source lines on a console show bytes, not characters: $shown"
done
echo "the listing and sorted lines show their characters in a Windows console"
