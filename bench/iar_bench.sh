#!/usr/bin/env bash
# Times iar2hzp on a generated workspace: 50 projects x 2 configurations x 2,000
# files (nested groups, some files excluded from Release, every fifth project a
# library the others link). Goal: under 1 s and 200 MB.
#
# The uVision benchmark's workspace (50 projects x 2 targets x 2,000 files) is
# converted in the same runs as the baseline (bench/timing.sh).
#
# Usage: bench/iar_bench.sh path/to/quenport [runs] [projects] [files per project]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
quenport=$(realpath "${1:?usage: $0 path/to/quenport [runs] [projects] [files]}")
runs=${2:-5}
projects=${3:-50}
files=${4:-2000}
work=$(mktemp -d "${TMPDIR:-/tmp}/quenport-iar-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$here/timing.sh"

mkdir -p "$work/iar"
awk -v projects="$projects" -v files="$files" -v dir="$work/iar" '
function option(out, name, state) {
  printf "                <option>\r\n                    <name>%s</name>\r\n                    <state>%s</state>\r\n                </option>\r\n", name, state > out
}
function settings(out, name) {
  printf "        <settings>\r\n            <name>%s</name>\r\n            <archiveVersion>3</archiveVersion>\r\n            <data>\r\n                <version>35</version>\r\n                <wantNonLocal>1</wantNonLocal>\r\n                <debug>1</debug>\r\n", name > out
}
function end_settings(out) { printf "            </data>\r\n        </settings>\r\n" > out }
function configuration(out, name, library, p) {
  printf "    <configuration>\r\n        <name>%s</name>\r\n        <toolchain>\r\n            <name>ARM</name>\r\n        </toolchain>\r\n        <debug>1</debug>\r\n", name > out
  settings(out, "General")
  option(out, "ExePath", name "\\Exe"); option(out, "ObjPath", name "\\Obj"); option(out, "ListPath", name "\\List")
  option(out, "GOutputBinary", library); option(out, "OGCoreOrChip", "1")
  option(out, "OGChipSelectEditMenu", "STM32F407VG\tST STM32F407VG")
  for (o = 0; o < 20; o++) option(out, "GOption" o, o)
  end_settings(out)
  settings(out, "ICCARM")
  printf "                <option>\r\n                    <name>CCDefines</name>\r\n                    <state>USE_HAL_DRIVER</state>\r\n                    <state>STM32F407xx</state>\r\n                    <state>%s</state>\r\n                </option>\r\n", (name == "Debug" ? "DEBUG" : "NDEBUG") > out
  printf "                <option>\r\n                    <name>CCIncludePath2</name>\r\n                    <state>$PROJ_DIR$\\inc</state>\r\n                    <state>$PROJ_DIR$\\..\\common\\inc</state>\r\n                    <state>$PROJ_DIR$\\Drivers\\CMSIS\\Include</state>\r\n                </option>\r\n" > out
  for (o = 0; o < 40; o++) option(out, "CCOption" o, o)
  end_settings(out)
  settings(out, "ILINK")
  option(out, "IlinkIcfFile", "$PROJ_DIR$\\stm32f407xx_flash.icf")
  option(out, "IlinkAdditionalLibs", library == "1" ? "" : sprintf("$PROJ_DIR$\\..\\project%02d\\%s\\Exe\\project%02d.a", p - p % 5, name, p - p % 5))
  for (o = 0; o < 20; o++) option(out, "IlinkOption" o, o)
  end_settings(out)
  printf "    </configuration>\r\n" > out
}
BEGIN {
  workspace = dir "/bench.eww"
  printf "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n<workspace>\r\n" > workspace
  for (p = 0; p < projects; p++) {
    name = sprintf("project%02d", p)
    printf "    <project>\r\n        <path>$WS_DIR$\\%s\\%s.ewp</path>\r\n    </project>\r\n", name, name > workspace
    system("mkdir -p " dir "/" name)
    out = dir "/" name "/" name ".ewp"
    library = (p % 5 == 0) ? "1" : "0"
    printf "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<project>\r\n    <fileVersion>3</fileVersion>\r\n" > out
    configuration(out, "Debug", library, p)
    configuration(out, "Release", library, p)
    # 4 groups of 5 nested groups of files/20 files each.
    for (g = 0; g < 20; g++) {
      if (g % 5 == 0) printf "    <group>\r\n        <name>Module%d</name>\r\n", g / 5 > out
      printf "        <group>\r\n            <name>Part%02d</name>\r\n", g > out
      for (f = 0; f < files / 20; f++) {
        printf "            <file>\r\n                <name>$PROJ_DIR$\\src\\group%02d\\file%04d.c</name>\r\n", g, f > out
        if (f % 50 == 49) printf "                <excluded>\r\n                    <configuration>Release</configuration>\r\n                </excluded>\r\n" > out
        printf "            </file>\r\n" > out
      }
      printf "        </group>\r\n" > out
      if (g % 5 == 4) printf "    </group>\r\n" > out
    }
    printf "</project>\r\n" > out
    close(out)
  }
  printf "</workspace>\r\n" > workspace
}'
bash "$here/uvision_bench.sh" --generate "$work/uvision" "$projects" "$files"

export MARROWFEN_ROOT_USER_DIR="$work/user"
templates=(-executable-template E -library-template L)
for ((run = 0; run < runs; run++)); do  # interleaved, so both see the same load
  time_run "$work/iar.runs" "$work/iar" "$quenport" iar2hzp "${templates[@]}" bench.eww
  time_run "$work/uvision.runs" "$work/uvision" "$quenport" uvision2hzp "${templates[@]}" bench.uvmpw
done

input_mib=$(( $(du -sb "$work/iar" | cut -f1) / 1048576 ))
echo "input $input_mib MiB in $projects projects x 2 configurations x $files files; $runs runs each"
report "iar2hzp" "$work/iar.runs"
report "uvision2hzp (baseline)" "$work/uvision.runs"
ratio "iar2hzp / uvision2hzp" "$work/iar.runs" "$work/uvision.runs"
wall=$(column_median "$work/iar.runs" 1)
peak=$(peak_mib "$work/iar.runs")
if awk -v w="$wall" -v p="$peak" 'BEGIN { exit !(w < 1 && p < 200) }'; then
  echo "goal (under 1 s and 200 MB): met"
else
  echo "goal (under 1 s and 200 MB): missed"
fi
echo "solution $(( $(stat -c %s "$work/iar/bench.hzp") / 1048576 )) MiB, $(grep -c '<project ' "$work/iar/bench.hzp") projects, $(grep -c '<file ' "$work/iar/bench.hzp") files"
