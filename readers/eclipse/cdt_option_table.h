#pragma once
// The build options of the CDT tool chains that the reader reads, as one
// table: which option says what, known by the end of its "superClass" id, for
// the GNU MCU / GNU ARM Eclipse / xPack plug-ins ("ilg.gnuarmeclipse.*",
// "ilg.gnumcueclipse.*"), STM32CubeIDE ("com.st.stm32cube.ide.mcu.gnu.*") and
// CDT's own GNU tools ("gnu.c.*", "gnu.cpp.*", "gnu.both.*"); and the words of
// their enumerated values as the GNU tools name them.

#include <QString>

/// The tool an option belongs to.
enum class CdtTool { Target, CCompiler, CppCompiler, Assembler, CLinker, CppLinker };

/// What an option says.
enum class CdtMeaning {
  Device,             ///< the part's name
  Core,               ///< as -mcpu names it
  Architecture,       ///< the plug-in's processor family ("arm", "aarch64")
  ArmArchitecture,    ///< as -march names it
  InstructionSet,     ///< "thumb" or "arm"
  ByteOrder,
  FloatAbi,
  Fpu,
  SecureCode,         ///< -mcmse
  RiscvBase,          ///< "rv32i", ...
  RiscvExtension,     ///< a boolean adding the letters of text to -march
  RiscvFloat,         ///< "none", "single", "double"
  RiscvIntegerAbi,
  RiscvFloatAbi,
  Optimization,
  DebugLevel,
  CStandard,
  CppStandard,
  AllWarnings,
  Flag,               ///< a boolean passing the compiler option text
  OtherFlags,         ///< a command line (or a list of options) passed as written
  Definitions,
  Undefinitions,
  IncludeDirectories,
  IncludeFiles,       ///< -include
  SystemIncludeDirectories,
  LinkerScripts,
  Libraries,          ///< -l
  LibraryDirectories, ///< -L
  ObjectFiles,
  LinkerFlags,        ///< a list, each passed with -Xlinker
  LinkerCommandLine,  ///< passed as written; "-T" names a linker script
  LinkerFlag,         ///< a boolean passing the linker option text
  RuntimeLibrary,     ///< a boolean choosing a library of the source's tool chain (reported)
  Reported,           ///< read and reported as text says, not carried
};

/// What one option is.
struct CdtOptionKind {
  CdtTool tool;
  CdtMeaning meaning;
  /// The option text of a Flag or LinkerFlag, the letters of a RiscvExtension,
  /// the kind of setting of a RuntimeLibrary or Reported option.
  const char* text = nullptr;
};

/// The option whose "superClass" is superClass; null for options not read.
/// Known by the end of the id, so that the copies CDT makes per configuration
/// ("gnu.c.compiler.exe.debug.option.optimization.level") and the ids of
/// each plug-in generation are the same option.
const CdtOptionKind* cdtOptionKind(const QString& superClass);

/// A list option of a tool chain the table does not know (a vendor's), read by
/// its "valueType": definitions, undefinitions and include directories of the
/// tool whose "superClass" is toolSuperClass (an assembler, a C++ compiler, else
/// the C compiler). Null for other value types.
const CdtOptionKind* cdtListOptionByValueType(const QString& valueType, const QString& toolSuperClass);

/// An enumerated value as the GNU tools name it: the last "."-separated part of
/// the value id in the words of GCC's options ("...optimization.level.size"
/// gives "-Os", "...fpu.unit.fpv4spd16" "fpv4-sp-d16", "...std.gnucpp11"
/// "gnu++11"); empty for a plug-in's "default"; the plug-in's own word where
/// the GNU tools have none.
QString cdtValueWord(CdtMeaning meaning, const QString& valueId);
