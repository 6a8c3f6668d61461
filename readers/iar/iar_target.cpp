#include "readers/iar/iar_target.h"

#include <limits>

namespace {

using Id = IarOptionId;

/// A core of the core options' list as Embedded Workbench 5 to 8 number it
/// (option versions up to 28), by -mcpu's name where the GNU tools have the
/// core's vocabulary, else by its own. 40 is the Cortex-M4F of the lists of
/// Embedded Workbench 6 and 7 (STM32CubeF4's STM32F446RE projects), whose FPU
/// the FPU option gives.
struct CoreCode {
  int code;
  const char* core;
};

const CoreCode coreCodes[] = {
    {0, "ARM7TDMI"},    {1, "ARM7TDMI-S"},  {2, "ARM710T"},        {3, "ARM720T"},     {4, "ARM740T"},
    {5, "ARM7EJ-S"},    {6, "ARM9TDMI"},    {7, "ARM920T"},        {8, "ARM922T"},     {9, "ARM940T"},
    {10, "ARM9E"},      {11, "ARM9E-S"},    {12, "ARM926EJ-S"},    {13, "ARM946E-S"},  {14, "ARM966E-S"},
    {15, "ARM968E-S"},  {16, "ARM10E"},     {17, "ARM1020E"},      {18, "ARM1022E"},   {19, "ARM1026EJ-S"},
    {20, "ARM1136J"},   {21, "ARM1136J-S"}, {24, "ARM1176J"},      {25, "ARM1176J-S"}, {32, "XScale"},
    {33, "XScale-IR7"}, {34, "cortex-m0"},  {35, "cortex-m0plus"}, {36, "cortex-m1"},  {37, "Cortex-MS1"},
    {38, "cortex-m3"},  {39, "cortex-m4"},  {40, "cortex-m4"},     {41, "cortex-m7"},  {42, "Cortex-R4"},
    {44, "Cortex-R5"},  {46, "Cortex-R7"},  {48, "Cortex-R8"},     {49, "Cortex-R52"}, {50, "Cortex-A5"},
    {52, "Cortex-A7"},  {53, "Cortex-A8"},  {54, "Cortex-A9"},     {55, "Cortex-A15"}, {56, "Cortex-A17"},
    {58, "cortex-m23"}, {59, "cortex-m33"},
};

const char* coreOfCode(int code) {
  for (const CoreCode& row : coreCodes)
    if (row.code == code) return row.core;
  return nullptr;
}

// From option version 34 (Embedded Workbench 9) two cores precede the codes
// above 41, which moved up by two: Cortex-A7 is 54 in the SAMA7D65 project
// (version 35), Cortex-M33 61 and Cortex-A5 52 in vendor templates of version
// 34, where 64 is the new Cortex-M55. Where between versions 29 and 33 the
// move happened is unknown, so codes above 41 are not read for those.
QString coreName(int code, int version) {
  // Cortex-M0+ joined the list at 35 in option version 20: before, the codes
  // from 35 on are one lower (a Cortex-M4F STM32F407 project saved by
  // Embedded Workbench 6.30 names its core 38 in version 19).
  if (version >= 0 && version <= 19 && code >= 35) ++code;
  const char* core = nullptr;
  if (code <= 41 || version < 29)
    core = coreOfCode(code);
  else if (version >= 34)
    core = code == 64 ? "Cortex-M55" : coreOfCode(code - 2);
  if (core) return QLatin1String(core);
  return QStringLiteral("IAR core code %1 (version %2)").arg(code).arg(version);
}

// The core options agree where several are written; the newest name first.
QString readCore(const IarOptions& options) {
  for (Id id : {Id::CoreVariant, Id::CoreSlave, Id::FpuCoreSlave, Id::OldCoreVariant}) {
    if (!options.has(id)) continue;
    bool valid = false;
    const int code = options.text(id).toInt(&valid);
    return valid ? coreName(code, options.version(id)) : options.text(id);
  }
  return QString();
}

/// An FPU of the "FPU2" list, by -mfpu's name; with 32 double registers
/// ("NrRegs" 2) or NEON where the FPU has such a variant.
struct FpuCode {
  const char* code;
  const char* fpu;
  const char* withAllRegisters;
  const char* withNeon;
};

const FpuCode fpuCodes[] = {
    {"0", "none", nullptr, nullptr},           {"2", "vfpv2", nullptr, nullptr},
    {"3", "vfpv3-d16", "vfpv3", "neon-vfpv3"}, {"4", "fpv4-sp-d16", nullptr, nullptr},
    {"5", "vfpv4-d16", "vfpv4", "neon-vfpv4"}, {"6", "fpv5-sp-d16", nullptr, nullptr},
    {"7", "fpv5-d16", nullptr, nullptr},       {"8", "VFP9-S", nullptr, nullptr},
};

/// A code of the older "FPU" option (Embedded Workbench 5 to 7) within a
/// range of its versions.
struct OldFpuCode {
  int firstVersion;
  int lastVersion;
  const char* code;
  const char* fpu;
};

// Version 4 inserted an FPU before VFPv4 single precision and added the FPv5
// units. Known from published projects: 5 of version 2 in Nuvoton's M480 and
// an STM32F407 project, 6 of version 4 in STM32CubeF4's STM32F446RE projects,
// 10 of version 4 where Microchip's SAMV7 package moves a project to the
// Cortex-M7's double-precision unit. The other codes are reported.
const OldFpuCode oldFpuCodes[] = {
    {-1, std::numeric_limits<int>::max(), "0", "none"},
    {-1, 2, "5", "fpv4-sp-d16"},
    {4, 4, "6", "fpv4-sp-d16"},
    {4, 4, "10", "fpv5-d16"},
};

QString readOldFpu(const IarOptions& options) {
  const QString code = options.text(Id::OldFpu);
  const int version = options.version(Id::OldFpu);
  for (const OldFpuCode& row : oldFpuCodes)
    if (code == QLatin1String(row.code) && version >= row.firstVersion && version <= row.lastVersion)
      return QLatin1String(row.fpu);
  return QStringLiteral("IAR FPU code %1 (version %2)").arg(code).arg(version);
}

QString readFpu(const IarOptions& options) {
  if (!options.has(Id::Fpu)) return options.has(Id::OldFpu) ? readOldFpu(options) : QString();
  const QString code = options.text(Id::Fpu);
  for (const FpuCode& row : fpuCodes) {
    if (code != QLatin1String(row.code)) continue;
    if (row.withNeon && options.text(Id::Neon) == QLatin1String("1")) return QLatin1String(row.withNeon);
    if (row.withAllRegisters && options.text(Id::FpuRegisters) == QLatin1String("2"))
      return QLatin1String(row.withAllRegisters);
    return QLatin1String(row.fpu);
  }
  return QStringLiteral("IAR FPU code ") + code;
}

// "GEndianModeBE" chooses between the two big-endian forms: BE-8 (1), the only
// one Cortex-M cores have, and the older word-invariant BE-32 (0).
QString readByteOrder(const IarOptions& options) {
  if (!options.has(Id::EndianMode)) return QString();
  if (options.text(Id::EndianMode) != QLatin1String("1")) return QStringLiteral("little");
  return options.text(Id::BigEndianMode) == QLatin1String("0") ? QStringLiteral("BE-32") : QStringLiteral("big");
}

std::optional<bool> flag(const IarOptions& options, Id id) {
  if (!options.has(id)) return std::nullopt;
  return options.text(id) == QLatin1String("1");
}

/// The other tool chains under the names the GNU tools give their families.
struct ArchitectureName {
  const char* toolchain;
  const char* architecture;
};

const ArchitectureName architectureNames[] = {{"RISCV", "RISC-V"}};

// "ARM" is Embedded Workbench for Arm; each other product names its own
// target family ("MSP430", "RX", "AVR", "8051", "RL78", "STM8", ...).
QString otherArchitecture(const QString& toolchain) {
  if (toolchain.isEmpty() || toolchain.compare(QLatin1String("ARM"), Qt::CaseInsensitive) == 0) return QString();
  for (const ArchitectureName& row : architectureNames)
    if (toolchain == QLatin1String(row.toolchain)) return QLatin1String(row.architecture);
  return toolchain;
}

}  // namespace

// With an FPU, Embedded Workbench passes floating-point arguments in its
// registers (the VFP variant of the procedure call standard is its default).
TargetDevice readIarTargetDevice(const IarConfiguration& configuration) {
  TargetDevice device;
  const IarOptions& options = configuration.options;
  device.name = configuration.device();
  device.otherArchitecture = otherArchitecture(configuration.toolchain);
  if (!device.otherArchitecture.isEmpty()) {
    device.core = options.text(Id::CoreDevice);  // RISC-V: the core's instruction set ("RV32IMAFDC")
    return device;
  }
  // "OGCoreOrChip" 1 is the Device choice: the IDE builds for the device's
  // core, whatever the core options (written once, then left) still say.
  device.coreFromDevice = options.text(Id::CoreOrDevice) == QLatin1String("1") && !device.name.isEmpty();
  device.core = readCore(options);
  device.fpu = readFpu(options);
  if (!device.fpu.isEmpty())
    device.floatAbi = device.fpu == QLatin1String("none") ? QStringLiteral("soft") : QStringLiteral("hard");
  device.byteOrder = readByteOrder(options);
  device.dsp = flag(options, Id::DspExtension);
  if (options.has(Id::TrustZone))
    device.secureCode = flag(options, Id::TrustZone).value() && options.text(Id::TrustZoneMode) == QLatin1String("1");
  return device;
}
