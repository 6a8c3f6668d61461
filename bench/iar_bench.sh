#!/usr/bin/env bash
# Times iar2hzp on a generated workspace: 50 projects x 2 configurations x 2,000
# files (nested groups, some files excluded from Release, every fifth project a
# library the others link). Baseline, run interleaved with the conversion
# (bench/timing.sh): our XML parser reading the same workspace and project files
# (bench/xml_read_files). The goals are the uVision benchmark's, the same task on
# another vendor's files: at most 3x the parser's CPU time, a peak memory of at
# most 3x the bytes of those files.
#
# Usage: bench/iar_bench.sh path/to/quenport [runs] [projects] [files per project]
#   The baseline program is taken from the same build tree (bench/xml_read_files beside
#   bin/), or from $XML_READ_FILES.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
quenport=$(realpath "${1:?usage: $0 path/to/quenport [runs] [projects] [files per project]}")
runs=${2:-5}
projects=${3:-50}
files=${4:-2000}
source "$here/timing.sh"
source "$here/generate.sh"
parser=$(parser_baseline iar_bench "$quenport")

enter_bench_directory iar-bench
mkdir -p "$work/iar"

echo "generating $projects projects x 2 configurations x $files files in $work ..."
iar_workspace "$work/iar" "$projects" "$files"
input=$(input_bytes "$work/iar" \( -name '*.ewp' -o -name '*.eww' \))

for ((run = 0; run < runs; run++)); do  # interleaved, so that both see the same load
  time_run "$work/parser.runs" "$work/iar" "$parser" bench.eww .
  time_run "$work/iar.runs" "$work/iar" "$quenport" iar2hzp -executable-template E -library-template L bench.eww
done

solution=$work/iar/bench.hzp
echo "input: $((input / 1048576)) MiB of workspace and project files ($input bytes); $runs runs each"
echo "solution: $(( $(stat -c %s "$solution") / 1048576 )) MiB, $(grep -c '<project ' "$solution") projects," \
  "$(grep -c '<file ' "$solution") files"
report "xml_read_files (baseline)" "$work/parser.runs"
report "iar2hzp" "$work/iar.runs"
ratio "iar2hzp / xml_read_files" "$work/iar.runs" "$work/parser.runs"
echo "peak memory / input bytes, iar2hzp: $(memory_per_input "$work/iar.runs" "$input")"
goal "iar2hzp cpu / xml_read_files cpu" "$(cpu_ratio "$work/iar.runs" "$work/parser.runs")" 3
goal "iar2hzp peak memory / input bytes" "$(memory_per_input "$work/iar.runs" "$input")" 3
