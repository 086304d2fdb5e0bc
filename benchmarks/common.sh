# Sourced by the benchmark scripts: progress and failure lines under the script's
# name (BENCH_NAME), and statistics (Windows paths come with scripts/wine-env.sh).
progress() { echo "$BENCH_NAME: $*" >&2; }
fail() {
  echo "$BENCH_NAME: FAILED: $*" >&2
  exit 1
}

# Reads one number a line; prints "median min max count" (fails on no input).
stats() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) exit 1
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    print m, v[1], v[NR], NR }'
}
