# Workspace generators shared by the benchmark scripts (sourced, not run). Each
# writes a workspace into a directory that the caller made (and removes), in the
# forms the vendors' IDEs write on Windows: "\" separators, the XML declarations
# and header elements of real files, CRLF where the IDE writes it. The source
# files the projects name are created too (empty), so that the conversion finds
# them on the disk as it does on a user's machine.
#
# Every generator is one awk program run twice: with mode=dirs it prints the
# directories to create, with mode=files it writes the XML files and prints the
# empty source files to create. Directories and files are made with xargs, a few
# processes in all rather than one per entry.

# generate_tree AWK-PROGRAM AWK-ARGUMENTS...: runs the program in both modes.
generate_tree() {
  local program=$1
  shift
  awk -v mode=dirs "$@" "$program" | xargs -r -d '\n' mkdir -p
  awk -v mode=files "$@" "$program" | xargs -r -d '\n' touch
}

# uvision_workspace DIR PROJECTS TARGETS GROUPS FILES LINKS [SOURCES]
#   DIR/bench.uvmpw listing PROJECTS project files (DIR/projectNNNN/projectNNNN.uvprojx),
#   each with TARGETS targets of GROUPS groups of FILES source files. Every target
#   also links LINKS libraries ("FileType" 4) built by other targets, named by their
#   "OutputName", half the workspace away so that finding the builder means looking
#   through many targets. Every fifth project builds libraries. The targets of a
#   project share their source files, as Debug and Release targets do. With SOURCES
#   "no" the source files are not created: a workspace of many groups would otherwise
#   mean as many directories, slow to make (the conversion keeps paths of missing files
#   as written).
uvision_workspace() {
  generate_tree '
function project_name(p) { return sprintf("project%04d", p) }
function output_name(k) { return sprintf("%s_t%03d", project_name(int(k / targets)), k % targets) }
function header(out, root, schema, version) {
  printf "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n" > out
  printf "<%s xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"%s\">\n\n", root, schema > out
  printf "  <SchemaVersion>%s</SchemaVersion>\n\n  <Header>### uVision Project, (C) Keil Software</Header>\n\n", version > out
}
function file_entry(out, name, type, path) {
  printf "            <File>\n              <FileName>%s</FileName>\n              <FileType>%d</FileType>\n", name, type > out
  printf "              <FilePath>%s</FilePath>\n            </File>\n", path > out
}
function target_options(out, p, t, k) {
  printf "    <Target>\n      <TargetName>Target %d</TargetName>\n      <ToolsetNumber>0x4</ToolsetNumber>\n", t > out
  printf "      <ToolsetName>ARM-ADS</ToolsetName>\n      <TargetOption>\n        <TargetCommonOption>\n" > out
  printf "          <Device>STM32F407VGTx</Device>\n          <Vendor>STMicroelectronics</Vendor>\n" > out
  printf "          <OutputDirectory>.\\Objects\\T%d\\</OutputDirectory>\n", t > out
  printf "          <OutputName>%s</OutputName>\n          <CreateExecutable>%d</CreateExecutable>\n", output_name(k), (p % 5 == 0 ? 0 : 1) > out
  printf "          <CreateLib>%d</CreateLib>\n        </TargetCommonOption>\n", (p % 5 == 0 ? 1 : 0) > out
  printf "        <TargetArmAds>\n          <Cads>\n            <VariousControls>\n              <MiscControls></MiscControls>\n" > out
  printf "              <Define>STM32F407xx,USE_HAL_DRIVER</Define>\n              <Undefine></Undefine>\n" > out
  printf "              <IncludePath>.\\inc;..\\common\\inc;.\\Drivers\\CMSIS\\Include</IncludePath>\n" > out
  printf "            </VariousControls>\n          </Cads>\n        </TargetArmAds>\n      </TargetOption>\n      <Groups>\n" > out
}
function target(out, p, t,    k, g, f, l, other) {
  k = p * targets + t
  target_options(out, p, t, k)
  for (g = 0; g < groups; g++) {
    printf "        <Group>\n          <GroupName>Group%04d</GroupName>\n          <Files>\n", g > out
    for (f = 0; f < files; f++) {
      file_entry(out, sprintf("file%05d.c", f), 1, sprintf(".\\src\\group%04d\\file%05d.c", g, f))
      if (t == 0 && sources != "no") print dir "/" project_name(p) "/src/" sprintf("group%04d/file%05d.c", g, f)
    }
    if (g == 0) {
      for (l = 0; l < links; l++) {
        other = (k + int(projects * targets / 2) + l) % (projects * targets)
        if (other == k) continue
        file_entry(out, output_name(other) ".lib", 4,
                   sprintf("..\\%s\\Objects\\T%d\\%s.lib", project_name(int(other / targets)), other % targets, output_name(other)))
      }
    }
    printf "          </Files>\n        </Group>\n" > out
  }
  printf "      </Groups>\n    </Target>\n" > out
}
BEGIN {
  if (mode == "dirs") {
    for (p = 0; p < projects; p++) {
      print dir "/" project_name(p)
      for (g = 0; sources != "no" && g < groups; g++) print dir "/" project_name(p) "/src/" sprintf("group%04d", g)
    }
    exit
  }
  workspace = dir "/bench.uvmpw"
  header(workspace, "ProjectWorkspace", "project_mpw.xsd", "1.0")
  printf "  <WorkspaceName>WorkSpace</WorkspaceName>\n\n" > workspace
  for (p = 0; p < projects; p++) {
    printf "  <project>\n    <PathAndName>.\\%s\\%s.uvprojx</PathAndName>\n", project_name(p), project_name(p) > workspace
    if (p == 0) printf "    <NodeIsActive>1</NodeIsActive>\n" > workspace
    printf "  </project>\n\n" > workspace
    out = dir "/" project_name(p) "/" project_name(p) ".uvprojx"
    header(out, "Project", "project_projx.xsd", "2.1")
    printf "  <Targets>\n" > out
    for (t = 0; t < targets; t++) target(out, p, t)
    printf "  </Targets>\n\n</Project>\n" > out
    close(out)
  }
  printf "</ProjectWorkspace>\n" > workspace
}' -v dir="$1" -v projects="$2" -v targets="$3" -v groups="$4" -v files="$5" -v links="$6" -v sources="${7:-yes}"
}

# templates_file FILE: a device-package-sized templates file: one executable and one
# library template per device, each with its core settings, folders and configuration
# references, and configuration templates that inherit from each other. E and L are
# the templates the benchmarks name.
templates_file() {
  awk -v templates="$1" 'BEGIN {
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
}

# eclipse_workspace DIR PROJECTS FOLDERS FILES DEPTH
#   PROJECTS CDT projects (DIR/projectNNNN with .project and .cproject), each with
#   FOLDERS sibling folders under src/; each folder is a chain of DEPTH nested
#   directories, and every directory of a chain holds FILES source files (half .c,
#   half .h). Each project links a file of DIR/common and depends on the previous
#   project; every fourth project is a static library.
eclipse_workspace() {
  generate_tree '
function project_name(p) { return sprintf("project%04d", p) }
# The chains use one-letter names so that deep trees stay well below PATH_MAX.
function chain(p, m, level,    path, l) {
  path = dir "/" project_name(p) "/src/" sprintf("module%04d", m)
  for (l = 0; l < level; l++) path = path "/d"
  return path
}
function description(p,    out, dependency) {
  out = dir "/" project_name(p) "/.project"
  dependency = p > 0 ? "\n\t\t<project>" project_name(p - 1) "</project>\n\t" : ""
  printf "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<projectDescription>\n\t<name>%s</name>\n\t<comment></comment>\n", project_name(p) > out
  printf "\t<projects>%s</projects>\n\t<buildSpec>\n\t</buildSpec>\n\t<natures>\n", dependency > out
  printf "\t\t<nature>org.eclipse.cdt.core.cnature</nature>\n\t\t<nature>org.eclipse.cdt.managedbuilder.core.managedBuildNature</nature>\n\t</natures>\n" > out
  printf "\t<linkedResources>\n\t\t<link>\n\t\t\t<name>common.c</name>\n\t\t\t<type>1</type>\n" > out
  printf "\t\t\t<locationURI>PARENT-1-PROJECT_LOC/common/common.c</locationURI>\n\t\t</link>\n\t</linkedResources>\n</projectDescription>\n" > out
  close(out)
}
function configuration(out, name, symbol, kind,    artefact) {
  artefact = "org.eclipse.cdt.build.core.buildArtefactType." kind
  printf "\t\t<cconfiguration id=\"cdt.managedbuild.config.gnu.cross.%s.%s\">\n", kind, tolower(name) > out
  printf "\t\t\t<storageModule moduleId=\"cdtBuildSystem\" version=\"4.0.0\">\n" > out
  printf "\t\t\t\t<configuration artifactName=\"${ProjName}\" buildArtefactType=\"%s\" " \
         "buildProperties=\"org.eclipse.cdt.build.core.buildType=org.eclipse.cdt.build.core.buildType.%s," \
         "org.eclipse.cdt.build.core.buildArtefactType=%s\" cleanCommand=\"rm -rf\" name=\"%s\">\n",
         artefact, tolower(name), artefact, name > out
  printf "\t\t\t\t\t<folderInfo>\n\t\t\t\t\t\t<toolChain>\n" > out
  printf "\t\t\t\t\t\t\t<option name=\"Microcontroller\" value=\"STM32F407VG\" valueType=\"string\"/>\n" > out
  printf "\t\t\t\t\t\t\t<tool name=\"Cross GCC Compiler\">\n\t\t\t\t\t\t\t\t<option name=\"Defined symbols (-D)\" valueType=\"definedSymbols\">\n" > out
  printf "\t\t\t\t\t\t\t\t\t<listOptionValue builtIn=\"false\" value=\"USE_HAL_DRIVER\"/>\n" > out
  printf "\t\t\t\t\t\t\t\t\t<listOptionValue builtIn=\"false\" value=\"%s\"/>\n\t\t\t\t\t\t\t\t</option>\n", symbol > out
  printf "\t\t\t\t\t\t\t\t<option name=\"Include paths (-I)\" valueType=\"includePath\">\n" > out
  printf "\t\t\t\t\t\t\t\t\t<listOptionValue builtIn=\"false\" value=\"../inc\"/>\n" > out
  printf "\t\t\t\t\t\t\t\t\t<listOptionValue builtIn=\"false\" value=\"&quot;${workspace_loc:/${ProjName}/src}&quot;\"/>\n" > out
  printf "\t\t\t\t\t\t\t\t</option>\n\t\t\t\t\t\t\t</tool>\n\t\t\t\t\t\t</toolChain>\n\t\t\t\t\t</folderInfo>\n" > out
  printf "\t\t\t\t</configuration>\n\t\t\t</storageModule>\n\t\t</cconfiguration>\n" > out
}
function settings(p,    out, kind) {
  out = dir "/" project_name(p) "/.cproject"
  printf "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<?fileVersion 4.0.0?><cproject storage_type_id=\"org.eclipse.cdt.core.XmlProjectDescriptionStorage\">\n" > out
  printf "\t<storageModule moduleId=\"org.eclipse.cdt.core.settings\">\n" > out
  kind = p % 4 == 0 ? "staticLib" : "exe"
  configuration(out, "Debug", "DEBUG", kind)
  configuration(out, "Release", "NDEBUG", kind)
  printf "\t</storageModule>\n\t<storageModule moduleId=\"cdtBuildSystem\" version=\"4.0.0\">\n" > out
  printf "\t\t<project id=\"%s.cdt.managedbuild.target.gnu.cross.%s.1234567890\" name=\"%s\" projectType=\"cdt.managedbuild.target.gnu.cross.%s\"/>\n",
         project_name(p), kind == "exe" ? "exe" : "lib", (kind == "exe" ? "Executable" : "Static Library"), kind == "exe" ? "exe" : "lib" > out
  printf "\t</storageModule>\n</cproject>\n" > out
  close(out)
}
BEGIN {
  for (p = 0; p < projects; p++) {
    if (mode == "dirs") {
      print dir "/" project_name(p) "/inc"; print dir "/" project_name(p) "/.settings"; print dir "/" project_name(p) "/Debug"
      for (m = 0; m < folders; m++) print chain(p, m, depth - 1)
      continue
    }
    description(p)
    settings(p)
    for (m = 0; m < folders; m++)
      for (level = 0; level < depth; level++)
        for (f = 0; f < files; f++) print chain(p, m, level) "/" sprintf("unit%04d.%s", int(f / 2), f % 2 ? "h" : "c")
  }
  if (mode == "dirs") print dir "/common"; else print dir "/common/common.c"
}' -v dir="$1" -v projects="$2" -v folders="$3" -v files="$4" -v depth="$5"
}

# iar_workspace DIR PROJECTS FILES
#   DIR/bench.eww listing PROJECTS project files (DIR/projectNNNN/projectNNNN.ewp) with
#   two configurations and FILES files in 4 groups of 5 nested groups (some files
#   excluded from Release); every fifth project is a library the next four link.
iar_workspace() {
  generate_tree '
function project_name(p) { return sprintf("project%04d", p) }
function option(out, name, state) {
  printf "                <option>\r\n                    <name>%s</name>\r\n                    <state>%s</state>\r\n                </option>\r\n", name, state > out
}
function settings(out, name) {
  printf "        <settings>\r\n            <name>%s</name>\r\n            <archiveVersion>3</archiveVersion>\r\n            <data>\r\n                <version>35</version>\r\n                <wantNonLocal>1</wantNonLocal>\r\n                <debug>1</debug>\r\n", name > out
}
function end_settings(out) { printf "            </data>\r\n        </settings>\r\n" > out }
function configuration(out, name, library, p,    o) {
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
  option(out, "IlinkAdditionalLibs", library == "1" ? "" : sprintf("$PROJ_DIR$\\..\\%s\\%s\\Exe\\%s.a", project_name(p - p % 5), name, project_name(p - p % 5)))
  for (o = 0; o < 20; o++) option(out, "IlinkOption" o, o)
  end_settings(out)
  printf "    </configuration>\r\n" > out
}
function groups(out, p,    g, f) {
  for (g = 0; g < 20; g++) {
    if (g % 5 == 0) printf "    <group>\r\n        <name>Module%d</name>\r\n", g / 5 > out
    printf "        <group>\r\n            <name>Part%02d</name>\r\n", g > out
    for (f = 0; f < files / 20; f++) {
      printf "            <file>\r\n                <name>$PROJ_DIR$\\src\\group%02d\\file%04d.c</name>\r\n", g, f > out
      if (f % 50 == 49) printf "                <excluded>\r\n                    <configuration>Release</configuration>\r\n                </excluded>\r\n" > out
      printf "            </file>\r\n" > out
      print dir "/" project_name(p) "/src/" sprintf("group%02d/file%04d.c", g, f)
    }
    printf "        </group>\r\n" > out
    if (g % 5 == 4) printf "    </group>\r\n" > out
  }
}
BEGIN {
  if (mode == "dirs") {
    for (p = 0; p < projects; p++) for (g = 0; g < 20; g++) print dir "/" project_name(p) "/src/" sprintf("group%02d", g)
    exit
  }
  workspace = dir "/bench.eww"
  printf "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n<workspace>\r\n" > workspace
  for (p = 0; p < projects; p++) {
    printf "    <project>\r\n        <path>$WS_DIR$\\%s\\%s.ewp</path>\r\n    </project>\r\n", project_name(p), project_name(p) > workspace
    out = dir "/" project_name(p) "/" project_name(p) ".ewp"
    library = (p % 5 == 0) ? "1" : "0"
    printf "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<project>\r\n    <fileVersion>3</fileVersion>\r\n" > out
    configuration(out, "Debug", library, p)
    configuration(out, "Release", library, p)
    groups(out, p)
    printf "</project>\r\n" > out
    close(out)
  }
  printf "</workspace>\r\n" > workspace
}' -v dir="$1" -v projects="$2" -v files="$3"
}
