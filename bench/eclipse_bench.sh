#!/usr/bin/env bash
# Times eclipse2hzp on a generated Eclipse workspace of 100 CDT projects with 1,000
# source files each (10 folders of 50 .c and 50 .h files). Baseline, run interleaved
# with the conversion (bench/timing.sh): `find` listing the same tree, the least any
# program that walks it does. Goal: at most 3x its CPU time.
#
# Usage: bench/eclipse_bench.sh path/to/quenport [runs] [projects] [folders per project]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
quenport=$(realpath "${1:?usage: $0 path/to/quenport [runs] [projects] [folders per project]}")
runs=${2:-5}
projects=${3:-100}
folders=${4:-10}
source "$here/timing.sh"
source "$here/generate.sh"

enter_bench_directory eclipse-bench
mkdir -p "$work/workspace"

echo "generating $projects projects x $((folders * 100)) source files in $work ..."
eclipse_workspace "$work/workspace" "$projects" "$folders" 100 1

for ((run = 0; run < runs; run++)); do  # interleaved, so that both see the same load
  time_run "$work/find.runs" "$work/workspace" find .
  time_run "$work/eclipse.runs" "$work/workspace" "$quenport" eclipse2hzp -executable-template STM32_EXE \
    -library-template STM32_LIB .
done

solution=$work/workspace/workspace.hzp
echo "input: $(find "$work/workspace" -type d | wc -l) directories, $(find "$work/workspace" -type f | wc -l) files;" \
  "$runs runs each"
echo "solution: $(( $(stat -c %s "$solution") / 1024 )) KiB, $(grep -c '<project ' "$solution") projects," \
  "$(grep -c '<file ' "$solution") files"
report "find (baseline)" "$work/find.runs"
report "eclipse2hzp" "$work/eclipse.runs"
ratio "eclipse2hzp / find" "$work/eclipse.runs" "$work/find.runs"
goal "eclipse2hzp cpu / find cpu" "$(cpu_ratio "$work/eclipse.runs" "$work/find.runs")" 3
