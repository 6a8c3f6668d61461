#!/usr/bin/env bash
# Times eclipse2hzp on a generated Eclipse workspace of 100 CDT projects with
# 1,000 source files each (10 folders of 50 .c and 50 .h files), built in a
# temporary directory that is deleted afterwards. Goal: under 1 s wall time. The
# uVision benchmark's workspace is converted in the same runs as the baseline
# (bench/timing.sh).
#
# Usage: bench/eclipse_bench.sh [path/to/quenport] [runs]   (default: build-bench/bin/quenport, 5)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "${1:-$root/build-bench/bin/quenport}")
runs=${2:-5}
projects=100
folders=10
[[ -x $binary ]] || { echo "eclipse_bench: no binary at $binary (build the quenport target first)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quenport-eclipse-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
workspace=$work/workspace

write_description() {  # directory name dependency
  local dependency=""
  [[ -n $3 ]] && dependency="<project>$3</project>"
  cat > "$1/.project" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<projectDescription>
	<name>$2</name>
	<projects>$dependency</projects>
	<linkedResources>
		<link><name>common.c</name><type>1</type><locationURI>PARENT-1-PROJECT_LOC/common/common.c</locationURI></link>
	</linkedResources>
</projectDescription>
XML
}

write_configuration() {  # name symbol
  cat <<XML
<cconfiguration><storageModule moduleId="cdtBuildSystem" version="4.0.0">
<configuration name="$1"><folderInfo><toolChain>
<option name="Microcontroller" value="STM32F407VG" valueType="string"/>
<tool name="Cross GCC Compiler">
<option name="Defined symbols (-D)" valueType="definedSymbols">
<listOptionValue builtIn="false" value="USE_HAL_DRIVER"/><listOptionValue builtIn="false" value="$2"/>
</option>
<option name="Include paths (-I)" valueType="includePath">
<listOptionValue builtIn="false" value="../inc"/>
<listOptionValue builtIn="false" value="&quot;\${workspace_loc:/\${ProjName}/src}&quot;"/>
</option>
</tool></toolChain></folderInfo></configuration></storageModule></cconfiguration>
XML
}

write_settings() {  # directory type
  {
    echo '<?xml version="1.0" encoding="UTF-8" standalone="no"?>'
    echo '<cproject><storageModule moduleId="org.eclipse.cdt.core.settings">'
    write_configuration Debug DEBUG
    write_configuration Release NDEBUG
    echo "</storageModule><storageModule moduleId=\"cdtBuildSystem\"><project name=\"$2\"/></storageModule></cproject>"
  } > "$1/.cproject"
}

generate() {
  mkdir -p "$workspace/common"
  : > "$workspace/common/common.c"
  local previous=""
  for ((p = 0; p < projects; p++)); do
    local name directory type="Executable"
    name=$(printf 'project%03d' "$p")
    directory=$workspace/$name
    (( p % 4 == 0 )) && type="Static Library"
    mkdir -p "$directory/inc" "$directory/.settings" "$directory/Debug"
    for ((f = 0; f < folders; f++)); do
      mkdir -p "$directory/src/module$f"
      (cd "$directory/src/module$f" && touch unit{00..49}.c unit{00..49}.h)
    done
    write_description "$directory" "$name" "$previous"
    write_settings "$directory" "$type"
    previous=$name
  done
}

echo "generating $projects projects x $((folders * 100)) source files in $work ..."
generate
arguments=(eclipse2hzp -executable-template STM32_EXE -library-template STM32_LIB "$workspace")
export HOME=$work/home MARROWFEN_ROOT_USER_DIR=$work/user
mkdir -p "$HOME"

source "$root/bench/timing.sh"
bash "$root/bench/uvision_bench.sh" --generate "$work/uvision"
for ((run = 0; run < runs; run++)); do  # interleaved, so both see the same load
  time_run "$work/eclipse.runs" "$work" "$binary" "${arguments[@]}"
  time_run "$work/uvision.runs" "$work/uvision" "$binary" uvision2hzp -executable-template E -library-template L \
    bench.uvmpw
done
report "eclipse2hzp" "$work/eclipse.runs"
report "uvision2hzp (baseline)" "$work/uvision.runs"
ratio "eclipse2hzp / uvision2hzp" "$work/eclipse.runs" "$work/uvision.runs"
solution=$workspace/workspace.hzp
echo "solution: $(grep -c '<project ' "$solution") projects, $(grep -c '<file ' "$solution") files, $(wc -c < "$solution") bytes"
