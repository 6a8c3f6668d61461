#include "readers/common/device_table.h"

#include <QRegularExpression>
#include <iterator>
#include <vector>

namespace {

constexpr char m0[] = "cortex-m0";
constexpr char m0plus[] = "cortex-m0plus";
constexpr char m3[] = "cortex-m3";
constexpr char m4[] = "cortex-m4";
constexpr char m7[] = "cortex-m7";
constexpr char m23[] = "cortex-m23";
constexpr char m33[] = "cortex-m33";

constexpr char noFpu[] = "none";
constexpr char fpv4[] = "fpv4-sp-d16";
constexpr char fpv5Single[] = "fpv5-sp-d16";
constexpr char fpv5Double[] = "fpv5-d16";

/// A family of parts: the start of their names (a regular expression, upper
/// case) and their processor. A part with two cores has a row per core, which
/// only a name that says the core (":CM4") matches.
struct FamilyRow {
  const char* names;
  const char* core;
  const char* fpu;
  bool dsp;
  /// The core a name of a two-core part says, as normalised by coreOfName; null for one core.
  const char* namedCore = nullptr;
};

// The first row whose names start the part's name counts, so a narrower family
// comes before the wider one it lies in.
const FamilyRow families[] = {
    // ST STM32: the series is the letter and digit after "STM32" (the F7 and
    // the WB by the digit after them).
    {"STM32F0", m0, noFpu, false},
    {"STM32F[12]", m3, noFpu, false},
    {"STM32F[34]", m4, fpv4, false},
    {"STM32F7[2-5]", m7, fpv5Single, false},
    {"STM32F7[67]", m7, fpv5Double, false},
    {"STM32G0", m0plus, noFpu, false},
    {"STM32G4", m4, fpv4, false},
    {"STM32H5", m33, fpv5Single, true},
    {"STM32H7[45][57]", m7, fpv5Double, false, "M7"},
    {"STM32H7[45][57]", m4, fpv4, false, "M4"},
    {"STM32H7", m7, fpv5Double, false},
    {"STM32L0", m0plus, noFpu, false},
    {"STM32L1", m3, noFpu, false},
    {"STM32L4", m4, fpv4, false},
    {"STM32[LU]5", m33, fpv5Single, true},
    {"STM32WBA", m33, fpv5Single, true},
    {"STM32WB0", m0plus, noFpu, false},
    {"STM32WB", m4, fpv4, false},
    {"STM32WLE", m4, noFpu, false},
    {"STM32WL5", m4, noFpu, false, "M4"},
    {"STM32WL5", m0plus, noFpu, false, "M0+"},
    {"STM32C0", m0plus, noFpu, false},
    // NXP LPC.
    {"LPC8", m0plus, noFpu, false},
    {"LPC11[UE]6", m0plus, noFpu, false},
    {"LPC1[12]", m0, noFpu, false},
    {"LPC1[3578]", m3, noFpu, false},
    {"LPC40(7[68]|8)", m4, fpv4, false},
    {"LPC54[06]|LPC54S0", m4, fpv4, false},
    {"LPC55S?6", m33, fpv5Single, true, "M33_CORE0"},
    {"LPC55S?6", m33, noFpu, false, "M33_CORE1"},
    {"LPC55", m33, fpv5Single, true},
    // NXP Kinetis: the letter after the family number says the core, Z a
    // Cortex-M0+, D a Cortex-M4, F a Cortex-M4 with FPU (except the Cortex-M7 KV5x).
    {"MK[LEVWMS]?[0-9]+Z", m0plus, noFpu, false},
    {"MK(?!V5)[EVWMS]?[0-9]+F", m4, fpv4, false},
    {"MK[EVWMS]?[0-9]+D", m4, noFpu, false},
    // Nuvoton NuMicro.
    {"M0|NUC[012]|NANO1|MINI5", m0, noFpu, false},
    {"M2(3|5|6|003|L3)", m23, noFpu, false},
    {"M4[568]|NUC4|NUC505", m4, fpv4, false},
    // Artery AT32.
    {"AT32F4(0[2357]|13|23|3[57])", m4, fpv4, false},
    {"AT32F4(15|2[15])|AT32WB415", m4, noFpu, false},
    {"AT32L021", m0plus, noFpu, false},
    // GigaDevice GD32 (the GD32V parts are RISC-V).
    {"GD32F1|GD32F20", m3, noFpu, false},
    {"GD32F(30|4)", m4, fpv4, false},
    {"GD32[EL]23", m23, noFpu, false},
    // Geehy APM32.
    {"APM32F0", m0plus, noFpu, false},
    {"APM32F1", m3, noFpu, false},
    {"APM32F4", m4, fpv4, false},
    // Microchip (formerly Atmel) SAM.
    {"(AT)?SAM(D[012]|DA1|C2|L2|R[23]|HA1)", m0plus, noFpu, false},
    {"(AT)?SAM(D5|E5|4E|G5)", m4, fpv4, false},
    {"(AT)?SAM4[SNL]", m4, noFpu, false},
    {"(AT)?SAM[ESV]7", m7, fpv5Double, false},
    {"(AT)?SAM3", m3, noFpu, false},
    {"(AT)?SAML1", m23, noFpu, false},
    // Texas Instruments Tiva C, Stellaris, MSP432 and MSPM0.
    {"TM4C|LM4F|MSP432[PE]4", m4, fpv4, false},
    {"LM3S", m3, noFpu, false},
    {"MSPM0", m0plus, noFpu, false},
    // Nordic nRF51, nRF52 and the application core of the nRF53.
    {"NRF51", m0, noFpu, false},
    {"NRF52(805|81[01]|820)", m4, noFpu, false},
    {"NRF52(83[23]|840)", m4, fpv4, false},
    {"NRF5340.*APP", m33, fpv5Single, true},
    // Renesas RA: the series and group after "R7FA".
    {"R7FA2", m23, noFpu, false},
    {"R7FA4(M1|W1)|R7FA6(M[123]|T1)", m4, fpv4, false},
    {"R7FA4(M[23]|E[12]|T1)|R7FA6(M[45]|E[12]|T[23])", m33, fpv5Single, true},
    // Silicon Labs EFM32: the Gecko family letters, series 2 ending in "2x".
    {"EFM32PG2[2-8]", m33, fpv5Single, true},
    {"EFM32(ZG|HG|TG11)", m0plus, noFpu, false},
    {"EFM32(GG1[12]|WG|PG1)", m4, fpv4, false},
    {"EFM32(G|TG|LG|JG)", m3, noFpu, false},
    // Infineon XMC: every XMC1000 part (XMC1100 to XMC1400) is a Cortex-M0,
    // every XMC4000 part (XMC4100 to XMC4800) a Cortex-M4 with single-precision FPU.
    {"XMC1[1-4]", m0, noFpu, false},
    {"XMC4[1-8]", m4, fpv4, false},
    // Ambiq Apollo, Apollo2, Apollo3 (AMA3B...) and Apollo4.
    {"APOLLO[1-4]?(?![0-9])|AMA3B", m4, fpv4, false},
    // Arm's own example devices of CMSIS, which name their options.
    {"ARMCM0P", m0plus, noFpu, false},
    {"ARMCM0(?!P)", m0, noFpu, false},
    {"ARMCM3(?![0-9])", m3, noFpu, false},
    {"ARMCM4_FP", m4, fpv4, false},
    {"ARMCM4(?![0-9_])", m4, noFpu, false},
    {"ARMCM7_DP", m7, fpv5Double, false},
    {"ARMCM7_SP", m7, fpv5Single, false},
    {"ARMCM7(?![0-9_])", m7, noFpu, false},
    {"ARMCM23", m23, noFpu, false},
    {"ARMCM33_DSP_FP", m33, fpv5Single, true},
    {"ARMCM33(?!_DSP)", m33, noFpu, false},
};

struct CompiledFamily {
  QRegularExpression names;
  const FamilyRow* row;
};

const std::vector<CompiledFamily>& compiledFamilies() {
  static const std::vector<CompiledFamily> compiled = [] {
    std::vector<CompiledFamily> rows;
    for (const FamilyRow& row : families)
      rows.push_back(
          {QRegularExpression(QStringLiteral("\\A(?:") + QLatin1String(row.names) + QLatin1Char(')')), &row});
    return rows;
  }();
  return compiled;
}

// The core a name of a two-core part says after its ":", as the rows write
// it: "CM4" and "M4" are "M4", "CM0PLUS", "CM0P" and "CM0+" are "M0+".
QString coreOfName(QString core) {
  if (core.startsWith(QLatin1String("CM"))) core.remove(0, 1);
  if (core == QLatin1String("M0PLUS") || core == QLatin1String("M0P")) return QStringLiteral("M0+");
  return core;
}

// The FPUs a core can have, each able to run what the ones before it run.
const char* const fpuOrder[] = {noFpu, fpv4, fpv5Single, fpv5Double};

qsizetype fpuRank(const QString& fpu) {
  for (qsizetype rank = 0; rank < qsizetype(std::size(fpuOrder)); ++rank)
    if (fpu == QLatin1String(fpuOrder[rank])) return rank;
  return -1;
}

// A project may use less of the part's FPU than there is (soft floating point
// on a part with an FPU, single precision on a double-precision unit), never more.
bool fpuFits(const QString& fpu, const QString& partFpu) {
  const qsizetype rank = fpuRank(fpu);
  return rank >= 0 && rank <= fpuRank(partFpu);
}

// "cortex-m0.small-multiply" is a cortex-m0.
QString baseCore(const QString& core) { return core.section(QLatin1Char('.'), 0, 0); }

NotCarried replaced(const char* setting, const QString& value, const QString& partValue, const QString& part) {
  return {QLatin1String(setting),
          value + QStringLiteral(", replaced by ") + partValue + QStringLiteral(" of device ") + part,
          {},
          {},
          QStringLiteral("the IDE builds for the device the project names")};
}

}  // namespace

std::optional<PartProcessor> partProcessor(const QString& part) {
  QString name = part.trimmed().toUpper();
  if (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
  const qsizetype colon = name.indexOf(QLatin1Char(':'));
  const QString namedCore = colon < 0 ? QString() : coreOfName(name.mid(colon + 1));
  if (colon >= 0) name.truncate(colon);
  // Once a family of two-core parts holds the name, only the row of the core
  // it names answers: a wider family's row would guess.
  bool twoCores = false;
  for (const CompiledFamily& family : compiledFamilies()) {
    const FamilyRow& row = *family.row;
    if ((twoCores && !row.namedCore) || !family.names.match(name).hasMatch()) continue;
    twoCores = twoCores || row.namedCore != nullptr;
    if (!row.namedCore || namedCore == QLatin1String(row.namedCore))
      return PartProcessor{QLatin1String(row.core), QLatin1String(row.fpu), row.dsp};
  }
  return std::nullopt;
}

TargetDevice deviceAsBuilt(const TargetDevice& source, QList<NotCarried>& notCarried) {
  if (!source.coreFromDevice || !source.otherArchitecture.isEmpty()) return source;
  TargetDevice device = source;
  const std::optional<PartProcessor> part = partProcessor(source.name);
  if (!part) {
    // The source's own core, where it names one, stands unchecked.
    if (source.core.isEmpty())
      notCarried.append({QStringLiteral("core of device"),
                         source.name,
                         {},
                         {},
                         QStringLiteral("the device table does not know this part")});
    return device;
  }
  if (baseCore(source.core) != part->core) {
    if (!source.core.isEmpty()) notCarried.append(replaced("core setting", source.core, part->core, source.name));
    device.core = part->core;
  }
  if (source.fpu.isEmpty()) {
    // Soft-float code uses no FPU, whatever the part has.
    device.fpu = source.floatAbi == QLatin1String("soft") ? QStringLiteral("none") : part->fpu;
  } else if (!fpuFits(source.fpu, part->fpu)) {
    notCarried.append(replaced("FPU setting", source.fpu, part->fpu, source.name));
    device.fpu = part->fpu;
  }
  // Without an FPU floating-point arguments cannot pass in its registers; with
  // one, the IDEs pass them there unless told otherwise.
  const bool hasFpu = device.fpu != QLatin1String(noFpu);
  if (device.floatAbi.isEmpty() || (!hasFpu && device.floatAbi == QLatin1String("hard")))
    device.floatAbi = hasFpu ? QStringLiteral("hard") : QStringLiteral("soft");
  if (!device.dsp && part->dsp) device.dsp = true;
  return device;
}
