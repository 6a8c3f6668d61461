#!/usr/bin/env bash
# quenport beside a native peer on generated workspaces of each reader, from a
# one-project workspace (the fixed start-up cost) to 200 projects. A peer is a
# minimal converter of the same input: pugixml parses the files in place, the
# elements a conversion needs are pulled and a solution-shaped file of about the
# same size is written; no model, no checks. It is the floor a C++ converter can
# reach. Every size runs RUNS times, the peer and quenport interleaved, and the
# best run of each counts (bench/timing.sh).
#
# Prints a Markdown table per reader: for each size the CPU time (user + system)
# and peak memory of both programs, their ratios, and the goals: CPU at most 1.5x
# the peer's and peak memory at most 2x at every size from 5 projects, CPU at most
# 2x for the one-project workspace (there the run is mostly start-up: loading Qt
# and the templates file; its memory is reported without a goal).
#
# Usage: bench/conversions.sh path/to/quenport [runs] [sizes...]
#   Default: 3 runs (at least 5 below 50 projects and 10 for one, whose runs are short) at sizes
#   1 5 10 20 50 100 200. The peers' sources are not copied into this tree, so
#   that they stay the one shared floor the goals are stated against: they are
#   read from ../shared/perf-peers beside the source tree (or $PERF_PEERS) and
#   compiled, when a program is missing or older than its source, into
#   bench/peers/ of quenport's build tree with g++ -O2 and pugixml (Debian
#   libpugixml-dev, which scripts/bootstrap installs).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
quenport=$(realpath "${1:?usage: $0 path/to/quenport [runs] [sizes...]}")
runs=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
sizes=("${@:-}")
[[ -n ${sizes[0]} ]] || sizes=(1 5 10 20 50 100 200)
source "$here/timing.sh"
source "$here/generate.sh"
use_run_measured "$quenport"
peers=$(dirname "$measure")/peers

# build_peers: compiles the peers into $peers where their sources are newer.
build_peers() {
  local sources=${PERF_PEERS:-$here/../../shared/perf-peers} name
  if [[ ! -f $sources/uvision_peer.cpp ]]; then
    echo "conversions: no native peers in $sources; set PERF_PEERS to the folder that holds" \
      "uvision_peer.cpp, iar_peer.cpp and eclipse_peer.cpp" >&2
    exit 1
  fi
  mkdir -p "$peers"
  for name in uvision iar eclipse; do
    [[ $peers/${name}_peer -nt $sources/${name}_peer.cpp ]] && continue
    g++ -O2 -std=c++17 "$sources/${name}_peer.cpp" -lpugixml -o "$peers/${name}_peer" ||
      { echo "conversions: could not build the peers (they need libpugixml-dev)" >&2; exit 1; }
  done
}

# name|heading: what one project of the workspace holds
workloads=(
  "uvision|uVision: projects of 2 targets x 2,000 files in 20 groups, each target linking a library another one builds"
  "iar|IAR: projects of 2 configurations x 2,000 files in nested groups, each file looked up in its directory's listing (the peer run with PEER_LIST=1)"
  "eclipse|Eclipse CDT: projects of 1,000 source files on the disk in 10 folders"
)

# generate WORKLOAD DIRECTORY PROJECTS: a workspace of PROJECTS projects in DIRECTORY (made new).
generate() {
  rm -rf "$2"
  mkdir -p "$2"
  case $1 in
    uvision) uvision_workspace "$2" "$3" 2 20 100 1 ;;
    iar) iar_workspace "$2" "$3" 2000 ;;
    eclipse) eclipse_workspace "$2" "$3" 10 100 1 ;;
  esac
}

# input WORKLOAD DIRECTORY: the size of the input, as the table shows it.
input() {
  case $1 in
    uvision) echo "$(mib $(( $(input_bytes "$2" \( -name '*.uvprojx' -o -name '*.uvmpw' \)) / 1024 ))) MiB" ;;
    iar) echo "$(mib $(( $(input_bytes "$2" \( -name '*.ewp' -o -name '*.eww' \)) / 1024 ))) MiB" ;;
    eclipse) echo "$(thousands "$(find "$2" -path '*/src/*' -type f | wc -l)") source files" ;;
  esac
}

# convert WORKLOAD RUNS-FILE DIRECTORY and run_peer WORKLOAD RUNS-FILE DIRECTORY: one measured run.
convert() {
  local templates=(-executable-template E -library-template L)
  case $1 in
    uvision) time_run "$2" "$3" "$quenport" uvision2hzp "${templates[@]}" bench.uvmpw ;;
    iar) time_run "$2" "$3" "$quenport" iar2hzp "${templates[@]}" bench.eww ;;
    eclipse) time_run "$2" "$3" "$quenport" eclipse2hzp "${templates[@]}" . ;;
  esac
}
run_peer() {
  case $1 in
    uvision) time_run "$2" "$3" "$peers/uvision_peer" bench.uvmpw ;;
    iar) time_run "$2" "$3" env PEER_LIST=1 "$peers/iar_peer" bench.eww ;;
    eclipse) time_run "$2" "$3" "$peers/eclipse_peer" . ;;
  esac
}

# measure WORKLOAD DIRECTORY PROJECTS: runs both programs and prints the table row;
# for uVision also bench/listing_floor (less its own start-up, measured in an
# empty directory), and the ratio to the peer's CPU with it.
measure() {
  local workload=$1 directory=$2 projects=$3 count=$runs run cpu peer_cpu peak peer_peak cpu_ratio memory_ratio
  local label=$projects cpu_limit=1.5 goals=met listed=
  # Runs of a few milliseconds take more of them to find one the machine left alone.
  if (( projects == 1 )); then
    label="1 (start-up)" count=$(( runs > 10 ? runs : 10 )) cpu_limit=2
  elif (( projects < 50 )); then
    count=$(( runs > 5 ? runs : 5 ))
  fi
  rm -f "$work/quenport.runs" "$work/peer.runs" "$work/listing.runs" "$work/listing-start.runs"
  for ((run = 0; run < count; run++)); do
    run_peer "$workload" "$work/peer.runs" "$directory"
    convert "$workload" "$work/quenport.runs" "$directory"
    if [[ $workload == uvision ]]; then
      time_run "$work/listing.runs" "$directory" "$listing_floor"
      time_run "$work/listing-start.runs" "$work/empty" "$listing_floor"
    fi
  done
  cpu=$(best_cpu "$work/quenport.runs") peer_cpu=$(best_cpu "$work/peer.runs")
  peak=$(best_peak_kib "$work/quenport.runs") peer_peak=$(best_peak_kib "$work/peer.runs")
  cpu_ratio=$(quotient "$cpu" "$peer_cpu") memory_ratio=$(quotient "$peak" "$peer_peak")
  at_most "$cpu_ratio" "$cpu_limit" || goals="CPU missed"
  if (( projects > 1 )) && ! at_most "$memory_ratio" 2; then
    [[ $goals == met ]] && goals="memory missed" || goals="CPU and memory missed"
  fi
  if [[ $workload == uvision ]]; then
    local with_listing
    with_listing=$(awk -v peer="$peer_cpu" -v listing="$(best_cpu "$work/listing.runs")" \
      -v start="$(best_cpu "$work/listing-start.runs")" 'BEGIN { print peer + (listing > start ? listing - start : 0) }')
    listed=$(printf ' %.3f s | %sx |' "$with_listing" "$(quotient "$cpu" "$with_listing")")
  fi
  printf '| %s | %s | %.3f s | %.3f s | %sx |%s %s MiB | %s MiB | %sx | %s |\n' \
    "$label" "$(input "$workload" "$directory")" "$cpu" "$peer_cpu" "$cpu_ratio" "$listed" \
    "$(mib "$peak")" "$(mib "$peer_peak")" "$memory_ratio" "$goals"
}

# floor: the best CPU time and peak memory of bench/qt_floor, which only loads the
# libraries quenport loads, over 10 runs.
floor() {
  local program=$(dirname "$measure")/qt_floor run
  [[ -x $program ]] || { echo "conversions: no $program (build the qt_floor target)" >&2; exit 1; }
  rm -f "$work/floor.runs"
  for ((run = 0; run < 10; run++)); do time_run "$work/floor.runs" "$work" "$program"; done
  printf '%.1f ms of CPU time and %s MiB' "$(awk -v s="$(best_cpu "$work/floor.runs")" 'BEGIN { print s * 1000 }')" \
    "$(mib "$(best_peak_kib "$work/floor.runs")")"
}

build_peers
listing_floor=$(dirname "$measure")/listing_floor
[[ -x $listing_floor ]] || { echo "conversions: no $listing_floor (build the listing_floor target)" >&2; exit 1; }
enter_bench_directory conversions
mkdir "$work/empty"
echo "A peer (../shared/perf-peers, compiled by bench/conversions.sh) parses the same files with pugixml,"
echo "pulls the elements a conversion needs and writes a solution-shaped file of about the same size: no"
echo "model, no checks. Best of $runs runs each (at least 5 below 50 projects, 10 for one project),"
echo "the peer and quenport interleaved. Goals: CPU at most 1.5x the peer's and peak memory at most 2x at every size from 5"
echo "projects; CPU at most 2x for one project, where the run is mostly start-up."
echo
echo "A program that only loads the shared libraries quenport loads (Qt 6 Core and what it needs;"
echo "bench/qt_floor.cpp) takes $(floor) of memory: the floor under every quenport run,"
echo "where a peer loads only the C++ library and pugixml."
for row in "${workloads[@]}"; do
  IFS='|' read -r workload heading <<< "$row"
  echo
  echo "#### $heading"
  echo
  if [[ $workload == uvision ]]; then
    echo "The peer does not look its files up on the disk, as quenport does to spell each name as the disk"
    echo "does; listing every directory once as the IAR peer does (bench/listing_floor.cpp) takes the"
    echo "time that the column \"peer + listing\" adds to the peer's."
    echo
    echo "| projects | input | quenport CPU | peer CPU | CPU ratio | peer + listing CPU | ratio to it | quenport memory | peer memory | memory ratio | goals |"
    echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|"
  else
    echo "| projects | input | quenport CPU | peer CPU | CPU ratio | quenport memory | peer memory | memory ratio | goals |"
    echo "|---:|---:|---:|---:|---:|---:|---:|---:|---|"
  fi
  for projects in "${sizes[@]}"; do
    generate "$workload" "$work/$workload" "$projects"
    measure "$workload" "$work/$workload" "$projects"
  done
  rm -rf "${work:?}/$workload"
done
