#pragma once
// CDT settings files and project descriptions in the exact forms published
// vendor projects write them (STM32CubeIDE, GNU MCU Eclipse as Nuvoton,
// Artery and WCH use it, CDT's own GNU tools, TI Code Composer Studio, NXP
// CodeWarrior): the element nesting of a "cconfiguration", options as their
// tools write them, "sourceEntries", "fileInfo", "macros", and ".project"
// links, filters and path variables copied from the published files.

#include <QByteArray>
#include <QList>

namespace vendor_fixtures {

/// A ".cproject" holding the cconfigurations and the "project" element.
inline QByteArray cdtSettings(const QByteArray& cconfigurations, const QByteArray& projectElement) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
         "<?fileVersion 4.0.0?><cproject storage_type_id=\"org.eclipse.cdt.core.XmlProjectDescriptionStorage\">\n"
         "\t<storageModule moduleId=\"org.eclipse.cdt.core.settings\">\n" +
         cconfigurations +
         "\t</storageModule>\n"
         "\t<storageModule moduleId=\"cdtBuildSystem\" version=\"4.0.0\">\n\t\t" +
         projectElement +
         "\n\t</storageModule>\n"
         "\t<storageModule moduleId=\"scannerConfiguration\">\n"
         "\t\t<autodiscovery enabled=\"true\" problemReportingEnabled=\"true\" selectedProfileId=\"\"/>\n"
         "\t</storageModule>\n"
         "</cproject>\n";
}

/// One configuration as CDT stores it.
struct Cconfiguration {
  QByteArray id;    ///< such as "ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1162487163"
  QByteArray name;
  QByteArray attributes;  ///< of "configuration": artifactName, buildArtefactType, ..., parent
  QByteArray toolChain;   ///< the "toolChain" element of the root folderInfo, whole
  QByteArray after = {};  ///< fileInfo, folderInfo, resourceConfiguration and sourceEntries elements
  QByteArray macros = {}; ///< stringMacro and stringListMacro elements
};

inline QByteArray cconfiguration(const Cconfiguration& c) {
  return "\t\t<cconfiguration id=\"" + c.id +
         "\">\n"
         "\t\t\t<storageModule buildSystemId=\"org.eclipse.cdt.managedbuilder.core.configurationDataProvider\" id=\"" +
         c.id + "\" moduleId=\"org.eclipse.cdt.core.settings\" name=\"" + c.name + "\">\n" +
         (c.macros.isEmpty() ? QByteArray() : "\t\t\t\t<macros>\n" + c.macros + "\t\t\t\t</macros>\n") +
         "\t\t\t\t<externalSettings/>\n"
         "\t\t\t\t<extensions>\n"
         "\t\t\t\t\t<extension id=\"org.eclipse.cdt.core.ELF\" point=\"org.eclipse.cdt.core.BinaryParser\"/>\n"
         "\t\t\t\t\t<extension id=\"org.eclipse.cdt.core.GCCErrorParser\" point=\"org.eclipse.cdt.core.ErrorParser\"/>\n"
         "\t\t\t\t</extensions>\n"
         "\t\t\t</storageModule>\n"
         "\t\t\t<storageModule moduleId=\"cdtBuildSystem\" version=\"4.0.0\">\n"
         "\t\t\t\t<configuration " +
         c.attributes + " description=\"\" id=\"" + c.id + "\" name=\"" + c.name +
         "\">\n"
         "\t\t\t\t\t<folderInfo id=\"" +
         c.id + ".\" name=\"/\" resourcePath=\"\">\n" + c.toolChain + "\t\t\t\t\t</folderInfo>\n" + c.after +
         "\t\t\t\t</configuration>\n"
         "\t\t\t</storageModule>\n"
         "\t\t\t<storageModule moduleId=\"org.eclipse.cdt.core.externalSettings\"/>\n"
         "\t\t</cconfiguration>\n";
}

/// A "toolChain" element holding options and tools.
inline QByteArray toolChain(const QByteArray& id, const QByteArray& name, const QByteArray& content) {
  return "\t\t\t\t\t\t<toolChain id=\"" + id + ".231146001\" name=\"" + name + "\" superClass=\"" + id + "\">\n" +
         content + "\t\t\t\t\t\t</toolChain>\n";
}

inline QByteArray tool(const QByteArray& superClass, const QByteArray& name, const QByteArray& options) {
  if (options.isEmpty())
    return "\t\t\t\t\t\t\t<tool id=\"" + superClass + ".1731377187\" name=\"" + name + "\" superClass=\"" + superClass + "\"/>\n";
  return "\t\t\t\t\t\t\t<tool id=\"" + superClass + ".1731377187\" name=\"" + name + "\" superClass=\"" + superClass +
         "\">\n" + options + "\t\t\t\t\t\t\t</tool>\n";
}

/// An option with a value ("enumerated", "boolean", "string").
inline QByteArray option(const QByteArray& superClass, const QByteArray& name, const QByteArray& value,
                         const QByteArray& valueType) {
  return "\t\t\t\t\t\t\t\t<option id=\"" + superClass + ".514997414\" name=\"" + name + "\" superClass=\"" + superClass +
         "\" useByScannerDiscovery=\"false\" value=\"" + value + "\" valueType=\"" + valueType + "\"/>\n";
}

/// A list option with the user's entries (builtIn="false").
inline QByteArray listOption(const QByteArray& superClass, const QByteArray& name, const QByteArray& valueType,
                             const QList<QByteArray>& values) {
  QByteArray text = "\t\t\t\t\t\t\t\t<option IS_BUILTIN_EMPTY=\"false\" IS_VALUE_EMPTY=\"false\" id=\"" + superClass +
                    ".1567947810\" name=\"" + name + "\" superClass=\"" + superClass +
                    "\" useByScannerDiscovery=\"true\" valueType=\"" + valueType + "\">\n";
  for (const QByteArray& value : values)
    text += "\t\t\t\t\t\t\t\t\t<listOptionValue builtIn=\"false\" value=\"" + value + "\"/>\n";
  return text + "\t\t\t\t\t\t\t\t</option>\n";
}

inline QByteArray sourceEntries(const QByteArray& entries) {
  return "\t\t\t\t\t<sourceEntries>\n" + entries + "\t\t\t\t\t</sourceEntries>\n";
}

inline QByteArray sourceEntry(const QByteArray& name, const QByteArray& excluding = {}) {
  return "\t\t\t\t\t\t<entry " + (excluding.isEmpty() ? QByteArray() : "excluding=\"" + excluding + "\" ") +
         "flags=\"VALUE_WORKSPACE_PATH|RESOLVED\" kind=\"sourcePath\" name=\"" + name + "\"/>\n";
}

/// A ".project" with the given natures and further elements (linkedResources,
/// filteredResources, variableList) after them.
inline QByteArray projectDescription(const QByteArray& name, const QByteArray& more,
                                     const QByteArray& natures = "\t\t<nature>org.eclipse.cdt.core.cnature</nature>\n") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<projectDescription>\n\t<name>" + name +
         "</name>\n\t<comment></comment>\n\t<projects>\n\t</projects>\n\t<buildSpec>\n\t\t<buildCommand>\n"
         "\t\t\t<name>org.eclipse.cdt.managedbuilder.core.genmakebuilder</name>\n"
         "\t\t\t<triggers>clean,full,incremental,</triggers>\n\t\t\t<arguments>\n\t\t\t</arguments>\n"
         "\t\t</buildCommand>\n\t</buildSpec>\n\t<natures>\n" +
         natures +
         "\t\t<nature>org.eclipse.cdt.managedbuilder.core.managedBuildNature</nature>\n\t</natures>\n" + more +
         "</projectDescription>\n";
}

inline QByteArray link(const QByteArray& name, const QByteArray& type, const QByteArray& locationElement) {
  return "\t\t<link>\n\t\t\t<name>" + name + "</name>\n\t\t\t<type>" + type + "</type>\n\t\t\t" + locationElement +
         "\n\t\t</link>\n";
}

inline QByteArray filter(const QByteArray& name, const QByteArray& type, const QByteArray& matcher) {
  return "\t\t<filter>\n\t\t\t<id>0</id>\n\t\t\t<name>" + name + "</name>\n\t\t\t<type>" + type + "</type>\n" + matcher +
         "\t\t</filter>\n";
}

inline QByteArray multiFilter(const QByteArray& arguments) {
  return "\t\t\t<matcher>\n\t\t\t\t<id>org.eclipse.ui.ide.multiFilter</id>\n\t\t\t\t<arguments>" + arguments +
         "</arguments>\n\t\t\t</matcher>\n";
}

/// The ".project" of openwch/ch32v307 EVT/EXAM/GPIO/GPIO_Toggle as published:
/// folder links by "location", and a filter on the project itself.
inline QByteArray wchGpioToggleProject() {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<projectDescription>
  <name>GPIO_Toggle</name>
  <comment/>
  <projects/>
  <buildSpec>
    <buildCommand>
      <name>org.eclipse.cdt.managedbuilder.core.genmakebuilder</name>
      <triggers>clean,full,incremental,</triggers>
      <arguments/>
    </buildCommand>
  </buildSpec>
  <natures>
    <nature>org.eclipse.cdt.core.cnature</nature>
    <nature>org.eclipse.cdt.managedbuilder.core.managedBuildNature</nature>
  </natures>
  <filteredResources>
    <filter>
      <id>1595986042669</id>
      <name/>
      <type>22</type>
      <matcher>
        <id>org.eclipse.ui.ide.multiFilter</id>
        <arguments>1.0-name-matches-false-false-*.wvproj</arguments>
      </matcher>
    </filter>
  </filteredResources>
  <linkedResources>
    <link>
      <name>Core</name>
      <type>2</type>
      <location>PARENT-2-PROJECT_LOC/SRC/Core</location>
    </link>
    <link>
      <name>Debug</name>
      <type>2</type>
      <location>PARENT-2-PROJECT_LOC/SRC/Debug</location>
    </link>
    <link>
      <name>Ld</name>
      <type>2</type>
      <location>PARENT-2-PROJECT_LOC/SRC/Ld</location>
    </link>
    <link>
      <name>Peripheral</name>
      <type>2</type>
      <location>PARENT-2-PROJECT_LOC/SRC/Peripheral</location>
    </link>
    <link>
      <name>Startup</name>
      <type>2</type>
      <location>PARENT-2-PROJECT_LOC/SRC/Startup</location>
    </link>
  </linkedResources>
</projectDescription>
)";
}

/// The RISC-V tool chain of the WCH project (GNU MCU RISC-V), with the
/// options its configuration "obj" sets.
inline QByteArray wchToolChain() {
  const QByteArray p = "ilg.gnumcueclipse.managedbuild.cross.riscv.option.";
  return toolChain(
      "ilg.gnumcueclipse.managedbuild.cross.riscv.toolchain.elf.release", "RISC-V Cross GCC",
      option(p + "optimization.level", "Optimization Level", p + "optimization.level.size", "enumerated") +
          option(p + "optimization.signedchar", "'char' is signed (-fsigned-char)", "true", "boolean") +
          option(p + "target.isa.base", "Architecture", p + "target.arch.rv32i", "enumerated") +
          option(p + "target.abi.integer", "Integer ABI", p + "abi.integer.ilp32", "enumerated") +
          option(p + "target.isa.multiply", "Multiply extension (RVM)", "true", "boolean") +
          option(p + "target.isa.compressed", "Compressed extension (RVC)", "true", "boolean") +
          option(p + "target.isa.atomic", "Atomic extension (RVA)", "true", "boolean") +
          option(p + "target.isa.xw", "Extra Compressed extension (RVXW)", "true", "boolean") +
          tool("ilg.gnumcueclipse.managedbuild.cross.riscv.tool.assembler", "GNU RISC-V Cross Assembler",
               option(p + "assembler.usepreprocessor", "Use preprocessor", "true", "boolean") +
                   listOption(p + "assembler.include.paths", "Include paths (-I)", "includePath",
                              {"&quot;${workspace_loc:/${ProjName}/Startup}&quot;"})) +
          tool("ilg.gnumcueclipse.managedbuild.cross.riscv.tool.c.compiler", "GNU RISC-V Cross C Compiler",
               listOption(p + "c.compiler.include.paths", "Include paths (-I)", "includePath",
                          {"&quot;${workspace_loc:/${ProjName}/Debug}&quot;",
                           "&quot;${workspace_loc:/${ProjName}/Core}&quot;",
                           "&quot;${workspace_loc:/${ProjName}/User}&quot;",
                           "&quot;${workspace_loc:/${ProjName}/Peripheral/inc}&quot;"}) +
                   option(p + "c.compiler.std", "Language standard", p + "c.compiler.std.gnu99", "enumerated")) +
          tool("ilg.gnumcueclipse.managedbuild.cross.riscv.tool.c.linker", "GNU RISC-V Cross C Linker",
               option(p + "c.linker.gcsections", "Remove unused sections (-Xlinker --gc-sections)", "true", "boolean") +
                   listOption(p + "c.linker.scriptfile", "Script files (-T)", "stringList",
                              {"&quot;${workspace_loc:/${ProjName}/Ld/Link.ld}&quot;"}) +
                   option(p + "c.linker.nostart", "Do not use standard start files (-nostartfiles)", "true", "boolean") +
                   option(p + "c.linker.usenewlibnano", "Use newlib-nano (--specs=nano.specs)", "true", "boolean") +
                   listOption(p + "c.linker.libs", "Libraries (-l)", "libs", {"m"})) +
          tool("ilg.gnumcueclipse.managedbuild.cross.riscv.tool.cpp.linker", "GNU RISC-V Cross C++ Linker",
               listOption(p + "cpp.linker.paths", "Library search path (-L)", "libPaths", {"&quot;../LD&quot;"}) +
                   listOption(p + "cpp.linker.scriptfile", "Script files (-T)", "stringList", {"Link.ld"})));
}

/// The WCH project's one configuration, "obj", with its source entries.
inline QByteArray wchGpioToggleSettings() {
  const QByteArray id = "ilg.gnumcueclipse.managedbuild.cross.riscv.config.elf.release.1008047074";
  return cdtSettings(
      cconfiguration({id, "obj",
                      "artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.build.core.buildArtefactType.exe\" "
                      "buildProperties=\"org.eclipse.cdt.build.core.buildArtefactType=org.eclipse.cdt.build.core."
                      "buildArtefactType.exe,org.eclipse.cdt.build.core.buildType=org.eclipse.cdt.build.core.buildType."
                      "release\" cleanCommand=\"${cross_rm} -rf\" parent=\"ilg.gnumcueclipse.managedbuild.cross.riscv.config.elf.release\"",
                      wchToolChain(),
                      sourceEntries(sourceEntry("", "Startup|Peripheral|Ld|Debug|Core") + sourceEntry("Core") +
                                    sourceEntry("Debug") + sourceEntry("Ld") + sourceEntry("Peripheral") +
                                    sourceEntry("Startup", "startup_ch32v30x_D8.S"))}),
      "<project id=\"999.ilg.gnumcueclipse.managedbuild.cross.riscv.target.elf.275846018\" name=\"Executable file\" "
      "projectType=\"ilg.gnumcueclipse.managedbuild.cross.riscv.target.elf\"/>");
}

/// The linked resources, filters and path variables of the published
/// OpenNuvoton M480BSP FMC_XOM_Lib ".project".
inline QByteArray nuvotonLinksAndFilters() {
  return R"(	<linkedResources>
		<link>
			<name>CMSIS</name>
			<type>2</type>
			<locationURI>virtual:/virtual</locationURI>
		</link>
		<link>
			<name>Library</name>
			<type>2</type>
			<locationURI>virtual:/virtual</locationURI>
		</link>
		<link>
			<name>User</name>
			<type>2</type>
			<locationURI>virtual:/virtual</locationURI>
		</link>
		<link>
			<name>CMSIS/CMSIS</name>
			<type>2</type>
			<locationURI>PARENT-5-PROJECT_LOC/Library/Device/Nuvoton/M480/Source</locationURI>
		</link>
		<link>
			<name>Library/Library</name>
			<type>2</type>
			<locationURI>PARENT-5-PROJECT_LOC/Library/StdDriver/src</locationURI>
		</link>
		<link>
			<name>User/main.c</name>
			<type>1</type>
			<locationURI>PARENT-2-PROJECT_LOC/main.c</locationURI>
		</link>
		<link>
			<name>User/xom_entry.c</name>
			<type>1</type>
			<locationURI>PARENT-2-PROJECT_LOC/xom_entry.c</locationURI>
		</link>
		<link>
			<name>User/xom_lib.c</name>
			<type>1</type>
			<locationURI>PARENT-2-PROJECT_LOC/xom_lib.c</locationURI>
		</link>
	</linkedResources>
	<filteredResources>
		<filter>
			<id>0</id>
			<name>CMSIS/CMSIS</name>
			<type>9</type>
			<matcher>
				<id>org.eclipse.ui.ide.multiFilter</id>
				<arguments>1.0-name-matches-false-false-GCC</arguments>
			</matcher>
		</filter>
		<filter>
			<id>0</id>
			<name>Library/Library</name>
			<type>5</type>
			<matcher>
				<id>org.eclipse.ui.ide.multiFilter</id>
				<arguments>1.0-name-matches-false-false-clk.c</arguments>
			</matcher>
		</filter>
		<filter>
			<id>0</id>
			<name>Library/Library</name>
			<type>5</type>
			<matcher>
				<id>org.eclipse.ui.ide.multiFilter</id>
				<arguments>1.0-name-matches-false-false-fmc.c</arguments>
			</matcher>
		</filter>
		<filter>
			<id>0</id>
			<name>Library/Library</name>
			<type>5</type>
			<matcher>
				<id>org.eclipse.ui.ide.multiFilter</id>
				<arguments>1.0-name-matches-false-false-sys.c</arguments>
			</matcher>
		</filter>
		<filter>
			<id>0</id>
			<name>Library/Library</name>
			<type>5</type>
			<matcher>
				<id>org.eclipse.ui.ide.multiFilter</id>
				<arguments>1.0-name-matches-false-false-uart.c</arguments>
			</matcher>
		</filter>
		<filter>
			<id>0</id>
			<name>Library/Library</name>
			<type>5</type>
			<matcher>
				<id>org.eclipse.ui.ide.multiFilter</id>
				<arguments>1.0-name-matches-false-false-retarget.c</arguments>
			</matcher>
		</filter>
	</filteredResources>
	<variableList>
		<variable>
			<name>copy_PARENT</name>
			<value>$%7BPARENT-3-PROJECT_LOC%7D/Project/M480LD/Git/bsp</value>
		</variable>
		<variable>
			<name>copy_PARENT1</name>
			<value>$%7Bcopy_PARENT%7D/SampleCode/StdDriver/FMC_XOM_LibDemo</value>
		</variable>
	</variableList>
)";
}

/// The GNU ARM Eclipse tool chain of the Nuvoton project's "Release", with its
/// target, optimisation, include paths and linker script.
inline QByteArray nuvotonToolChain() {
  const QByteArray p = "ilg.gnuarmeclipse.managedbuild.cross.option.";
  return toolChain(
      "ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release", "Cross ARM GCC",
      option(p + "optimization.level", "Optimization Level", p + "optimization.level.size", "enumerated") +
          option(p + "optimization.functionsections", "Function sections (-ffunction-sections)", "true", "boolean") +
          option(p + "architecture", "Architecture", p + "architecture.arm", "enumerated") +
          option(p + "arm.target.family", "ARM family", p + "arm.target.mcpu.cortex-m4", "enumerated") +
          option(p + "arm.target.instructionset", "Instruction set", p + "arm.target.instructionset.thumb", "enumerated") +
          option(p + "arm.target.fpu.abi", "Float ABI", p + "arm.target.fpu.abi.hard", "enumerated") +
          option(p + "arm.target.fpu.unit", "FPU Type", p + "arm.target.fpu.unit.fpv4spd16", "enumerated") +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.assembler", "Cross ARM GNU Assembler",
               option(p + "assembler.usepreprocessor", "Use preprocessor", "true", "boolean")) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "Cross ARM GNU C Compiler",
               listOption(p + "c.compiler.include.paths", "Include paths (-I)", "includePath",
                          {"&quot;${ProjDirPath}/../../../../../Library/CMSIS/Include&quot;",
                           "&quot;${ProjDirPath}/../../../../../Library/StdDriver/inc&quot;"})) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.linker", "Cross ARM GNU C Linker",
               option(p + "c.linker.gcsections", "Remove unused sections (-Xlinker --gc-sections)", "false", "boolean") +
                   listOption(p + "c.linker.scriptfile", "Script files (-T)", "stringList",
                              {"&quot;${workspace_loc:/${ProjName}/FMX_XOM_Lib.ld}&quot;"}) +
                   option(p + "c.linker.other", "Other linker flags", "", "string")));
}

/// A "fileInfo" of the Nuvoton project: its own "Other compiler flags".
inline QByteArray nuvotonFileInfo(const QByteArray& name, const QByteArray& resourcePath, const QByteArray& flags) {
  return "\t\t\t\t\t<fileInfo id=\"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1162487163.1782070035\" "
         "name=\"" + name + "\" rcbsApplicability=\"disable\" resourcePath=\"" + resourcePath +
         "\" toolsToInvoke=\"ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler.736676640.121048560\">\n"
         "\t\t\t\t\t\t<tool id=\"ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler.736676640.121048560\" "
         "name=\"Cross ARM GNU C Compiler\" superClass=\"ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler.736676640\">\n"
         "\t\t\t\t\t\t\t<option id=\"ilg.gnuarmeclipse.managedbuild.cross.option.c.compiler.other.1389257556\" "
         "name=\"Other compiler flags\" superClass=\"ilg.gnuarmeclipse.managedbuild.cross.option.c.compiler.other\" "
         "value=\"" + flags + "\" valueType=\"string\"/>\n"
         "\t\t\t\t\t\t\t<inputType id=\"ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler.input.204918063\" "
         "superClass=\"ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler.input\"/>\n"
         "\t\t\t\t\t\t</tool>\n"
         "\t\t\t\t\t</fileInfo>\n";
}

/// The attributes of a GNU ARM Eclipse executable configuration.
inline QByteArray gnuArmExecutable(const QByteArray& buildType) {
  return "artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.build.core.buildArtefactType.exe\" "
         "buildProperties=\"org.eclipse.cdt.build.core.buildArtefactType=org.eclipse.cdt.build.core.buildArtefactType.exe,"
         "org.eclipse.cdt.build.core.buildType=org.eclipse.cdt.build.core.buildType." +
         buildType + "\" cleanCommand=\"${cross_rm} -rf\" parent=\"ilg.gnuarmeclipse.managedbuild.cross.config.elf." +
         buildType + "\"";
}

inline QByteArray gnuArmProjectElement() {
  return "<project id=\"APROM_main.ilg.gnuarmeclipse.managedbuild.cross.target.elf.920025162\" name=\"Executable\" "
         "projectType=\"ilg.gnuarmeclipse.managedbuild.cross.target.elf\"/>";
}

}  // namespace vendor_fixtures
