#include "readers/eclipse/cdt_option_table.h"

#include <QLatin1StringView>
#include <QStringView>
#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace {

using enum CdtTool;
using enum CdtMeaning;

/// An option, known by the end of its "superClass" id.
struct OptionRow {
  const char* suffix;
  CdtOptionKind kind;
};

// GNU MCU and its successors write "<plug-in>.option.<name>" (the RISC-V
// plug-in "...cross.riscv.option.<name>"), STM32CubeIDE
// "...managedbuild.tool.<tool>.option.<name>", CDT "gnu.<tool>.option.<name>".
// The longest matching end counts, so a tool's own option wins over a shared one.
constexpr OptionRow optionRows[] = {
    // GNU MCU: the target, on the tool chain.
    {"option.arm.target.family", {Target, Core}},
    {"option.arm.target.architecture", {Target, ArmArchitecture}},
    {"option.arm.target.instructionset", {Target, InstructionSet}},
    {"option.arm.target.endianness", {Target, ByteOrder}},
    {"option.arm.target.fpu.abi", {Target, FloatAbi}},
    {"option.arm.target.fpu.unit", {Target, Fpu}},
    {"option.arm.target.mcmse", {Target, SecureCode}},
    {"option.architecture", {Target, Architecture}},
    {"option.target.other", {Target, OtherFlags}},
    {"option.target.isa.base", {Target, RiscvBase}},
    {"option.target.isa.multiply", {Target, RiscvExtension, "m"}},
    {"option.target.isa.atomic", {Target, RiscvExtension, "a"}},
    {"option.target.isa.fp", {Target, RiscvFloat}},
    {"option.target.isa.compressed", {Target, RiscvExtension, "c"}},
    {"option.target.isa.xw", {Target, RiscvExtension, "xw"}},
    {"option.target.abi.integer", {Target, RiscvIntegerAbi}},
    {"option.target.abi.fp", {Target, RiscvFloatAbi}},
    {"option.target.saverestore", {Target, Flag, "-msave-restore"}},
    // GNU MCU: optimisation, warnings and debugging, on the tool chain for every tool.
    {"option.optimization.level", {Target, Optimization}},
    {"option.optimization.messagelength", {Target, Flag, "-fmessage-length=0"}},
    {"option.optimization.signedchar", {Target, Flag, "-fsigned-char"}},
    {"option.optimization.functionsections", {Target, Flag, "-ffunction-sections"}},
    {"option.optimization.datasections", {Target, Flag, "-fdata-sections"}},
    {"option.optimization.nocommon", {Target, Flag, "-fno-common"}},
    {"option.optimization.noinlinefunctions", {Target, Flag, "-fno-inline-functions"}},
    {"option.optimization.freestanding", {Target, Flag, "-ffreestanding"}},
    {"option.optimization.nobuiltin", {Target, Flag, "-fno-builtin"}},
    {"option.optimization.spconstant", {Target, Flag, "-fsingle-precision-constant"}},
    {"option.optimization.PIC", {Target, Flag, "-fPIC"}},
    {"option.optimization.lto", {Target, Flag, "-flto"}},
    {"option.optimization.nomoveloopinvariants", {Target, Flag, "-fno-move-loop-invariants"}},
    {"option.optimization.other", {Target, OtherFlags}},
    {"option.warnings.syntaxonly", {Target, Flag, "-fsyntax-only"}},
    {"option.warnings.pedantic", {Target, Flag, "-pedantic"}},
    {"option.warnings.pedanticerrors", {Target, Flag, "-pedantic-errors"}},
    {"option.warnings.nowarn", {Target, Flag, "-w"}},
    {"option.warnings.unused", {Target, Flag, "-Wunused"}},
    {"option.warnings.uninitialized", {Target, Flag, "-Wuninitialized"}},
    {"option.warnings.allwarn", {Target, AllWarnings}},
    {"option.warnings.extrawarn", {Target, Flag, "-Wextra"}},
    {"option.warnings.missingdeclaration", {Target, Flag, "-Wmissing-declarations"}},
    {"option.warnings.conversion", {Target, Flag, "-Wconversion"}},
    {"option.warnings.pointerarith", {Target, Flag, "-Wpointer-arith"}},
    {"option.warnings.padded", {Target, Flag, "-Wpadded"}},
    {"option.warnings.shadow", {Target, Flag, "-Wshadow"}},
    {"option.warnings.logicalop", {Target, Flag, "-Wlogical-op"}},
    {"option.warnings.agreggatereturn", {Target, Flag, "-Waggregate-return"}},
    {"option.warnings.floatequal", {Target, Flag, "-Wfloat-equal"}},
    {"option.warnings.toerrors", {Target, Flag, "-Werror"}},
    {"option.warnings.other", {Target, OtherFlags}},
    {"option.debugging.level", {Target, DebugLevel}},
    {"option.debugging.format", {Target, Reported, "debug format"}},
    {"option.debugging.prof", {Target, Flag, "-p"}},
    {"option.debugging.gprof", {Target, Flag, "-pg"}},
    {"option.debugging.other", {Target, OtherFlags}},
    // GNU MCU: the tools.
    {"option.c.compiler.std", {CCompiler, CStandard}},
    {"option.c.compiler.defs", {CCompiler, Definitions}},
    {"option.c.compiler.undef", {CCompiler, Undefinitions}},
    {"option.c.compiler.include.paths", {CCompiler, IncludeDirectories}},
    {"option.c.compiler.include.systempaths", {CCompiler, SystemIncludeDirectories}},
    {"option.c.compiler.include.files", {CCompiler, IncludeFiles}},
    {"option.c.compiler.other", {CCompiler, OtherFlags}},
    {"option.c.compiler.otherwarnings", {CCompiler, OtherFlags}},
    {"option.c.compiler.otheroptimizations", {CCompiler, OtherFlags}},
    {"option.cpp.compiler.std", {CppCompiler, CppStandard}},
    {"option.cpp.compiler.defs", {CppCompiler, Definitions}},
    {"option.cpp.compiler.undef", {CppCompiler, Undefinitions}},
    {"option.cpp.compiler.include.paths", {CppCompiler, IncludeDirectories}},
    {"option.cpp.compiler.include.systempaths", {CppCompiler, SystemIncludeDirectories}},
    {"option.cpp.compiler.include.files", {CppCompiler, IncludeFiles}},
    {"option.cpp.compiler.other", {CppCompiler, OtherFlags}},
    {"option.cpp.compiler.otherwarnings", {CppCompiler, OtherFlags}},
    {"option.cpp.compiler.otheroptimizations", {CppCompiler, OtherFlags}},
    {"option.assembler.defs", {Assembler, Definitions}},
    {"option.assembler.undefs", {Assembler, Undefinitions}},
    {"option.assembler.include.paths", {Assembler, IncludeDirectories}},
    {"option.assembler.include.systempaths", {Assembler, SystemIncludeDirectories}},
    {"option.assembler.include.files", {Assembler, IncludeFiles}},
    {"option.assembler.flags", {Assembler, OtherFlags}},
    {"option.assembler.other", {Assembler, OtherFlags}},
    {"option.assembler.otherwarnings", {Assembler, OtherFlags}},
    {"option.c.linker.scriptfile", {CLinker, LinkerScripts}},
    {"option.c.linker.libs", {CLinker, Libraries}},
    {"option.c.linker.paths", {CLinker, LibraryDirectories}},
    {"option.c.linker.otherobjs", {CLinker, ObjectFiles}},
    {"option.c.linker.flags", {CLinker, LinkerFlags}},
    {"option.c.linker.other", {CLinker, LinkerCommandLine}},
    {"option.c.linker.gcsections", {CLinker, LinkerFlag, "-Wl,--gc-sections"}},
    {"option.c.linker.nostart", {CLinker, RuntimeLibrary, "-nostartfiles"}},
    {"option.c.linker.nodeflibs", {CLinker, RuntimeLibrary, "-nodefaultlibs"}},
    {"option.c.linker.nostdlibs", {CLinker, RuntimeLibrary, "-nostdlib"}},
    {"option.c.linker.usenewlibnano", {CLinker, RuntimeLibrary, "--specs=nano.specs"}},
    {"option.c.linker.useprintffloat", {CLinker, RuntimeLibrary, "-u _printf_float"}},
    {"option.c.linker.usescanffloat", {CLinker, RuntimeLibrary, "-u _scanf_float"}},
    {"option.c.linker.usenewlibnosys", {CLinker, RuntimeLibrary, "--specs=nosys.specs"}},
    {"option.cpp.linker.scriptfile", {CppLinker, LinkerScripts}},
    {"option.cpp.linker.libs", {CppLinker, Libraries}},
    {"option.cpp.linker.paths", {CppLinker, LibraryDirectories}},
    {"option.cpp.linker.otherobjs", {CppLinker, ObjectFiles}},
    {"option.cpp.linker.flags", {CppLinker, LinkerFlags}},
    {"option.cpp.linker.other", {CppLinker, LinkerCommandLine}},
    {"option.cpp.linker.gcsections", {CppLinker, LinkerFlag, "-Wl,--gc-sections"}},
    {"option.cpp.linker.nostart", {CppLinker, RuntimeLibrary, "-nostartfiles"}},
    {"option.cpp.linker.nodeflibs", {CppLinker, RuntimeLibrary, "-nodefaultlibs"}},
    {"option.cpp.linker.nostdlibs", {CppLinker, RuntimeLibrary, "-nostdlib"}},
    {"option.cpp.linker.usenewlibnano", {CppLinker, RuntimeLibrary, "--specs=nano.specs"}},
    {"option.cpp.linker.useprintffloat", {CppLinker, RuntimeLibrary, "-u _printf_float"}},
    {"option.cpp.linker.usescanffloat", {CppLinker, RuntimeLibrary, "-u _scanf_float"}},
    {"option.cpp.linker.usenewlibnosys", {CppLinker, RuntimeLibrary, "--specs=nosys.specs"}},
    // STM32CubeIDE.
    {"option.target_mcu", {Target, Device}},
    {"option.fpu", {Target, Fpu}},
    {"option.floatabi", {Target, FloatAbi}},
    {"tool.c.compiler.option.optimization.level", {CCompiler, Optimization}},
    {"tool.c.compiler.option.debuglevel", {CCompiler, DebugLevel}},
    {"tool.c.compiler.option.languagestandard", {CCompiler, CStandard}},
    {"tool.c.compiler.option.definedsymbols", {CCompiler, Definitions}},
    {"tool.c.compiler.option.includepaths", {CCompiler, IncludeDirectories}},
    {"tool.c.compiler.option.otherflags", {CCompiler, OtherFlags}},
    {"tool.cpp.compiler.option.optimization.level", {CppCompiler, Optimization}},
    {"tool.cpp.compiler.option.debuglevel", {CppCompiler, DebugLevel}},
    {"tool.cpp.compiler.option.languagestandard", {CppCompiler, CppStandard}},
    {"tool.cpp.compiler.option.definedsymbols", {CppCompiler, Definitions}},
    {"tool.cpp.compiler.option.includepaths", {CppCompiler, IncludeDirectories}},
    {"tool.cpp.compiler.option.otherflags", {CppCompiler, OtherFlags}},
    {"tool.assembler.option.debuglevel", {Assembler, DebugLevel}},
    {"tool.assembler.option.definedsymbols", {Assembler, Definitions}},
    {"tool.assembler.option.includepaths", {Assembler, IncludeDirectories}},
    {"tool.assembler.option.otherflags", {Assembler, OtherFlags}},
    {"tool.c.linker.option.script", {CLinker, LinkerScripts}},
    {"tool.c.linker.option.libraries", {CLinker, Libraries}},
    {"tool.c.linker.option.directories", {CLinker, LibraryDirectories}},
    {"tool.c.linker.option.additionalobjs", {CLinker, ObjectFiles}},
    {"tool.c.linker.option.otherflags", {CLinker, LinkerCommandLine}},
    {"tool.cpp.linker.option.script", {CppLinker, LinkerScripts}},
    {"tool.cpp.linker.option.libraries", {CppLinker, Libraries}},
    {"tool.cpp.linker.option.directories", {CppLinker, LibraryDirectories}},
    {"tool.cpp.linker.option.additionalobjs", {CppLinker, ObjectFiles}},
    {"tool.cpp.linker.option.otherflags", {CppLinker, LinkerCommandLine}},
    // CDT's own GNU tools (also its cross GCC).
    {"gnu.c.compiler.option.preprocessor.def.symbols", {CCompiler, Definitions}},
    {"gnu.c.compiler.option.preprocessor.undef.symbol", {CCompiler, Undefinitions}},
    {"gnu.c.compiler.option.include.paths", {CCompiler, IncludeDirectories}},
    {"gnu.c.compiler.option.include.files", {CCompiler, IncludeFiles}},
    {"gnu.c.compiler.option.optimization.level", {CCompiler, Optimization}},
    {"gnu.c.compiler.option.optimization.flags", {CCompiler, OtherFlags}},
    {"gnu.c.compiler.option.debugging.level", {CCompiler, DebugLevel}},
    {"gnu.c.compiler.option.debugging.other", {CCompiler, OtherFlags}},
    {"gnu.c.compiler.option.debugging.prof", {CCompiler, Flag, "-p"}},
    {"gnu.c.compiler.option.debugging.gprof", {CCompiler, Flag, "-pg"}},
    {"gnu.c.compiler.option.warnings.allwarn", {CCompiler, AllWarnings}},
    {"gnu.c.compiler.option.warnings.extrawarn", {CCompiler, Flag, "-Wextra"}},
    {"gnu.c.compiler.option.warnings.toerrors", {CCompiler, Flag, "-Werror"}},
    {"gnu.c.compiler.option.warnings.pedantic", {CCompiler, Flag, "-pedantic"}},
    {"gnu.c.compiler.option.warnings.pedantic.error", {CCompiler, Flag, "-pedantic-errors"}},
    {"gnu.c.compiler.option.warnings.nowarn", {CCompiler, Flag, "-w"}},
    {"gnu.c.compiler.option.warnings.syntax", {CCompiler, Flag, "-fsyntax-only"}},
    {"gnu.c.compiler.option.misc.ansi", {CCompiler, Flag, "-ansi"}},
    {"gnu.c.compiler.option.misc.pic", {CCompiler, Flag, "-fPIC"}},
    {"gnu.c.compiler.option.misc.verbose", {CCompiler, Flag, "-v"}},
    {"gnu.c.compiler.option.misc.other", {CCompiler, OtherFlags}},
    {"gnu.c.compiler.option.dialect.std", {CCompiler, CStandard}},
    {"gnu.c.compiler.option.dialect.flags", {CCompiler, OtherFlags}},
    {"gnu.cpp.compiler.option.preprocessor.def", {CppCompiler, Definitions}},
    {"gnu.cpp.compiler.option.preprocessor.undef", {CppCompiler, Undefinitions}},
    {"gnu.cpp.compiler.option.include.paths", {CppCompiler, IncludeDirectories}},
    {"gnu.cpp.compiler.option.include.files", {CppCompiler, IncludeFiles}},
    {"gnu.cpp.compiler.option.optimization.level", {CppCompiler, Optimization}},
    {"gnu.cpp.compiler.option.optimization.flags", {CppCompiler, OtherFlags}},
    {"gnu.cpp.compiler.option.debugging.level", {CppCompiler, DebugLevel}},
    {"gnu.cpp.compiler.option.debugging.other", {CppCompiler, OtherFlags}},
    {"gnu.cpp.compiler.option.debugging.prof", {CppCompiler, Flag, "-p"}},
    {"gnu.cpp.compiler.option.debugging.gprof", {CppCompiler, Flag, "-pg"}},
    {"gnu.cpp.compiler.option.warnings.allwarn", {CppCompiler, AllWarnings}},
    {"gnu.cpp.compiler.option.warnings.extrawarn", {CppCompiler, Flag, "-Wextra"}},
    {"gnu.cpp.compiler.option.warnings.toerrors", {CppCompiler, Flag, "-Werror"}},
    {"gnu.cpp.compiler.option.warnings.pedantic", {CppCompiler, Flag, "-pedantic"}},
    {"gnu.cpp.compiler.option.warnings.pedantic.error", {CppCompiler, Flag, "-pedantic-errors"}},
    {"gnu.cpp.compiler.option.warnings.nowarn", {CppCompiler, Flag, "-w"}},
    {"gnu.cpp.compiler.option.warnings.syntax", {CppCompiler, Flag, "-fsyntax-only"}},
    {"gnu.cpp.compiler.option.other.pic", {CppCompiler, Flag, "-fPIC"}},
    {"gnu.cpp.compiler.option.other.verbose", {CppCompiler, Flag, "-v"}},
    {"gnu.cpp.compiler.option.other.other", {CppCompiler, OtherFlags}},
    {"gnu.cpp.compiler.option.dialect.std", {CppCompiler, CppStandard}},
    {"gnu.cpp.compiler.option.dialect.flags", {CppCompiler, OtherFlags}},
    {"gnu.both.asm.option.flags", {Assembler, OtherFlags}},
    {"gnu.both.asm.option.include.paths", {Assembler, IncludeDirectories}},
    {"gnu.c.link.option.libs", {CLinker, Libraries}},
    {"gnu.c.link.option.paths", {CLinker, LibraryDirectories}},
    {"gnu.c.link.option.userobjs", {CLinker, ObjectFiles}},
    {"gnu.c.link.option.ldflags", {CLinker, LinkerCommandLine}},
    {"gnu.c.link.option.other", {CLinker, LinkerFlags}},
    {"gnu.c.link.option.strip", {CLinker, LinkerFlag, "-s"}},
    {"gnu.c.link.option.noshared", {CLinker, LinkerFlag, "-static"}},
    {"gnu.c.link.option.nostart", {CLinker, RuntimeLibrary, "-nostartfiles"}},
    {"gnu.c.link.option.nodeflibs", {CLinker, RuntimeLibrary, "-nodefaultlibs"}},
    {"gnu.c.link.option.nostdlibs", {CLinker, RuntimeLibrary, "-nostdlib"}},
    {"gnu.cpp.link.option.libs", {CppLinker, Libraries}},
    {"gnu.cpp.link.option.paths", {CppLinker, LibraryDirectories}},
    {"gnu.cpp.link.option.userobjs", {CppLinker, ObjectFiles}},
    {"gnu.cpp.link.option.flags", {CppLinker, LinkerCommandLine}},
    {"gnu.cpp.link.option.other", {CppLinker, LinkerFlags}},
    {"gnu.cpp.link.option.strip", {CppLinker, LinkerFlag, "-s"}},
    {"gnu.cpp.link.option.noshared", {CppLinker, LinkerFlag, "-static"}},
    {"gnu.cpp.link.option.nostart", {CppLinker, RuntimeLibrary, "-nostartfiles"}},
    {"gnu.cpp.link.option.nodeflibs", {CppLinker, RuntimeLibrary, "-nodefaultlibs"}},
    {"gnu.cpp.link.option.nostdlibs", {CppLinker, RuntimeLibrary, "-nostdlib"}},
    // CDT's cross GCC: where the IDE finds the tools (the option named
    // "Microcontroller" is the device, known by its name).
    {"option.gnu.cross.prefix", {Target, Implied}},
    {"option.gnu.cross.path", {Target, Implied}},
    {"option.gnu.cross.board", {Target, Implied}},
    // The older ARM GCC cross plug-in ("org.eclipse.cdt.cross.arm.gnu.<tool>.option.<name>");
    // its ids CDT's own GNU tools share ("...gnu.c.compiler.option.warnings.allwarn",
    // "...gnu.c.link.option.libs") are known by those rows.
    {"arm.gnu.base.option.processor", {Target, Core}},
    {"arm.gnu.base.option.target.thumb", {Target, Implied, "true"}},
    {"option.target.thumbinterwork", {Target, Implied}},
    {"option.optimization.packstruct", {Target, Flag, "-fpack-struct"}},
    {"option.optimization.shortenums", {Target, Flag, "-fshort-enums"}},
    {"option.warnings.nocommon", {Target, Flag, "-fno-common"}},
    {"option.misc.signedchar", {Target, Flag, "-fsigned-char"}},
    {"option.misc.unsignedbitfields", {Target, Flag, "-funsigned-bitfields"}},
    {"option.other.verbose", {Target, Implied}},  // -v only shows what the build runs
    {"c.compiler.option.preprocessor.def", {CCompiler, Definitions}},
    {"c.compiler.option.preprocessor.undef", {CCompiler, Undefinitions}},
    {"c.compiler.option.preprocessor.nostdinc", {CCompiler, Flag, "-nostdinc"}},
    {"c.compiler.option.misc.std", {CCompiler, CStandard}},
    {"c.compiler.option.other.otherflags", {CCompiler, OtherFlags}},
    {"cpp.compiler.option.preprocessor.nostdinc", {CppCompiler, Flag, "-nostdinc"}},
    {"cpp.compiler.option.preprocessor.nostdincpp", {CppCompiler, Flag, "-nostdinc++"}},
    {"cpp.compiler.option.misc.std", {CppCompiler, CppStandard}},
    {"cpp.compiler.option.misc.noexceptions", {CppCompiler, Flag, "-fno-exceptions"}},
    {"cpp.compiler.option.misc.nortti", {CppCompiler, Flag, "-fno-rtti"}},
    {"cpp.compiler.option.other.otherflags", {CppCompiler, OtherFlags}},
    {"assembler.option.preprocessor.def", {Assembler, Definitions}},
    {"assembler.option.preprocessor.undef", {Assembler, Undefinitions}},
    {"assembler.option.preprocessor.nostdinc", {Assembler, Flag, "-nostdinc"}},
    {"assembler.option.usecpp", {Assembler, Implied, "true"}},
    {"assembler.option.misc.ansi", {Assembler, Flag, "-ansi"}},
    {"assembler.option.warnings.allwarn", {Assembler, Flag, "-Wall"}},
    {"assembler.option.warnings.extrawarn", {Assembler, Flag, "-Wextra"}},
    {"assembler.option.warnings.toerrors", {Assembler, Flag, "-Werror"}},
    {"assembler.option.warnings.pedantic", {Assembler, Flag, "-pedantic"}},
    {"assembler.option.warnings.pedantic.error", {Assembler, Flag, "-pedantic-errors"}},
    {"assembler.option.warnings.nowarn", {Assembler, Flag, "-w"}},
    {"assembler.option.warnings.syntax", {Assembler, Flag, "-fsyntax-only"}},
    {"assembler.option.other.other", {Assembler, OtherFlags}},
    {"c.link.option.scriptfile", {CLinker, LinkerScripts}},
    {"c.link.option.gcsections", {CLinker, LinkerFlag, "-Wl,--gc-sections"}},
    {"c.link.option.otherobjs", {CLinker, ObjectFiles}},
    {"c.link.option.otherflags", {CLinker, LinkerCommandLine}},
    {"arm.gnu.c.link.option.ldflags", {CLinker, LinkerFlags}},
    {"cpp.link.option.scriptfile", {CppLinker, LinkerScripts}},
    {"cpp.link.option.gcsections", {CppLinker, LinkerFlag, "-Wl,--gc-sections"}},
    {"cpp.link.option.otherobjs", {CppLinker, ObjectFiles}},
    {"cpp.link.option.otherflags", {CppLinker, LinkerCommandLine}},
    {"arm.gnu.cpp.link.option.ldflags", {CppLinker, LinkerFlags}},
    // DAVE 4 ("com.ifx.xmc4000.<tool>.option.<name>", also for XMC1000 parts):
    // the device, whose core the IDE builds for; the FPU and float ABI every
    // tool repeats; its linkers' script and C library.
    {"option.targetName", {Target, Device}},
    {"option.targetPath", {Target, Implied}},  // the device's place in DAVE's device tree
    {"option.target.processor", {Target, Core}},
    {"option.target.fpu", {Target, Fpu}},
    {"option.misc.fpu", {Target, Fpu}},
    {"option.misc.mfloat", {Target, FloatAbi}},
    {"appLinker.option.scriptfile", {CLinker, LinkerScripts}},
    {"appLinker.option.newlib", {CLinker, NewlibVariant}},
    {"appCppLinker.option.scriptfile", {CppLinker, LinkerScripts}},
    {"appCppLinker.option.newlib", {CppLinker, NewlibVariant}},
    // What the solution's build does anyway, or what only the IDE uses: its
    // own GNU ARM tool chain, preprocessed assembly, a size report; GNU MCU's
    // device view and the look of a listing (the listing itself is reported);
    // STM32CubeIDE's board, its first core of the MCU and its settings' revision.
    {"option.toolchain.name", {Target, Implied}},
    {"option.toolchain.id", {Target, Implied}},
    {"option.toolchain.path", {Target, Implied}},
    {"option.toolchain.useglobalpath", {Target, Implied}},
    {"option.command.prefix", {Target, Implied}},
    {"option.command.suffix", {Target, Implied}},
    {"option.command.c", {Target, Implied}},
    {"option.command.cpp", {Target, Implied}},
    {"option.command.ar", {Target, Implied}},
    {"option.command.objcopy", {Target, Implied}},
    {"option.command.objdump", {Target, Implied}},
    {"option.command.size", {Target, Implied}},
    {"option.command.make", {Target, Implied}},
    {"option.command.rm", {Target, Implied}},
    {"option.assembler.usepreprocessor", {Assembler, Implied, "true"}},
    {"option.addtools.printsize", {Target, Implied}},
    {"option.printsize.format", {Target, Implied}},
    {"option.showDevicesTab", {Target, Implied}},
    {"option.arm.target.thumbinterwork", {Target, Implied}},
    {"option.createlisting.allheaders", {Target, Implied}},
    {"option.createlisting.demangle", {Target, Implied}},
    {"option.createlisting.disassemble", {Target, Implied}},
    {"option.createlisting.linenumbers", {Target, Implied}},
    {"option.createlisting.source", {Target, Implied}},
    {"option.createlisting.wide", {Target, Implied}},
    {"option.target_board", {Target, Implied}},
    {"option.target_coreid", {Target, Implied, "0"}},
    {"option.target_cpuid", {Target, Implied, "0"}},
    {"option.defaults", {Target, Implied}},
};

// CDT gives each configuration's tools copies of its options named after the
// configuration kind ("gnu.c.compiler.exe.debug.option.debugging.level").
const char* const configurationInfixes[] = {".exe.debug.option.",   ".exe.release.option.", ".lib.debug.option.",
                                            ".lib.release.option.", ".so.debug.option.",    ".so.release.option."};

// The rows of optionRows in the order of their suffixes, sorted by the compiler:
// a run costs no index made at start-up.
constexpr auto rowsBySuffix = [] {
  std::array<const OptionRow*, std::size(optionRows)> rows{};
  for (size_t row = 0; row < rows.size(); ++row) rows[row] = &optionRows[row];
  std::sort(rows.begin(), rows.end(), [](const OptionRow* a, const OptionRow* b) {
    return std::string_view(a->suffix) < std::string_view(b->suffix);
  });
  return rows;
}();
constexpr bool eachSuffixNamesOneOption() {
  return std::adjacent_find(rowsBySuffix.begin(), rowsBySuffix.end(), [](const OptionRow* a, const OptionRow* b) {
           return std::string_view(a->suffix) == std::string_view(b->suffix);
         }) == rowsBySuffix.end();
}
static_assert(eachSuffixNamesOneOption());

const CdtOptionKind* optionWithSuffix(QStringView suffix) {
  const auto found = std::lower_bound(
      rowsBySuffix.begin(), rowsBySuffix.end(), suffix,
      [](const OptionRow* row, QStringView wanted) { return wanted.compare(QLatin1StringView(row->suffix)) > 0; });
  return found != rowsBySuffix.end() && suffix == QLatin1StringView((*found)->suffix) ? &(*found)->kind : nullptr;
}

/// A plug-in's value word and the GNU tools' word for it.
struct WordRow {
  const char* word;
  const char* gnuWord;
};

const WordRow optimizationWords[] = {
    {"none", "-O0"},    {"optimize", "-O1"}, {"more", "-O2"}, {"most", "-O3"},     {"size", "-Os"},
    {"fast", "-Ofast"}, {"debug", "-Og"},    {"o0", "-O0"},   {"o1", "-O1"},       {"o2", "-O2"},
    {"o3", "-O3"},      {"os", "-Os"},       {"og", "-Og"},   {"ofast", "-Ofast"}, {"oz", "-Oz"},
};

const WordRow debugLevelWords[] = {
    {"none", "-g0"}, {"minimal", "-g1"}, {"default", "-g"}, {"max", "-g3"}, {"g0", "-g0"},
    {"g1", "-g1"},   {"g", "-g"},        {"g2", "-g2"},     {"g3", "-g3"},
};

// GNU MCU spells the units without hyphens; STM32CubeIDE and DAVE as -mfpu
// does, DAVE no unit as words of its own.
const WordRow fpuWords[] = {
    {"default", ""},
    {"No floating point hardware available", "none"},
    {"fpv4spd16", "fpv4-sp-d16"},
    {"fpv5spd16", "fpv5-sp-d16"},
    {"fpv5d16", "fpv5-d16"},
    {"vfpv3d16", "vfpv3-d16"},
    {"vfpv3fp16", "vfpv3-fp16"},
    {"vfpv3d16fp16", "vfpv3-d16-fp16"},
    {"vfpv3xdfp16", "vfpv3xd-fp16"},
    {"vfpv4d16", "vfpv4-d16"},
    {"neonfp16", "neon-fp16"},
    {"neonvfpv3", "neon-vfpv3"},
    {"neonvfpv4", "neon-vfpv4"},
    {"neonfparmv8", "neon-fp-armv8"},
    {"fparmv8", "fp-armv8"},
    {"cryptoneonfparmv8", "crypto-neon-fp-armv8"},
};

// STM32CubeIDE writes "isoc99", "iso9899_199409", "gccdefault"; CDT and GNU MCU
// "c99", "gnu11", "ansi", "default".
const WordRow cStandardWords[] = {
    {"default", ""}, {"gccdefault", ""}, {"ansi", "c90"}, {"iso9899_199409", "iso9899:199409"}};

const WordRow cppStandardWords[] = {{"default", ""}, {"gccdefault", ""}, {"ansi", "c++98"}};

const WordRow defaultWords[] = {{"default", ""}};

template <size_t size>
QString translated(const QString& word, const WordRow (&rows)[size]) {
  for (const WordRow& row : rows)
    if (word == QLatin1String(row.word)) return QLatin1String(row.gnuWord);
  return word;
}

// "cortex-m0-small-multiply" (GNU MCU) is GCC's "cortex-m0.small-multiply".
QString coreWord(QString word) {
  const QString smallMultiply = QStringLiteral("-small-multiply");
  if (word.endsWith(smallMultiply)) word.replace(word.size() - smallMultiply.size(), 1, QLatin1Char('.'));
  return word;
}

QString cStandardWord(const QString& word) {
  if (word.startsWith(QLatin1String("isoc"))) return word.mid(3);
  return translated(word, cStandardWords);
}

// GNU MCU: "cpp11", "gnucpp14"; STM32CubeIDE: "isocpp11" (by its C pattern); CDT: "c++11".
QString cppStandardWord(const QString& word) {
  if (word.startsWith(QLatin1String("gnucpp"))) return QStringLiteral("gnu++") + word.mid(6);
  if (word.startsWith(QLatin1String("isocpp"))) return QStringLiteral("c++") + word.mid(6);
  if (word.startsWith(QLatin1String("cpp"))) return QStringLiteral("c++") + word.mid(3);
  return translated(word, cppStandardWords);
}

}  // namespace

QString cdtOptionId(const QString& superClass) {
  QString id = superClass;
  for (qsizetype dot = id.lastIndexOf(QLatin1Char('.')); dot > 0; dot = id.lastIndexOf(QLatin1Char('.'))) {
    bool number = false;
    id.mid(dot + 1).toULongLong(&number);
    if (!number) break;
    id.truncate(dot);
  }
  return id;
}

const CdtOptionKind* cdtOptionKind(const QString& superClass) {
  QString id = cdtOptionId(superClass);
  for (const char* infix : configurationInfixes) id.replace(QLatin1String(infix), QLatin1String(".option."));
  if (const CdtOptionKind* kind = optionWithSuffix(id)) return kind;
  for (qsizetype dot = id.indexOf(QLatin1Char('.')); dot >= 0; dot = id.indexOf(QLatin1Char('.'), dot + 1)) {
    if (const CdtOptionKind* kind = optionWithSuffix(QStringView(id).sliced(dot + 1))) return kind;
  }
  return nullptr;
}

const CdtOptionKind* cdtListOptionByValueType(const QString& valueType, const QString& toolSuperClass) {
  static const char* const valueTypes[] = {"definedSymbols", "undefDefinedSymbols", "includePath"};
  static const CdtOptionKind kinds[] = {
      {CCompiler, Definitions},   {CCompiler, Undefinitions},   {CCompiler, IncludeDirectories},
      {CppCompiler, Definitions}, {CppCompiler, Undefinitions}, {CppCompiler, IncludeDirectories},
      {Assembler, Definitions},   {Assembler, Undefinitions},   {Assembler, IncludeDirectories}};
  const auto known = std::find_if(std::begin(valueTypes), std::end(valueTypes),
                                  [&](const char* type) { return valueType == QLatin1String(type); });
  if (known == std::end(valueTypes)) return nullptr;
  const QString tool = toolSuperClass.toLower();
  qsizetype toolRow = 0;
  if (tool.contains(QLatin1String("assembler")) || tool.contains(QLatin1String(".asm")))
    toolRow = 2;
  else if (tool.contains(QLatin1String("cpp")) || tool.contains(QLatin1String("c++")) ||
           tool.contains(QLatin1String("g++")))
    toolRow = 1;
  return &kinds[toolRow * 3 + (known - std::begin(valueTypes))];
}

QString cdtValueWord(CdtMeaning meaning, const QString& valueId) {
  const QString word = valueId.mid(valueId.lastIndexOf(QLatin1Char('.')) + 1);
  switch (meaning) {
    case Optimization:
      return translated(word, optimizationWords);
    case DebugLevel:
      return translated(word, debugLevelWords);
    case Fpu:
      return translated(word, fpuWords);
    case CStandard:
      return cStandardWord(word);
    case CppStandard:
      return cppStandardWord(word);
    case Core:
      return coreWord(word);
    default:
      return translated(word, defaultWords);
  }
}

QString cdtOptionIdSuffix(const QString& superClass) {
  const QString marker = QStringLiteral(".option.");
  const qsizetype option = superClass.lastIndexOf(marker);
  if (option >= 0) return superClass.mid(option + marker.size());
  const qsizetype last = superClass.lastIndexOf(QLatin1Char('.'));
  return superClass.mid(last > 0 ? superClass.lastIndexOf(QLatin1Char('.'), last - 1) + 1 : 0);
}

namespace {

// DAVE 4 builds, unless a project says otherwise, with -g -gdwarf-2, -Wall,
// -ffunction-sections and -fdata-sections, and links with the project's
// linker_script.ld, -nostartfiles, --gc-sections and newlib-nano, as the
// make files it generates show ("-T"../linker_script.ld" -nostartfiles
// -Xlinker --gc-sections -specs=nano.specs"); its C++ tools repeat the C
// tools' options. Its -std=gnu99 is the solution's own default.
const CdtDefaultValue daveDefaults[] = {
    {"com.ifx.xmc4000.option.debugging.level", "org.eclipse.cdt.cross.arm.gnu.base.option.debugging.level.default"},
    {"com.ifx.xmc4000.option.debugging.format", "org.eclipse.cdt.cross.arm.gnu.base.option.debugging.format.dwarf2"},
    {"org.eclipse.cdt.cross.arm.gnu.c.compiler.option.warnings.allwarn", "true"},
    {"org.eclipse.cdt.cross.arm.gnu.cpp.compiler.option.warnings.allwarn", "true"},
    {"org.eclipse.cdt.cross.arm.gnu.c.compiler.option.optimization.functionsections", "true"},
    {"org.eclipse.cdt.cross.arm.gnu.c.compiler.option.optimization.datasections", "true"},
    {"com.ifx.xmc4000.appLinker.option.scriptfile", "../linker_script.ld"},
    {"com.ifx.xmc4000.appCppLinker.option.scriptfile", "../linker_script.ld"},
    {"org.eclipse.cdt.cross.arm.gnu.c.link.option.nostart", "true"},
    {"org.eclipse.cdt.cross.arm.gnu.c.link.option.gcsections", "true"},
    {"com.ifx.xmc4000.appLinker.option.newlib", "org.eclipse.cdt.cross.arm.gnu.c.link.option.newlib.nano"},
    {"org.eclipse.cdt.cross.arm.gnu.cpp.link.option.nostart", "true"},
    {"org.eclipse.cdt.cross.arm.gnu.cpp.link.option.gcsections", "true"},
    {"com.ifx.xmc4000.appCppLinker.option.newlib", "org.eclipse.cdt.cross.arm.gnu.c.link.option.newlib.nano"},
};

}  // namespace

std::vector<CdtDefaultValue> cdtToolChainDefaults(const QString& toolChain) {
  // DAVE's tool chains for both families: "com.ifx.xmc4000.appDebug.toolChain", ...
  if (toolChain.startsWith(QLatin1String("com.ifx.xmc"))) return {std::begin(daveDefaults), std::end(daveDefaults)};
  return {};
}
