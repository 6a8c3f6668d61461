# Measuring helpers shared by the benchmark scripts (sourced, not run). The machine
# is shared, so one run says little: each program runs several times, interleaved
# with the program it is compared with so that both see the same load, and the best
# run counts (the least CPU time and the least peak memory: what the program needs,
# without what other work on the machine added). Ratios of two programs measured in
# the same runs are what to compare between machines and commits.

# use_run_measured QUENPORT: sets measure to bench/run_measured of quenport's build
# tree (or $RUN_MEASURED); ends the script when it is missing.
use_run_measured() {
  measure=$(realpath "${RUN_MEASURED:-$(dirname "$1")/../bench/run_measured}")
  [[ -x $measure ]] || { echo "bench: no $measure (build the run_measured target)" >&2; exit 1; }
}

# time_run RUNS-FILE DIRECTORY COMMAND...: runs COMMAND in DIRECTORY once, its output
# dropped, and appends "cpu-seconds peak-KiB" to RUNS-FILE (an absolute path).
time_run() {
  local runs=$1 directory=$2
  shift 2
  (cd "$directory" && "$measure" "$runs" "$@" > /dev/null 2> "$runs.stderr") || { cat "$runs.stderr" >&2; exit 1; }
}

# best_cpu RUNS-FILE: the least CPU time of the runs, in seconds.
best_cpu() { cut -d' ' -f1 "$1" | sort -g | head -1; }

# best_peak_kib RUNS-FILE: the least peak memory of the runs, in KiB.
best_peak_kib() { cut -d' ' -f2 "$1" | sort -n | head -1; }

# mib KIB: KiB as MiB with one decimal.
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

# thousands N: N with a comma between groups of three digits.
thousands() {
  awk -v n="$1" 'BEGIN { s = n ""; while (length(s) > 3) { r = "," substr(s, length(s) - 2) r; s = substr(s, 1, length(s) - 3) }; print s r }'
}

# quotient A B: A / B with two decimals (0 when B is 0, a run too short to measure).
quotient() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

# at_most VALUE LIMIT: true when VALUE is at most LIMIT.
at_most() { awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value <= limit) }'; }

# input_bytes DIRECTORY FIND-TESTS...: the total size of the files below DIRECTORY that the tests select.
input_bytes() { find "$@" -type f -printf '%s\n' | awk '{ total += $1 } END { print total + 0 }'; }

# bench_directory NAME: makes a temporary directory for a benchmark's workspaces and
# prints its path. It lies in $TMPDIR when that is set, else in /dev/shm when that has
# 2 GiB free, else in /tmp: the workspaces are made and removed on every run, and on a
# disk removing a hundred thousand files can take longer than all the conversions
# (which read from the page cache either way).
bench_directory() {
  local parent=${TMPDIR:-/tmp}
  if [[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]] &&
    (( $(df --output=avail -k /dev/shm | tail -1) > 2 * 1024 * 1024 )); then
    parent=/dev/shm
  fi
  mktemp -d "$parent/quenport-$1.XXXXXX"
}

# enter_bench_directory NAME: sets work to a new bench_directory, removed when the
# script exits, and points HOME and the root user directory into it, so that a run
# writes nothing outside it.
enter_bench_directory() {
  work=$(bench_directory "$1")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home"
  export HOME=$work/home MARROWFEN_ROOT_USER_DIR=$work/user
}
