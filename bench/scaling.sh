#!/usr/bin/env bash
# Shows whether the conversion is linear in every dimension of its input: each
# dimension below is converted at 1x, 2x, 4x and 8x its base size (everything else
# fixed), and the script prints a Markdown table row per dimension: the best CPU
# time of its runs at 1x and 8x, the cost of each doubling (its time over the time
# of the size before), and the cost of a doubling from 1x to 8x. Goal: a doubling
# costs at most 2.3x (linear is 2x; the rest is room for noise), measured from 1x
# to 8x: the cube root of 8x/1x, so that one noisy run of a small size does not
# decide it; the single doublings show where a dimension bends.
#
# The base sizes make 1x take about 0.02-0.05 s and keep 8x of a quadratic dimension
# under about 10 s, so that the whole script stays within a few minutes. The sizes of
# a dimension grow one tree in a temporary directory: each workspace holds the
# directories and files of the size before (the generators name them by index) and
# the workspace files are rewritten, so that only the new part is created; making
# directories and files takes longer here than converting them.
#
# Usage: bench/scaling.sh path/to/quenport [runs per size] [dimension...]
#   Dimensions: groups projects targets libraries siblings depth files (default: all).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
quenport=$(realpath "${1:?usage: $0 path/to/quenport [runs per size] [dimension...]}")
runs=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
source "$here/timing.sh"
source "$here/generate.sh"
use_run_measured "$quenport"

enter_bench_directory scaling
limit=2.3

# The generators of the dimensions: DIR SIZE. The uVision ones leave the source files
# uncreated (see uvision_workspace) except where files in one directory are the point.
groups()    { uvision_workspace "$1" 1 1 "$2" 5 0 no; }          # groups of 5 files under one target
projects()  { uvision_workspace "$1" "$2" 1 2 5 0 no; }          # projects of one target, 10 files
targets()   { uvision_workspace "$1" 1 "$2" 2 5 0 no; }          # targets of 10 files in one project
libraries() { uvision_workspace "$1" $(($2 / 10)) 10 1 2 4 no; } # targets linking 4 other targets' libraries
siblings()  { eclipse_workspace "$1" 1 "$2" 2 1; }               # sibling folders of 2 files in one project
depth()     { eclipse_workspace "$1" 1 40 2 "$2"; }              # 40 chains of nested folders, 2 files a level
files()     { uvision_workspace "$1" 1 1 1 "$2" 0; }             # files in one group, all in one directory

# name|what one unit is|base size|reader
dimensions=(
  "groups|groups of 5 files under one uVision target|2000|uvision"
  "projects|projects of one target in a uVision workspace|150|uvision"
  "targets|targets in one uVision project|400|uvision"
  "libraries|uVision targets, each linking 4 libraries that other targets build|400|uvision"
  "siblings|sibling directories in an Eclipse project|3000|eclipse"
  "depth|levels of 40 nested Eclipse directory chains|50|eclipse"
  "files|files in one uVision group and directory|20000|uvision"
)

# convert READER RUNS-FILE DIRECTORY: one timed conversion of the workspace in DIRECTORY.
convert() {
  case $1 in
    uvision) time_run "$2" "$3" "$quenport" uvision2hzp -executable-template E -library-template L bench.uvmpw ;;
    eclipse) time_run "$2" "$3" "$quenport" eclipse2hzp -executable-template E -library-template L . ;;
  esac
}

# measure NAME DESCRIPTION BASE READER: prints one dimension's table row.
measure() {
  local name=$1 description=$2 base=$3 reader=$4 factor size cpu first="" previous="" doublings=() joined whole doubling
  rm -rf "$work/tree"
  mkdir -p "$work/tree"
  for factor in 1 2 4 8; do
    size=$((base * factor))
    rm -f "$work/size.runs"
    "$name" "$work/tree" "$size"
    for ((run = 0; run < runs; run++)); do convert "$reader" "$work/size.runs" "$work/tree"; done
    cpu=$(best_cpu "$work/size.runs")
    [[ -n $previous ]] && doublings+=("$(quotient "$cpu" "$previous")")
    first=${first:-$cpu}
    previous=$cpu
  done
  rm -rf "$work/tree"
  whole=$(quotient "$cpu" "$first")
  doubling=$(awk -v r="$whole" 'BEGIN { printf "%.2f", r ^ (1 / 3) }')
  joined=$(printf '%s, ' "${doublings[@]}")
  printf '| %s | %s / %s | %.3f s | %.3f s | %s | %s | %s |\n' "$description" "$(thousands "$base")" \
    "$(thousands $((base * 8)))" "$first" "$cpu" "${joined%, }" "$doubling" \
    "$(at_most "$doubling" "$limit" && echo met || echo missed)"
}

selected=("$@")
for chosen in "${selected[@]}"; do
  printf '%s\n' "${dimensions[@]}" | grep -q "^$chosen|" || { echo "scaling: no dimension $chosen" >&2; exit 1; }
done
echo "Best CPU time of $runs runs per size. Goal: a doubling costs at most ${limit}x (linear is 2x), measured from"
echo "1x to 8x as the cube root of 8x/1x. The uVision dimensions but the last leave the source files"
echo "uncreated. The depth dimension cannot be quite linear: the solution indents every level."
echo
echo "| dimension | 1x / 8x | 1x CPU | 8x CPU | doublings | a doubling, 1x to 8x | goal: at most ${limit}x |"
echo "|---|---|---:|---:|---|---:|---|"
for row in "${dimensions[@]}"; do
  IFS='|' read -r name description base reader <<< "$row"
  if [[ ${#selected[@]} -eq 0 || " ${selected[*]} " == *" $name "* ]]; then
    measure "$name" "$description" "$base" "$reader"
  fi
done
