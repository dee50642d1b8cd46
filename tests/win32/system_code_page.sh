#!/usr/bin/env bash
# Windows in the user's own language, under Wine, which takes its code page
# from the locale: a Japanese system (932) sorts a Shift-JIS table by its
# characters, a Russian one (1251) sorts Cyrillic words by their codes and
# keeps a Cyrillic folder in Ordalis.ini. The locales are made in a
# temporary folder, so no system locale is needed.
# Usage: system_code_page.sh ORDALIS-SORT.EXE SETTINGS_TEST.EXE
set -euo pipefail
sort_exe="$1"
settings_test_exe="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir -p "$work/locales"
for locale in ja_JP ru_RU; do
  localedef -i "$locale" -f UTF-8 "$work/locales/$locale.UTF-8" 2>/dev/null ||
    [ -d "$work/locales/$locale.UTF-8" ] || { echo "cannot make the locale $locale.UTF-8"; exit 77; }
done
in_locale() { LOCPATH="$work/locales" LANG="$1" LC_ALL="$1" "${@:2}"; }

# 東京都 13, 大阪府 27, 北海道 01, 沖縄県 47, 京都府 26 in Shift-JIS, by the
# two characters from column 5.
printf '\x93\x8C\x8B\x9E\x93s 13\r\n\x91\xE5\x8D\xE3\x95{ 27\r\n\x96k\x8AC\x93\xB9 01\r\n\x89\xAB\x93\xEA\x8C\xA7 47\r\n\x8B\x9E\x93s\x95{ 26\r\n' >"$work/prefectures.txt"
printf '\x96k\x8AC\x93\xB9 01\r\n\x93\x8C\x8B\x9E\x93s 13\r\n\x8B\x9E\x93s\x95{ 26\r\n\x91\xE5\x8D\xE3\x95{ 27\r\n\x89\xAB\x93\xEA\x8C\xA7 47\r\n' >"$work/expected.txt"
(cd "$work" && in_locale ja_JP.UTF-8 wine "$sort_exe" --mode middle --middle-count 2 \
  --start-column 5 prefectures.txt sorted.txt) || fail "ordalis-sort.exe failed on a Japanese system"
cmp "$work/sorted.txt" "$work/expected.txt" || fail "the prefectures are not in the order of their numbers"

# ёлка, Ёж, арбуз, Яблоко, жук, ящик, Ангара in cp1251, by the left-most 12.
printf '\xB8\xEB\xEA\xE0\r\n\xA8\xE6\r\n\xE0\xF0\xE1\xF3\xE7\r\n\xDF\xE1\xEB\xEE\xEA\xEE\r\n\xE6\xF3\xEA\r\n\xFF\xF9\xE8\xEA\r\n\xC0\xED\xE3\xE0\xF0\xE0\r\n' >"$work/words.txt"
printf '\xA8\xE6\r\n\xC0\xED\xE3\xE0\xF0\xE0\r\n\xDF\xE1\xEB\xEE\xEA\xEE\r\n\xE0\xF0\xE1\xF3\xE7\r\n\xE6\xF3\xEA\r\n\xFF\xF9\xE8\xEA\r\n\xB8\xEB\xEA\xE0\r\n' >"$work/expected.txt"
(cd "$work" && in_locale ru_RU.UTF-8 wine "$sort_exe" words.txt sorted.txt) ||
  fail "ordalis-sort.exe failed on a Russian system"
cmp "$work/sorted.txt" "$work/expected.txt" || fail "the Cyrillic words are not in the order of their codes"

# Ordalis.ini keeps a Cyrillic folder whole on a Russian system.
out="$(in_locale ru_RU.UTF-8 wine "$settings_test_exe" --gtest_filter='*SystemCodePage*' 2>&1)" ||
  fail "the settings test failed on a Russian system: $out"
grep -q '\[  PASSED  \] 1 test' <<<"$out" && ! grep -q SKIPPED <<<"$out" ||
  fail "the settings test did not run on a Russian system: $out"
echo "sorted and kept in the system's code page of a Japanese and a Russian Windows"
