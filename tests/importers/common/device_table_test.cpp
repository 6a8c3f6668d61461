// The device table: every part the fixtures and examples name, each family's
// boundaries, the uVision device database's own cores and FPUs, and what wins
// where a project builds for its device.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>

#include "importers/common/device_table.h"
#include "importers/uvision/uvision_device.h"
#include "support/test_support.h"

namespace {

/// A part and what the table says of it; a null core for a part it does not know.
struct Expectation {
  const char* part;
  const char* core;
  const char* fpu = "none";
  bool dsp = false;
};

void expectPart(const Expectation& expected) {
  const std::optional<PartProcessor> part = partProcessor(QString::fromUtf8(expected.part));
  if (!expected.core) {
    EXPECT_EQ(part, std::nullopt) << expected.part;
    return;
  }
  const PartProcessor processor{expected.core, expected.fpu, expected.dsp};
  EXPECT_EQ(part, processor) << expected.part;
}

// Every part named in the fixtures and examples: uVision's "Device", IAR's
// chip choice (up to its tab), STM32CubeIDE's MCU.
QSet<QString> partsNamedInTheSourceTree() {
  static const QRegularExpression forms[] = {
      QRegularExpression(R"(<Device>([^<]*)</Device>)"),
      QRegularExpression(R"(<name>(?:OGChipSelectEditMenu|GDeviceSelect)</name>\s*<state>([^<\t]*))"),
      QRegularExpression(R"re(target_mcu[^>]*value="([^"]*)")re")};
  QSet<QString> parts;
  for (const char* tree : {"tests/e2e/fixtures", "examples"}) {
    QDirIterator files(testing_support::sourcePath(tree), {"*.uvprojx", "*.uvproj", "*.ewp", ".cproject"},
                       QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
      const QString text = QString::fromLatin1(testing_support::readFile(files.next()));
      for (const QRegularExpression& form : forms)
        for (auto match = form.globalMatch(text); match.hasNext();) parts.insert(match.next().captured(1));
    }
  }
  return parts;
}

}  // namespace

// A part of the fixtures must be here, so that a new fixture's part is decided
// on: known with its data sheet's facts, or reported (other processors, the
// IAR "Default" choice, parts of families the table does not hold).
TEST(DeviceTable, EveryPartTheFixturesAndExamplesName) {
  const Expectation parts[] = {
      {"STM32F407IGHx", "cortex-m4", "fpv4-sp-d16"},   {"STM32F417IGHx", "cortex-m4", "fpv4-sp-d16"},
      {"STM32F407VGTx", "cortex-m4", "fpv4-sp-d16"},   {"STM32F417VGTx", "cortex-m4", "fpv4-sp-d16"},
      {"STM32F446RETx", "cortex-m4", "fpv4-sp-d16"},   {"STM32F407VG", "cortex-m4", "fpv4-sp-d16"},
      {"STM32F411RE", "cortex-m4", "fpv4-sp-d16"},     {"STM32F446RE", "cortex-m4", "fpv4-sp-d16"},
      {"STM32H745XIHx:CM7", "cortex-m7", "fpv5-d16"},  {"STM32H745XIHx:CM4", "cortex-m4", "fpv4-sp-d16"},
      {"STM32L552ZE", "cortex-m33", "fpv5-sp-d16", true}, {"-AT32F403AVGT7", "cortex-m4", "fpv4-sp-d16"},
      {"AT32F403AVGT7_v2", "cortex-m4", "fpv4-sp-d16"}, {"M487JIDAE", "cortex-m4", "fpv4-sp-d16"},
      {"M481AE series", "cortex-m4", "fpv4-sp-d16"},   {"M2351 series", "cortex-m23"},
      {"ATSAM4LC4C", "cortex-m4"},                     {"MSPM0C1103", "cortex-m0plus"},
      {"ARMCM4_FP", "cortex-m4", "fpv4-sp-d16"},       {"ARMCM33_DSP_FP_TZ", "cortex-m33", "fpv5-sp-d16", true},
      {"AT91RM9200EK", nullptr},                       {"SAMA7D65", nullptr},
      {"MSP430F5529", nullptr},                        {"N300", nullptr},
      {"Default", nullptr},
  };
  QSet<QString> expected;
  for (const Expectation& part : parts) {
    expectPart(part);
    expected.insert(QString::fromUtf8(part.part));
  }
  for (const QString& named : partsNamedInTheSourceTree())
    EXPECT_TRUE(expected.contains(named)) << named.toStdString() << " is named by a fixture or example";
}

// The uVision device database gives each part its core and FPU ("Cpu"): where
// a fixture's part is in the table, both agree.
TEST(DeviceTable, AgreesWithTheCoresAndFpusOfUVisionsDevices) {
  static const QRegularExpression target(R"(<Device>([^<]*)</Device>.*?<Cpu>([^<]*)</Cpu>)",
                                         QRegularExpression::DotMatchesEverythingOption);
  const QHash<QString, QString> fpus{{"FPU2", "fpv4-sp-d16"}, {"FPU3", "fpv5-sp-d16"}};
  int compared = 0;
  QDirIterator files(testing_support::sourcePath("tests/e2e/fixtures"), {"*.uvprojx"}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString text = QString::fromLatin1(testing_support::readFile(files.next()));
    for (auto match = target.globalMatch(text); match.hasNext();) {
      const auto found = match.next();
      const std::optional<PartProcessor> part = partProcessor(found.captured(1));
      if (!part) continue;
      QString core;
      QString fpu = "none";
      for (const CpuToken& token : cpuTokens(found.captured(2))) {
        if (token.name == "CPUTYPE") core = token.argument.toLower().replace("+", "plus");
        if (token.name.startsWith("FPU")) fpu = token.argument == "DFPU" ? "fpv5-d16" : fpus.value(token.name);
      }
      EXPECT_EQ(part->core, core) << found.captured(1).toStdString();
      EXPECT_EQ(part->fpu, fpu) << found.captured(1).toStdString();
      ++compared;
    }
  }
  EXPECT_GE(compared, 5);
}

// The edges of the families: the first row that holds a name counts, a
// two-core part needs its core named, and a name of no family is unknown.
TEST(DeviceTable, FamiliesByPartNumber) {
  const Expectation parts[] = {
      {"STM32F030F4P6", "cortex-m0"},                    {"STM32F103C8T6", "cortex-m3"},
      {"STM32F303RE", "cortex-m4", "fpv4-sp-d16"},       {"STM32F746NG", "cortex-m7", "fpv5-sp-d16"},
      {"STM32F767ZI", "cortex-m7", "fpv5-d16"},          {"STM32G071RB", "cortex-m0plus"},
      {"STM32H563ZI", "cortex-m33", "fpv5-sp-d16", true}, {"STM32H743ZI", "cortex-m7", "fpv5-d16"},
      {"STM32H747XIHx", nullptr},                        {"STM32L152RE", "cortex-m3"},
      {"STM32U585AI", "cortex-m33", "fpv5-sp-d16", true}, {"STM32WB55RG", "cortex-m4", "fpv4-sp-d16"},
      {"STM32WBA52CG", "cortex-m33", "fpv5-sp-d16", true}, {"STM32WB05KZ", "cortex-m0plus"},
      {"STM32WLE5JC", "cortex-m4"},                      {"STM32WL55JCIx:CM0PLUS", "cortex-m0plus"},
      {"STM32WL55JC", nullptr},                          {"STM32C031C6", "cortex-m0plus"},
      {"LPC824M201", "cortex-m0plus"},                   {"LPC11U68", "cortex-m0plus"},
      {"LPC1114", "cortex-m0"},                          {"LPC1768", "cortex-m3"},
      {"LPC4088", "cortex-m4", "fpv4-sp-d16"},           {"LPC4074", nullptr},
      {"LPC55S28", "cortex-m33", "fpv5-sp-d16", true},   {"LPC55S69JBD100:cm33_core1", "cortex-m33"},
      {"MK64FN1M0VLL12", "cortex-m4", "fpv4-sp-d16"},    {"MK20DX256VLH7", "cortex-m4"},
      {"MKL25Z128VLK4", "cortex-m0plus"},                {"MKV58F1M0VLQ24", nullptr},
      {"NUC140VE3CN", "cortex-m0"},                      {"M453VG6AE", "cortex-m4", "fpv4-sp-d16"},
      {"AT32F415RCT7", "cortex-m4"},                     {"AT32F435ZMT7", "cortex-m4", "fpv4-sp-d16"},
      {"GD32F303RC", "cortex-m4", "fpv4-sp-d16"},        {"GD32E230C8", "cortex-m23"},
      {"GD32VF103CB", nullptr},                          {"APM32F103CB", "cortex-m3"},
      {"ATSAMD21G18A", "cortex-m0plus"},                 {"SAME54P20A", "cortex-m4", "fpv4-sp-d16"},
      {"ATSAMV71Q21", "cortex-m7", "fpv5-d16"},          {"ATSAML11E16A", "cortex-m23"},
      {"TM4C123GH6PM", "cortex-m4", "fpv4-sp-d16"},      {"LM3S6965", "cortex-m3"},
      {"nRF51822_xxAA", "cortex-m0"},                    {"nRF52810_xxAA", "cortex-m4"},
      {"nRF52840_xxAA", "cortex-m4", "fpv4-sp-d16"},     {"nRF5340_xxAA_APPLICATION", "cortex-m33", "fpv5-sp-d16", true},
      {"R7FA6M4AF3CFB", "cortex-m33", "fpv5-sp-d16", true}, {"R7FA2L1AB2DFL", "cortex-m23"},
      {"EFM32GG990F1024", "cortex-m3"},                  {"EFM32GG11B820F2048GL192", "cortex-m4", "fpv4-sp-d16"},
      {"EFM32TG11B520F128GM80", "cortex-m0plus"},        {"EFM32PG22C200F512IM40", "cortex-m33", "fpv5-sp-d16", true},
      {"AMA3B1KK-KBR", "cortex-m4", "fpv4-sp-d16"},      {"Apollo510", nullptr},
      {"ARMCM3", "cortex-m3"},                           {"ARMCM33", "cortex-m33"},
  };
  for (const Expectation& part : parts) expectPart(part);
}

// Where the IDE builds for the device, its core wins over a stale or unknown
// core setting and fills a missing one; an FPU the part can run (none, or less
// precision) is kept, one beyond it replaced; each replacement is reported.
TEST(DeviceTable, TheDevicesCoreAndFpuWinWhereTheIdeBuildsForIt) {
  TargetDevice stale{"STM32F411RE", {}, "cortex-m0", "fpv4-sp-d16", "hard"};
  stale.coreFromDevice = true;
  QList<NotCarried> notCarried;
  TargetDevice built = deviceAsBuilt(stale, notCarried);
  EXPECT_EQ(built.core, "cortex-m4");
  EXPECT_EQ(built.fpu, "fpv4-sp-d16");
  EXPECT_EQ(notCarried, QList<NotCarried>({{"core setting", "cortex-m0, replaced by cortex-m4 of device STM32F411RE", {}}}));

  TargetDevice onlyTheDevice{"STM32F746NG"};
  onlyTheDevice.coreFromDevice = true;
  built = deviceAsBuilt(onlyTheDevice, notCarried);
  EXPECT_EQ(std::tuple(built.core, built.fpu, built.floatAbi), std::tuple("cortex-m7", "fpv5-sp-d16", "hard"));

  TargetDevice beyond{"ATSAM4LC4C", {}, "cortex-m4", "fpv4-sp-d16", "hard"};
  beyond.coreFromDevice = true;
  notCarried.clear();
  built = deviceAsBuilt(beyond, notCarried);
  EXPECT_EQ(std::tuple(built.fpu, built.floatAbi), std::tuple("none", "soft"));
  EXPECT_EQ(notCarried, QList<NotCarried>({{"FPU setting", "fpv4-sp-d16, replaced by none of device ATSAM4LC4C", {}}}));

  TargetDevice less{"STM32H743ZI", {}, "cortex-m7", "none", "soft"};
  less.coreFromDevice = true;
  notCarried.clear();
  EXPECT_EQ(deviceAsBuilt(less, notCarried), less);
  less.fpu = "fpv5-sp-d16";
  EXPECT_EQ(deviceAsBuilt(less, notCarried).fpu, "fpv5-sp-d16");
  EXPECT_TRUE(notCarried.isEmpty());
}

// A part the table does not know keeps the project's own core and is reported
// only where the project has none; a core setting the IDE builds for stands.
TEST(DeviceTable, UnknownPartsAndCoresTheIdeBuildsFor) {
  QList<NotCarried> notCarried;
  TargetDevice unknown{"XMC4500-F144x1024"};
  unknown.coreFromDevice = true;
  EXPECT_EQ(deviceAsBuilt(unknown, notCarried), unknown);
  EXPECT_EQ(notCarried, QList<NotCarried>({{"core of device", "XMC4500-F144x1024", {}}}));
  notCarried.clear();
  unknown.core = "cortex-m4";
  EXPECT_EQ(deviceAsBuilt(unknown, notCarried), unknown);
  const TargetDevice chosenCore{"STM32F411RE", {}, "cortex-m0"};
  EXPECT_EQ(deviceAsBuilt(chosenCore, notCarried), chosenCore);
  TargetDevice smallMultiplier{"STM32F030F4P6", {}, "cortex-m0.small-multiply", "none"};
  smallMultiplier.coreFromDevice = true;
  EXPECT_EQ(deviceAsBuilt(smallMultiplier, notCarried).core, "cortex-m0.small-multiply");
  EXPECT_TRUE(notCarried.isEmpty());
}
