# Timing helpers shared by the benchmark scripts (sourced, not run). The machine
# is shared, so one wall-clock figure says little: each program runs several
# times, the median CPU time (user + system) is reported, and a baseline runs
# interleaved with it in the same script; the ratio of the two medians is what to
# compare between machines and commits, and what the goals are stated in.
[ -x /usr/bin/time ] || { echo "bench: needs /usr/bin/time (Debian package time)" >&2; exit 1; }

# time_run RUNS-FILE DIRECTORY COMMAND...: runs COMMAND in DIRECTORY once, its output
# dropped, and appends "wall cpu peak-KiB" to RUNS-FILE (an absolute path). The times
# come from bash's time (milliseconds: /usr/bin/time prints hundredths, too coarse
# for a baseline of a few hundredths), the peak memory from /usr/bin/time.
time_run() {
  local runs=$1 directory=$2 TIMEFORMAT='%3R %3U %3S'
  shift 2
  { time (cd "$directory" && /usr/bin/time -o "$runs.peak" -f "%M" "$@" > /dev/null 2> "$runs.stderr"); } \
    2> "$runs.timing" || { cat "$runs.stderr" >&2; exit 1; }
  awk -v peak="$(cat "$runs.peak")" '{ printf "%s %.3f %s\n", $1, $2 + $3, peak }' "$runs.timing" >> "$runs"
}

# The median of the numbers on standard input.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# column_median RUNS-FILE N: the median of field N (1 wall, 2 cpu) over the runs.
column_median() { cut -d' ' -f"$2" "$1" | median; }

# peak_kib RUNS-FILE: the highest peak memory of the runs, in KiB.
peak_kib() { cut -d' ' -f3 "$1" | sort -n | tail -1; }

# peak_mib RUNS-FILE: the same in MiB.
peak_mib() { echo $(( $(peak_kib "$1") / 1024 )); }

# report LABEL RUNS-FILE: one line with the medians and the peak.
report() {
  printf '%-34s cpu %s s, wall %s s (median of %d); peak memory %d MiB (max)\n' "$1" \
    "$(column_median "$2" 2)" "$(column_median "$2" 1)" "$(wc -l < "$2")" "$(peak_mib "$2")"
}

# quotient A B: A / B with two decimals (0 when B is 0, a run too short to measure).
quotient() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

# cpu_ratio RUNS-FILE BASELINE-RUNS-FILE: the ratio of the two CPU medians.
cpu_ratio() { quotient "$(column_median "$1" 2)" "$(column_median "$2" 2)"; }

# ratio LABEL RUNS-FILE BASELINE-RUNS-FILE: prints the ratio of the two CPU medians.
ratio() { printf 'cpu ratio %s: %s\n' "$1" "$(cpu_ratio "$2" "$3")"; }

# memory_per_input RUNS-FILE INPUT-BYTES: the highest peak memory over the input size.
memory_per_input() { quotient "$(( $(peak_kib "$1") * 1024 ))" "$2"; }

# goal DESCRIPTION VALUE LIMIT: "goal met" when VALUE is at most LIMIT, else "goal missed".
goal() {
  if awk -v value="$2" -v limit="$3" 'BEGIN { exit !(value <= limit) }'; then
    printf 'goal met:    %s: %s <= %s\n' "$1" "$2" "$3"
  else
    printf 'goal missed: %s: %s > %s\n' "$1" "$2" "$3"
  fi
}

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

# parser_baseline SCRIPT QUENPORT: the path of bench/xml_read_files of quenport's build
# tree (or $XML_READ_FILES); ends the script when it is missing.
parser_baseline() {
  local parser
  parser=$(realpath "${XML_READ_FILES:-$(dirname "$2")/../bench/xml_read_files}")
  [[ -x $parser ]] || { echo "$1: no baseline program at $parser (build the xml_read_files target)" >&2; exit 1; }
  echo "$parser"
}
