#!/usr/bin/env bash
# Times ordalis-sort refusing a source far beyond the 10001 lines it takes:
# 2 GB of 20 million 100-byte lines. A run need read only up to the start of
# line 10002, so its time and memory should not depend on the file's size.
#
# Usage: bench/refuse_large_source.sh [PATH/TO/ordalis-sort]...
#   default: build/src/cli/ordalis-sort under the repository root. Several
#   paths are timed one after another on the same file, e.g. an older build
#   beside the current one.
# Environment:
#   RUNS      timed runs per program (default 5)
#   DATA_DIR  where to put the file (default: a new folder under /tmp); the
#             folder made here, or the file in DATA_DIR, is removed at the end
#
# Each run is timed with `date +%s%N` around it (which also counts the
# shell's fork and exec) and run once more under GNU time (/usr/bin/time,
# Debian package "time") for its peak resident memory; the exit status and
# the message on standard error are shown once per program.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
programs=("$@")
[[ ${#programs[@]} -gt 0 ]] || programs=("$here/../build/src/cli/ordalis-sort")
runs=${RUNS:-5}
for program in "${programs[@]}"; do
  if [[ ! -x $program ]]; then
    echo "no ordalis-sort at $program; build it first or pass its path" >&2
    exit 2
  fi
done
if [[ ! -x /usr/bin/time ]]; then
  echo "needs GNU time at /usr/bin/time (apt-get install time)" >&2
  exit 2
fi

if [[ -n ${DATA_DIR:-} ]]; then
  data=$DATA_DIR
  mkdir -p "$data"
  trap 'rm -f "$data/large.dat" "$data/block.dat" "$data/target.dat"' EXIT
else
  data=$(mktemp -d /tmp/ordalis-refuse.XXXXXX)
  trap 'rm -rf "$data"' EXIT
fi

# One million lines of a 12-character key, a space, 85 letters and CR LF,
# written 20 times over.
awk -v n=1000000 'BEGIN {
  srand(20261207)
  alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
  filler = ""
  for (i = 0; i < 85; i++) filler = filler substr(alphabet, int(rand() * 62) + 1, 1)
  for (i = 0; i < n; i++) {
    key = ""
    for (c = 0; c < 12; c++) key = key substr(alphabet, int(rand() * 62) + 1, 1)
    printf "%s %s\r\n", key, filler
  }
}' >"$data/block.dat"
: >"$data/large.dat"
for _ in $(seq 20); do cat "$data/block.dat" >>"$data/large.dat"; done
rm -f "$data/block.dat"
echo "source: $data/large.dat, $(stat -c %s "$data/large.dat") bytes, 20000000 lines"
echo "cpus:   $(nproc)"

for program in "${programs[@]}"; do
  echo
  echo "== $program"
  set +e
  "$program" "$data/large.dat" "$data/target.dat" 2>"$data/err"
  status=$?
  set -e
  echo "exit status $status: $(cat "$data/err")"
  [[ ! -e $data/target.dat ]] || echo "UNEXPECTED: a target was written" >&2
  for ((i = 1; i <= runs; i++)); do
    start=$(date +%s%N)
    "$program" "$data/large.dat" "$data/target.dat" 2>/dev/null || true
    end=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$data/time" "$program" "$data/large.dat" "$data/target.dat" 2>/dev/null || true
    awk -v ns="$((end - start))" -v k="$(tail -n 1 "$data/time")" -v i="$i" \
      'BEGIN { printf "  run %d: %8.1f ms, peak memory %7.1f MiB\n", i, ns / 1e6, k / 1024 }'
  done
done
