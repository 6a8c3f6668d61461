#!/usr/bin/env bash
# Times uvision2hzp on a generated workspace: 50 projects x 2 targets x 2,000 files
# in 20 groups (every target also links a library another target builds), converted
# plainly and with -expand-templates against a generated templates file of realistic
# size (200 project templates, 22 configuration templates).
#
# Baselines, run interleaved with the conversions (bench/timing.sh):
#   - the plain conversion against our XML parser reading the same workspace and
#     project files (bench/xml_read_files). Goals: at most 3x its CPU time, and a
#     peak memory of at most 3x the bytes of those files;
#   - the -expand-templates conversion against the plain one (no goal: what
#     expanding adds).
#
# Usage: bench/uvision_bench.sh path/to/quenport [runs] [projects] [files per target]
#   The baseline program is taken from the same build tree (bench/xml_read_files beside
#   bin/), or from $XML_READ_FILES.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
quenport=$(realpath "${1:?usage: $0 path/to/quenport [runs] [projects] [files per target]}")
runs=${2:-5}
projects=${3:-50}
files=${4:-2000}
source "$here/timing.sh"
source "$here/generate.sh"
parser=$(parser_baseline uvision_bench "$quenport")

enter_bench_directory uvision-bench
mkdir -p "$work/uvision"

echo "generating $projects projects x 2 targets x $files files in $work ..."
uvision_workspace "$work/uvision" "$projects" 2 20 $((files / 20)) 1
templates_file "$work/uvision/templates.xml"
input=$(input_bytes "$work/uvision" \( -name '*.uvprojx' -o -name '*.uvmpw' \))

templates=(-executable-template E -library-template L)
for ((run = 0; run < runs; run++)); do  # interleaved, so that all see the same load
  time_run "$work/parser.runs" "$work/uvision" "$parser" bench.uvmpw .
  time_run "$work/plain.runs" "$work/uvision" "$quenport" uvision2hzp "${templates[@]}" bench.uvmpw
  time_run "$work/expanded.runs" "$work/uvision" "$quenport" uvision2hzp "${templates[@]}" -expand-templates \
    -templatesfile templates.xml bench.uvmpw
done

solution=$work/uvision/bench.hzp
echo "input: $((input / 1048576)) MiB of workspace and project files ($input bytes); templates file" \
  "$(( $(stat -c %s "$work/uvision/templates.xml") / 1024 )) KiB; $runs runs each"
echo "solution (expanded): $(( $(stat -c %s "$solution") / 1048576 )) MiB, $(grep -c '<project ' "$solution") projects," \
  "$(grep -c '<file ' "$solution") files"
report "xml_read_files (baseline)" "$work/parser.runs"
report "uvision2hzp" "$work/plain.runs"
report "uvision2hzp -expand-templates" "$work/expanded.runs"
ratio "uvision2hzp / xml_read_files" "$work/plain.runs" "$work/parser.runs"
ratio "-expand-templates / plain" "$work/expanded.runs" "$work/plain.runs"
echo "peak memory / input bytes, uvision2hzp: $(memory_per_input "$work/plain.runs" "$input")"
goal "uvision2hzp cpu / xml_read_files cpu" "$(cpu_ratio "$work/plain.runs" "$work/parser.runs")" 3
goal "uvision2hzp peak memory / input bytes" "$(memory_per_input "$work/plain.runs" "$input")" 3
