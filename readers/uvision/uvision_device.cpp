#include "readers/uvision/uvision_device.h"

#include "foreign/foreign_files.h"

namespace {

/// The on-chip regions of the Target dialog, as OnChipMemories names them.
const struct {
  const char* element;
  const char* name;
  MemoryRegion::Kind kind;
} onChipRegions[] = {
    {"OCR_RVCT4", "IROM1", MemoryRegion::Kind::Rom},
    {"OCR_RVCT9", "IRAM1", MemoryRegion::Kind::Ram},
    {"OCR_RVCT5", "IROM2", MemoryRegion::Kind::Rom},
    {"OCR_RVCT10", "IRAM2", MemoryRegion::Kind::Ram},
};

/// The off-chip regions, which the solution's memory macros do not name.
const struct {
  const char* element;
  const char* name;
} offChipRegions[] = {{"OCR_RVCT1", "ROM1"}, {"OCR_RVCT2", "ROM2"}, {"OCR_RVCT3", "ROM3"},
                      {"OCR_RVCT6", "RAM1"}, {"OCR_RVCT7", "RAM2"}, {"OCR_RVCT8", "RAM3"}};

/// The FPU tokens of the device, as -mfpu names them.
const struct {
  const char* token;
  const char* fpu;
  const char* singlePrecision;
} fpuTokens[] = {
    {"FPU2", "fpv4-sp-d16", "fpv4-sp-d16"},
    {"FPU3(SFPU)", "fpv5-sp-d16", "fpv5-sp-d16"},
    {"FPU3(DFPU)", "fpv5-d16", "fpv5-sp-d16"},
};

std::optional<quint64> hexNumber(const QString& text) {
  bool ok = false;
  const quint64 value = text.trimmed().toULongLong(&ok, 0);
  return ok ? std::optional<quint64>(value) : std::nullopt;
}

QString tokenText(const CpuToken& token) {
  return token.argument.isEmpty() ? token.name : token.name + QLatin1Char('(') + token.argument + QLatin1Char(')');
}

const CpuToken* findToken(const QList<CpuToken>& tokens, const QString& name) {
  for (const CpuToken& token : tokens)
    if (token.name == name) return &token;
  return nullptr;
}

// "Cortex-M0+" is cortex-m0plus for -mcpu; other Cortex cores are their names in
// lower case. Other processors keep uVision's words, which the mapper reports.
QString gnuCoreName(QString core) {
  core.remove(QLatin1Char('"'));
  if (!core.startsWith(QLatin1String("Cortex-"), Qt::CaseInsensitive)) return core;
  return core.toLower().replace(QLatin1Char('+'), QLatin1String("plus"));
}

// The FPU as the target uses it: "RvdsVP" 0 takes the device's, 1 uses none,
// 2 the single-precision unit of the device's FPU, 3 the double-precision one.
// A used FPU passes floating-point arguments in its registers (armcc's and
// armclang's hardware calling convention for an FPU target).
void readFpu(TargetDevice& device, const QList<CpuToken>& tokens, const QString& use) {
  QString deviceFpu = QStringLiteral("none");
  QString singlePrecision = deviceFpu;
  for (const CpuToken& token : tokens) {
    if (!token.name.startsWith(QLatin1String("FPU"))) continue;
    deviceFpu = tokenText(token);  // an FPU token we do not know stays as written
    singlePrecision = deviceFpu;
    for (const auto& row : fpuTokens) {
      if (deviceFpu != QLatin1String(row.token)) continue;
      deviceFpu = QLatin1String(row.fpu);
      singlePrecision = QLatin1String(row.singlePrecision);
    }
  }
  if (use == QLatin1String("1"))
    device.fpu = QStringLiteral("none");
  else if (use == QLatin1String("2"))
    device.fpu = singlePrecision;
  else if (use == QLatin1String("3"))
    device.fpu = QStringLiteral("fpv5-d16");
  else
    device.fpu = deviceFpu;
  device.floatAbi = device.fpu == QLatin1String("none") ? QStringLiteral("soft") : QStringLiteral("hard");
}

// The regions of the Target dialog (what uVision links with when it makes the
// scatter file itself); where a file has none, those of the device.
QList<MemoryRegion> readMemory(const UVisionTargetReading& reading, const ForeignElement& misc,
                               const QList<CpuToken>& tokens) {
  QList<MemoryRegion> memory;
  const ForeignElement memories = childNamed(misc, QStringLiteral("OnChipMemories"));
  for (const auto& row : onChipRegions) {
    const ForeignElement region = childNamed(memories, QLatin1String(row.element));
    const auto start = hexNumber(childText(region, QStringLiteral("StartAddress")));
    const auto size = hexNumber(childText(region, QStringLiteral("Size")));
    if (start && size && *size != 0) memory.append({row.kind, QLatin1String(row.name), *start, *size});
  }
  for (const auto& row : offChipRegions) {
    const ForeignElement region = childNamed(memories, QLatin1String(row.element));
    const auto size = hexNumber(childText(region, QStringLiteral("Size")));
    if (size && *size != 0) {
      reading.report(QStringLiteral("off-chip memory"),
                     QLatin1String(row.name) + QLatin1Char(' ') + childText(region, QStringLiteral("StartAddress")) +
                         QStringLiteral(" size ") + childText(region, QStringLiteral("Size")));
    }
  }
  if (!memory.isEmpty()) return memory;
  for (const char* name : {"IROM", "IRAM", "IROM2", "IRAM2"}) {
    if (const CpuToken* token = findToken(tokens, QLatin1String(name)))
      if (const auto region = cpuMemoryRegion(*token)) memory.append(*region);
  }
  return memory;
}

QString byteOrder(const QString& bigEndian, const QList<CpuToken>& tokens) {
  if (bigEndian == QLatin1String("1") || (bigEndian.isEmpty() && findToken(tokens, QStringLiteral("EBIG"))))
    return QStringLiteral("big");
  if (!bigEndian.isEmpty() || findToken(tokens, QStringLiteral("ELITTLE"))) return QStringLiteral("little");
  return QString();
}

// nSecure 1 builds secure code (-mcmse); 0 non-secure code, or none at all.
std::optional<bool> secureCode(const UVisionTargetReading& reading, const QString& mode) {
  if (mode.isEmpty()) return std::nullopt;
  if (mode != QLatin1String("0") && mode != QLatin1String("1"))
    reading.report(QStringLiteral("security mode"), QStringLiteral("nSecure ") + mode);
  return mode == QLatin1String("1");
}

bool startsCpuName(QChar c) {
  const char16_t unit = c.unicode();
  return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') || unit == u'_';
}

bool continuesCpuName(QChar c) { return startsCpuName(c) || (c.unicode() >= u'0' && c.unicode() <= u'9'); }

}  // namespace

// One pass, as "NAME" or "NAME(argument)" tokens read from left to right with
// anything else between them skipped. An argument runs to the next ")"; a "("
// that none closes leaves its name without one. Where that ")" lies is looked up
// once and kept, so a string of many unclosed "(" costs no more than its length.
QList<CpuToken> cpuTokens(const QString& text) {
  QList<CpuToken> tokens;
  qsizetype nextClose = 0;  // the first ")" after where it was last looked for; text.size() when there is none
  for (qsizetype at = 0; at < text.size();) {
    if (!startsCpuName(text[at])) {
      ++at;
      continue;
    }
    const qsizetype nameStart = at;
    while (at < text.size() && continuesCpuName(text[at])) ++at;
    CpuToken token{text.mid(nameStart, at - nameStart), QString()};
    if (at < text.size() && text[at] == QLatin1Char('(')) {
      if (nextClose <= at) {
        nextClose = text.indexOf(QLatin1Char(')'), at + 1);
        if (nextClose < 0) nextClose = text.size();
      }
      if (nextClose < text.size()) {
        token.argument = text.mid(at + 1, nextClose - at - 1).remove(QLatin1Char('"'));
        at = nextClose + 1;
      }
    }
    tokens.append(std::move(token));
  }
  return tokens;
}

std::optional<MemoryRegion> cpuMemoryRegion(const CpuToken& token) {
  const bool rom = token.name.startsWith(QLatin1String("IROM"));
  if (!rom && !token.name.startsWith(QLatin1String("IRAM"))) return std::nullopt;
  const QString name = token.name.endsWith(QLatin1Char('2')) ? token.name : token.name + QLatin1Char('1');
  const qsizetype comma = token.argument.indexOf(QLatin1Char(','));
  const qsizetype dash = token.argument.indexOf(QLatin1Char('-'));
  const qsizetype split = comma >= 0 ? comma : dash;
  if (split < 0) return std::nullopt;
  const auto start = hexNumber(token.argument.left(split));
  const auto second = hexNumber(token.argument.mid(split + 1));
  if (!start || !second || (comma < 0 && *second < *start)) return std::nullopt;
  const quint64 size = comma >= 0 ? *second : *second - *start + 1;
  if (size == 0) return std::nullopt;
  return MemoryRegion{rom ? MemoryRegion::Kind::Rom : MemoryRegion::Kind::Ram, name, *start, size};
}

TargetDevice readDevice(const UVisionTargetReading& reading, const ForeignElement& target) {
  const ForeignElement options = childNamed(target, QStringLiteral("TargetOption"));
  const ForeignElement common = childNamed(options, QStringLiteral("TargetCommonOption"));
  const bool gnu = reading.toolset == UVisionToolset::Gnu;
  const ForeignElement misc =
      gnu ? childPath(options, {"TargetArm", "ArmMisc"}) : childPath(options, {"TargetArmAds", "ArmAdsMisc"});
  const QList<CpuToken> tokens = cpuTokens(childText(common, QStringLiteral("Cpu")));
  TargetDevice device;
  device.name = childText(common, QStringLiteral("Device"));
  const CpuToken* cpuType = findToken(tokens, QStringLiteral("CPUTYPE"));
  device.core =
      gnuCoreName(cpuType ? cpuType->argument : childText(misc, QLatin1String(gnu ? "GCPUTYP" : "AdsCpuType")));
  if (!tokens.isEmpty()) {
    readFpu(device, tokens, childText(misc, QStringLiteral("RvdsVP")));
    device.dsp = findToken(tokens, QStringLiteral("DSP")) != nullptr;
  }
  device.byteOrder = byteOrder(childText(misc, QStringLiteral("BigEnd")), tokens);
  device.secureCode = secureCode(reading, childText(misc, QStringLiteral("nSecure")));
  const QString vectorExtension = childText(misc, QStringLiteral("RvdsMve"));
  if (!vectorExtension.isEmpty() && vectorExtension != QLatin1String("0"))
    reading.report(QStringLiteral("vector extension"), QStringLiteral("RvdsMve ") + vectorExtension);
  // The GNU tool set's OnChipMemories has no Target dialog rows (OCR_RVCT*):
  // its regions are the device's.
  device.memory = readMemory(reading, gnu ? ForeignElement() : misc, tokens);
  return device;
}
