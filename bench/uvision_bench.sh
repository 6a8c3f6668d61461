#!/usr/bin/env bash
# Times uvision2hzp on a generated workspace: 50 projects x 2 targets x 2,000 files.
# Usage: bench/uvision_bench.sh path/to/quenport [projects] [files per target]
#        bench/uvision_bench.sh --generate DIR [projects] [files per target]
#          only writes the workspace (DIR/bench.uvmpw), for benchmarks that compare against it
set -euo pipefail
generate_only=
if [ "${1:-}" = --generate ]; then
  generate_only=yes
  work=${2:?usage: $0 --generate DIR [projects] [files]}
  mkdir -p "$work"
  shift 2
else
  quenport=$(realpath "${1:?usage: $0 path/to/quenport [projects] [files]}")
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  shift
fi
projects=${1:-50}
files=${2:-2000}

awk -v projects="$projects" -v files="$files" -v dir="$work" 'BEGIN {
  workspace = dir "/bench.uvmpw"
  print "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n<ProjectWorkspace>" > workspace
  for (p = 0; p < projects; p++) {
    name = sprintf("project%02d", p)
    printf "  <project>\n    <PathAndName>%s/%s.uvprojx</PathAndName>\n  </project>\n", name, name > workspace
    system("mkdir -p " dir "/" name)
    out = dir "/" name "/" name ".uvprojx"
    print "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n<Project>\n  <Targets>" > out
    for (t = 0; t < 2; t++) {
      printf "    <Target>\n      <TargetName>Target %d</TargetName>\n      <TargetOption>\n", t > out
      printf "        <TargetCommonOption>\n          <OutputDirectory>.\\Objects\\T%d\\</OutputDirectory>\n", t > out
      printf "          <OutputName>%s_t%d</OutputName>\n          <CreateExecutable>%d</CreateExecutable>\n", name, t, (p % 5 == 0 ? 0 : 1) > out
      print "        </TargetCommonOption>\n        <TargetArmAds>\n          <Cads>\n            <VariousControls>" > out
      print "              <Define>STM32F407xx,USE_HAL_DRIVER</Define>\n              <Undefine></Undefine>" > out
      print "              <IncludePath>.\\inc;..\\common\\inc;.\\Drivers\\CMSIS\\Include</IncludePath>" > out
      print "            </VariousControls>\n          </Cads>\n        </TargetArmAds>\n      </TargetOption>\n      <Groups>" > out
      for (g = 0; g < 20; g++) {
        printf "        <Group>\n          <GroupName>Group%02d</GroupName>\n          <Files>\n", g > out
        for (f = 0; f < files / 20; f++) {
          printf "            <File>\n              <FileName>file%04d.c</FileName>\n              <FileType>1</FileType>\n", f > out
          printf "              <FilePath>.\\src\\group%02d\\file%04d.c</FilePath>\n            </File>\n", g, f > out
        }
        print "          </Files>\n        </Group>" > out
      }
      print "      </Groups>\n    </Target>" > out
    }
    print "  </Targets>\n</Project>" > out
    close(out)
  }
  print "</ProjectWorkspace>" > workspace
}'

[ -n "$generate_only" ] && exit 0
input_bytes=$(du -sb "$work" | cut -f1)
export MARROWFEN_ROOT_USER_DIR="$work/user"
cd "$work"
echo "input $((input_bytes / 1048576)) MiB in $projects projects x 2 targets x $files files"
if [ -x /usr/bin/time ]; then
  /usr/bin/time -o timing -f "wall %e s, peak memory %M KiB" "$quenport" uvision2hzp -executable-template E -library-template L bench.uvmpw
  cat timing
else
  time "$quenport" uvision2hzp -executable-template E -library-template L bench.uvmpw
fi
echo "solution $(( $(stat -c %s bench.hzp) / 1048576 )) MiB"
