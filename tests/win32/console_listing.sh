#!/usr/bin/env bash
# ordalis-sort.exe --show-keys in a Windows console: under Wine through a
# pseudo-terminal the program gets a real console (code page 437), and the
# listing must show the characters, not the console's reading of their
# bytes ("Zo├½"), for a UTF-8 source and a Windows-1252 one alike.
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
echo "the listing shows its characters in a Windows console"
