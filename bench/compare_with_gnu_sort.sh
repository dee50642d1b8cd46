#!/usr/bin/env bash
# Times ordalis-sort against GNU sort with the equivalent key, side by side,
# over generated sources of the largest size ordalis-sort takes.
#
# Usage: bench/compare_with_gnu_sort.sh [PATH/TO/ordalis-sort]
#   default: build/src/cli/ordalis-sort under the repository root.
# Environment:
#   DATA_DIR   where to put the generated files (default: a new folder under
#              /tmp, removed at the end unless KEEP_DATA=1)
#   RUNS       timed runs per command (default 50)
#   USE_HYPERFINE=0  time with the plain loop even when hyperfine is there
#
# Uses hyperfine when it is installed (Debian/Ubuntu: apt-get install -y
# hyperfine; elsewhere: cargo install hyperfine), otherwise a plain loop
# around `date +%s%N`, which also counts the shell's fork and exec.
#
# The key is the default left-most 12 characters: ordalis-sort with no
# options, and `LC_ALL=C sort -s -t'|' -k1.1,1.12`, where '|' never occurs in
# the data, so field 1 is the whole line and characters 1 to 12 are the key.
# The keys hold no spaces, so ordalis-sort's trimming changes nothing. Both
# keep the lines' CR LF ends (GNU sort sees the CR as part of the line).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ordalis=${1:-$here/../build/src/cli/ordalis-sort}
runs=${RUNS:-50}
if [[ ! -x $ordalis ]]; then
  echo "no ordalis-sort at $ordalis; build it first or pass its path" >&2
  exit 2
fi
ordalis=$(cd "$(dirname "$ordalis")" && pwd)/$(basename "$ordalis")

if [[ -n ${DATA_DIR:-} ]]; then
  data=$DATA_DIR
  mkdir -p "$data"
else
  data=$(mktemp -d /tmp/ordalis-compare.XXXXXX)
  [[ ${KEEP_DATA:-0} == 1 ]] || trap 'rm -rf "$data"' EXIT
fi

# One line: a 12-character key, a space, 85 random letters, CR LF (100 bytes).
# shape: random | sorted | reversed | all_equal | few_distinct |
#        alternating_halves | alternating_pairs
generate() {
  local shape=$1 lines=$2
  awk -v shape="$shape" -v n="$lines" -v seed=20240607 '
    function filler(   s, i) {
      s = ""
      for (i = 0; i < 85; i++) s = s substr(lower, int(rand() * 26) + 1, 1)
      return s
    }
    function shuffle(a, first, count,   i, j, t) {
      for (i = count - 1; i > 0; i--) {
        j = int(rand() * (i + 1))
        t = a[first + i]; a[first + i] = a[first + j]; a[first + j] = t
      }
    }
    BEGIN {
      srand(seed)
      alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
      lower = "abcdefghijklmnopqrstuvwxyz"
      if (shape ~ /^alternating/) {
        # Even positions (0-based) take keys above the median, odd ones keys
        # below it: the halving gaps are even until the last, so the two
        # halves only meet in the final pass.
        below = int(n / 2)
        for (i = 0; i < below; i++) low[i] = i
        for (i = 0; i < n - below; i++) high[i] = below + i
        shuffle(low, 0, below)
        shuffle(high, 0, n - below)
      }
      for (i = 0; i < n; i++) {
        if (shape == "random") {
          key = ""
          for (c = 0; c < 12; c++) key = key substr(alphabet, int(rand() * 62) + 1, 1)
        } else if (shape == "sorted") {
          key = sprintf("%012d", i * 37)
        } else if (shape == "reversed") {
          key = sprintf("%012d", (n - 1 - i) * 37)
        } else if (shape == "all_equal") {
          key = sprintf("%012d", 42)
        } else if (shape == "few_distinct") {
          key = sprintf("%012d", int(rand() * 8) * 1000)
        } else if (shape == "alternating_halves") {
          key = sprintf("%012d", i % 2 == 0 ? high[int(i / 2)] : low[int(i / 2)])
        } else {
          # alternating_pairs: the same, with every key twice, so that the
          # order of equal keys is at stake in every pass.
          key = sprintf("%012d", int((i % 2 == 0 ? high[int(i / 2)] : low[int(i / 2)]) / 2))
        }
        printf "%s %s\r\n", key, filler()
      }
    }'
}

# UTF-8 text, 100 bytes a line: a name of five accented letters (2 bytes
# each), two CJK characters (3 bytes each), a space; then a 12-character key
# with a CJK character at every third place (20 bytes), a space and ASCII
# letters. Every line has the same layout in bytes, so GNU sort's byte key
# -k1.18,1.37 selects exactly the characters ordalis-sort counts as columns 9
# to 20.
generate_utf8() {
  local lines=$1
  awk -v n="$lines" -v seed=20240607 '
    BEGIN {
      srand(seed)
      na = split("é ö ñ å ç ü ø è", accented, " ")
      nc = split("日 本 中 文 語 字 東 京 北 海 道 山 川 田 村 町", cjk, " ")
      alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
      lower = "abcdefghijklmnopqrstuvwxyz"
      for (i = 0; i < n; i++) {
        line = ""
        for (c = 0; c < 5; c++) line = line accented[int(rand() * na) + 1]
        for (c = 0; c < 2; c++) line = line cjk[int(rand() * nc) + 1]
        line = line " "
        for (c = 0; c < 12; c++) {
          if (c % 3 == 0) line = line cjk[int(rand() * nc) + 1]
          else line = line substr(alphabet, int(rand() * 62) + 1, 1)
        }
        line = line " "
        for (c = 0; c < 60; c++) line = line substr(lower, int(rand() * 26) + 1, 1)
        printf "%s\r\n", line
      }
    }'
}

shapes=(random sorted reversed all_equal few_distinct alternating_halves alternating_pairs utf8)
for shape in "${shapes[@]}"; do
  lines=10001
  [[ $shape == alternating_* ]] && lines=8193
  [[ -s $data/$shape.dat ]] && continue
  if [[ $shape == utf8 ]]; then
    generate_utf8 "$lines" >"$data/$shape.dat"
  else
    generate "$shape" "$lines" >"$data/$shape.dat"
  fi
done

# The key of each input: ordalis-sort's options, GNU sort's byte key, and the
# bytes it spans.
ordalis_key() { if [[ $1 == utf8 ]]; then echo "--mode middle --start-column 9 --middle-count 12"; fi; }
gnu_key() { if [[ $1 == utf8 ]]; then echo "-k1.18,1.37"; else echo "-k1.1,1.12"; fi; }
key_bytes() { if [[ $1 == utf8 ]]; then echo "18-37"; else echo "1-12"; fi; }

export LC_ALL=C
# shellcheck disable=SC2046
gnu_sort() { sort -s -t'|' $(gnu_key "$3") -o "$2" "$1"; }
# shellcheck disable=SC2046
run_ordalis() { "$ordalis" $(ordalis_key "$3") "$1" "$2"; }

# Same keys in the same order; for distinct keys, or all equal ones, the same
# bytes. With repeated keys the Shell sort's order of equal keys differs from
# a stable sort's, by design.
check() {
  local shape=$1 bytes
  bytes=$(key_bytes "$shape")
  run_ordalis "$data/$shape.dat" "$data/$shape.ordalis" "$shape"
  gnu_sort "$data/$shape.dat" "$data/$shape.gnu" "$shape"
  if ! cmp -s <(cut -b"$bytes" "$data/$shape.ordalis") <(cut -b"$bytes" "$data/$shape.gnu"); then
    echo "MISMATCH: the keys of $shape come out in a different order" >&2
    exit 1
  fi
  if cmp -s "$data/$shape.ordalis" "$data/$shape.gnu"; then
    echo "identical output"
  else
    echo "same key order; equal keys in another order"
  fi
}

# Mean and minimum in milliseconds of RUNS runs, after 3 unmeasured ones.
time_loop() {
  local i start end total=0 min=
  for i in 1 2 3; do "$@" >/dev/null; done
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    local took=$((end - start))
    total=$((total + took))
    if [[ -z $min || $took -lt $min ]]; then min=$took; fi
  done
  awk -v t="$total" -v n="$runs" -v m="$min" 'BEGIN { printf "mean %.2f ms  min %.2f ms", t / n / 1e6, m / 1e6 }'
}

echo "ordalis-sort: $ordalis"
echo "GNU sort:     $(sort --version | head -n 1), LC_ALL=C"
echo "data:         $data"
echo "cpus:         $(nproc)"
echo
for shape in "${shapes[@]}"; do
  src=$data/$shape.dat
  echo "== $shape: $(wc -l <"$src") lines, $(wc -c <"$src") bytes; $(check "$shape")"
  if [[ -x /usr/bin/time ]]; then
    # Peak resident memory, as GNU time's verbose report gives it.
    peak() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ { print $2 " KiB" }'; }
    # shellcheck disable=SC2046
    echo "  peak memory: ordalis-sort $(peak "$ordalis" $(ordalis_key "$shape") "$src" "$data/$shape.ordalis"), GNU sort $(peak sort -s '-t|' $(gnu_key "$shape") -o "$data/$shape.gnu" "$src")"
  fi
  if [[ ${USE_HYPERFINE:-1} == 1 ]] && command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 5 --runs "$runs" --style basic \
      --export-markdown "$data/$shape.md" \
      -n ordalis-sort "$ordalis $(ordalis_key "$shape") $src $data/$shape.ordalis" \
      -n "GNU sort" "sort -s -t| $(gnu_key "$shape") -o $data/$shape.gnu $src" |
      sed -n '/Summary/,$p'
    cat "$data/$shape.md"
  else
    echo "  ordalis-sort  $(time_loop run_ordalis "$src" "$data/$shape.ordalis" "$shape")"
    echo "  GNU sort      $(time_loop gnu_sort "$src" "$data/$shape.gnu" "$shape")"
  fi
  echo
done
