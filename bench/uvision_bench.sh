#!/usr/bin/env bash
# Times uvision2hzp on a generated workspace: 50 projects x 2 targets x 2,000 files,
# converted plainly and with -expand-templates against a generated templates file of
# realistic size (200 project templates, 20 configuration templates).
# Usage: bench/uvision_bench.sh path/to/quenport [projects] [files per target] [runs]
#        bench/uvision_bench.sh --generate DIR [projects] [files per target]
#          only writes the workspace (DIR/bench.uvmpw), for benchmarks that compare against it
# Each run times both conversions one after the other; the plain conversion is the
# baseline of the expanded one (bench/timing.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
generate_only=
if [ "${1:-}" = --generate ]; then
  generate_only=yes
  work=${2:?usage: $0 --generate DIR [projects] [files]}
  mkdir -p "$work"
  shift 2
else
  quenport=$(realpath "${1:?usage: $0 path/to/quenport [projects] [files] [runs]}")
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  shift
fi
projects=${1:-50}
files=${2:-2000}
runs=${3:-5}

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

  # A device-package-sized templates file: one executable and one library template
  # per device, each with its core settings, folders and configuration references,
  # and configuration templates that inherit from each other. E and L are the
  # templates the conversion names.
  templates = dir "/templates.xml"
  print "<!DOCTYPE Project_Templates_File>\n<projects>" > templates
  for (d = 0; d < 100; d++) {
    for (k = 0; k < 2; k++) {
      name = (d == 99 ? (k == 0 ? "E" : "L") : sprintf("DEVICE%03d_%s", d, k == 0 ? "EXE" : "LIB"))
      printf "  <project template_name=\"%s\" type=\"%s\">\n", name, k == 0 ? "Executable" : "Library" > templates
      print "    <property name=\"arm_architecture\" value=\"v7EM\" />\n    <property name=\"arm_core_type\" value=\"Cortex-M4\" />" > templates
      print "    <property name=\"arm_fpu_type\" value=\"FPv4-SP-D16\" />\n    <property name=\"arm_fp_abi\" value=\"Hard\" />" > templates
      printf "    <property name=\"c_preprocessor_definitions\" value=\"DEVICE%03d\" />\n", d > templates
      print "    <property name=\"gcc_c_language_standard\" value=\"gnu99\" />" > templates
      print "    <configuration name=\"Debug\" />\n    <configuration name=\"Release\" />" > templates
      print "    <folder name=\"Source Files\" filter=\"c;cpp;h;s\" />\n    <folder name=\"Script Files\" filter=\"js\" />" > templates
      print "  </project>" > templates
    }
  }
  print "  <configurations>" > templates
  for (c = 0; c < 10; c++) {
    printf "    <configuration name=\"Flash%d\"><property name=\"arm_linker_heap_size\" value=\"%d\" /></configuration>\n", c, 1024 * (c + 1) > templates
    printf "    <configuration name=\"Ram%d\"><property name=\"arm_linker_stack_size\" value=\"%d\" /></configuration>\n", c, 512 * (c + 1) > templates
  }
  print "    <configuration name=\"Debug\"><property name=\"inherited_configurations\" value=\"Flash0;Ram0\" />" > templates
  print "      <property name=\"gcc_optimization_level\" value=\"None\" /><property name=\"gcc_debugging_level\" value=\"Level 3\" /></configuration>" > templates
  print "    <configuration name=\"Release\"><property name=\"inherited_configurations\" value=\"Flash1;Ram1\" />" > templates
  print "      <property name=\"gcc_optimization_level\" value=\"Optimize For Size\" /></configuration>" > templates
  print "  </configurations>\n</projects>" > templates
}'

[ -n "$generate_only" ] && exit 0
input_bytes=$(du -sb "$work" | cut -f1)
export MARROWFEN_ROOT_USER_DIR="$work/user"
cd "$work"
echo "input $((input_bytes / 1048576)) MiB in $projects projects x 2 targets x $files files;" \
  "templates file $(( $(stat -c %s templates.xml) / 1024 )) KiB"

source "$here/timing.sh"
templates=(-executable-template E -library-template L)
for ((run = 0; run < runs; run++)); do  # one after the other, so both see the same load
  time_run "$work/plain.runs" "$work" "$quenport" uvision2hzp "${templates[@]}" bench.uvmpw
  time_run "$work/expanded.runs" "$work" "$quenport" uvision2hzp "${templates[@]}" -expand-templates \
    -templatesfile templates.xml bench.uvmpw
done
report "uvision2hzp" "$work/plain.runs"
report "uvision2hzp -expand-templates" "$work/expanded.runs"
ratio "-expand-templates / plain" "$work/expanded.runs" "$work/plain.runs"
echo "solution $(( $(stat -c %s bench.hzp) / 1048576 )) MiB"
