# Timing helpers shared by the benchmark scripts (sourced, not run). The machine
# is shared, so one wall-clock figure says little: each program runs several
# times, the median CPU time (user + system) is reported, and a baseline runs
# interleaved with it in the same script; the ratio of the two medians is what to
# compare between machines and commits.
[ -x /usr/bin/time ] || { echo "bench: needs /usr/bin/time (Debian package time)" >&2; exit 1; }

# time_run RUNS-FILE DIRECTORY COMMAND...: runs COMMAND in DIRECTORY once, its output
# dropped, and appends "wall cpu peak-KiB" to RUNS-FILE (an absolute path).
time_run() {
  local runs=$1 directory=$2
  shift 2
  (cd "$directory" && /usr/bin/time -o "$runs.timing" -f "%e %U %S %M" "$@" > /dev/null 2> "$runs.stderr") ||
    { cat "$runs.stderr" >&2; exit 1; }
  awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$runs.timing" >> "$runs"
}

# The median of the numbers on standard input.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# column RUNS-FILE N: the median of field N (1 wall, 2 cpu) over the runs.
column_median() { cut -d' ' -f"$2" "$1" | median; }

# peak_mib RUNS-FILE: the highest peak memory of the runs, in MiB.
peak_mib() { echo $(( $(cut -d' ' -f3 "$1" | sort -n | tail -1) / 1024 )); }

# report LABEL RUNS-FILE: one line with the medians and the peak.
report() {
  printf '%-28s wall %s s, cpu %s s (median of %d); peak memory %d MiB (max)\n' "$1" \
    "$(column_median "$2" 1)" "$(column_median "$2" 2)" "$(wc -l < "$2")" "$(peak_mib "$2")"
}

# ratio LABEL RUNS-FILE BASELINE-RUNS-FILE: the ratio of the two CPU medians.
ratio() {
  awk -v label="$1" -v a="$(column_median "$2" 2)" -v b="$(column_median "$3" 2)" \
    'BEGIN { printf "cpu ratio %s: %.2f\n", label, (b > 0 ? a / b : 0) }'
}
