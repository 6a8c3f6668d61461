#pragma once
// The build options of the CDT tool chains that the reader reads, as one
// table: which option says what, known by the end of its "superClass" id, for
// the GNU MCU / GNU ARM Eclipse / xPack plug-ins ("ilg.gnuarmeclipse.*",
// "ilg.gnumcueclipse.*"), STM32CubeIDE ("com.st.stm32cube.ide.mcu.gnu.*"),
// CDT's own GNU tools ("gnu.c.*", "gnu.cpp.*", "gnu.both.*"), the older ARM GCC
// cross plug-in ("org.eclipse.cdt.cross.arm.gnu.*", Sourcery) and Infineon's
// DAVE 4, built on it ("com.ifx.xmc4000.*"); the words of their enumerated
// values as the GNU tools name them; and the values a vendor's tool chain
// gives the options a configuration leaves unset.
//
// What is reported: every option the reader meets is carried, or reported as
// not carried, unless it says nothing the solution does not say already. An
// option says nothing more when
// - it holds no value (no "value", no "defaultValue", no entry a user set, or
//   an enumerated value naming the plug-in's "default"): the tool chain's
//   default holds, which is the GNU tools' own except where the tool chain's
//   defaults below name another;
// - it is a switch turned off ("false"): a switch passes its option only when
//   on, so off leaves the GNU tools' own default;
// - it is Implied: it restates what the solution's build does anyway (Thumb
//   code, preprocessed assembly, its own GNU ARM tool chain, its size report)
//   or concerns only the IDE (which of its views shows the devices, the board
//   a new project was made for, the look of a listing).
// Any other option the table does not know is reported as it stands
// ("Eclipse option <id-suffix>=<value>").

#include <QString>
#include <vector>

/// The tool an option belongs to.
enum class CdtTool { Target, CCompiler, CppCompiler, Assembler, CLinker, CppLinker };

/// What an option says.
enum class CdtMeaning {
  Device,           ///< the part's name
  Core,             ///< as -mcpu names it
  Architecture,     ///< the plug-in's processor family ("arm", "aarch64")
  ArmArchitecture,  ///< as -march names it
  InstructionSet,   ///< "thumb" or "arm"
  ByteOrder,
  FloatAbi,
  Fpu,
  SecureCode,      ///< -mcmse
  RiscvBase,       ///< "rv32i", ...
  RiscvExtension,  ///< a boolean adding the letters of text to -march
  RiscvFloat,      ///< "none", "single", "double"
  RiscvIntegerAbi,
  RiscvFloatAbi,
  Optimization,
  DebugLevel,
  CStandard,
  CppStandard,
  AllWarnings,
  Flag,        ///< a boolean passing the compiler option text
  OtherFlags,  ///< a command line (or a list of options) passed as written
  Definitions,
  Undefinitions,
  IncludeDirectories,
  IncludeFiles,  ///< -include
  SystemIncludeDirectories,
  LinkerScripts,
  Libraries,           ///< -l
  LibraryDirectories,  ///< -L
  ObjectFiles,
  LinkerFlags,        ///< a list, each passed with -Xlinker
  LinkerCommandLine,  ///< passed as written; "-T" names a linker script
  LinkerFlag,         ///< a boolean passing the linker option text
  RuntimeLibrary,     ///< a boolean choosing a library of the source's tool chain (reported)
  NewlibVariant,      ///< the C library: "standard" is the GNU tools' own, "nano" newlib-nano (reported)
  Reported,           ///< read and reported as text says, not carried
  Implied,            ///< restates what the solution implies (see above): the value text names, or any value
};

/// What one option is.
struct CdtOptionKind {
  CdtTool tool;
  CdtMeaning meaning;
  /// The option text of a Flag or LinkerFlag, the letters of a RiscvExtension,
  /// the kind of setting of a RuntimeLibrary or Reported option, the value
  /// word an Implied option restates (null: any value).
  const char* text = nullptr;
};

/// superClass without the numbers of the instances it derives from: a
/// folder's or file's option derives from its parent's instance, whose id ends
/// in a number ("...option.optimization.level.13681793").
QString cdtOptionId(const QString& superClass);

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

/// The part of an option's id that names it in a report: what follows its
/// last ".option." ("addtools.createflash", "newlib"), else its last two
/// "."-separated parts ("sharedoption.processor").
QString cdtOptionIdSuffix(const QString& superClass);

/// An option's value that a tool chain gives a configuration that leaves the
/// option unset, where it differs from the GNU tools' own default.
struct CdtDefaultValue {
  /// The option's id, as the tool chain's own files write it.
  const char* superClass;
  const char* value;
};

/// The defaults of the tool chain whose "superClass" is toolChain, as its
/// vendor's generated make files show them; none for tool chains whose
/// defaults are the GNU tools' own or not known.
std::vector<CdtDefaultValue> cdtToolChainDefaults(const QString& toolChain);
