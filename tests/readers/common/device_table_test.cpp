// The device table: every part the fixtures and examples name and each
// family's edges, the uVision device database's own cores and FPUs, and what
// wins where a project builds for its device.

#include "readers/common/device_table.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>

#include "helpers/test_support.h"
#include "readers/uvision/uvision_device.h"

namespace {

// "<part>|<core> <FPU> dsp": m4 for cortex-m4; sp4, sp5, dp5 for fpv4-sp-d16,
// fpv5-sp-d16, fpv5-d16; "-" for a part the table does not know.
const char* const parts[] = {
    // Named by the fixtures and examples.
    "STM32F407IGHx|m4 sp4",
    "STM32F417IGHx|m4 sp4",
    "STM32F407VGTx|m4 sp4",
    "STM32F417VGTx|m4 sp4",
    "STM32F446RETx|m4 sp4",
    "STM32F407VG|m4 sp4",
    "STM32F411RE|m4 sp4",
    "STM32F446RE|m4 sp4",
    "STM32H745XIHx:CM7|m7 dp5",
    "STM32H745XIHx:CM4|m4 sp4",
    "STM32L552ZE|m33 sp5 dsp",
    "-AT32F403AVGT7|m4 sp4",
    "AT32F403AVGT7_v2|m4 sp4",
    "M487JIDAE|m4 sp4",
    "M481AE series|m4 sp4",
    "M2351 series|m23",
    "ATSAM4LC4C|m4",
    "MSPM0C1103|m0plus",
    "ARMCM4_FP|m4 sp4",
    "ARMCM33_DSP_FP_TZ|m33 sp5 dsp",
    "AT91RM9200EK|-",
    "SAMA7D65|-",
    "MSP430F5529|-",
    "N300|-",
    "Default|-",
    "XMC4800-F100x2048|m4 sp4",
    // Where the first row that holds a name decides, and parts of two cores.
    "STM32F746NG|m7 sp5",
    "STM32F767ZI|m7 dp5",
    "STM32H747XIHx|-",
    "STM32WBA52CG|m33 sp5 dsp",
    "STM32WB05KZ|m0plus",
    "STM32WL55JCIx:CM0PLUS|m0plus",
    "STM32WL55JC|-",
    "LPC11U68|m0plus",
    "LPC4074|-",
    "LPC55S69JBD100:cm33_core1|m33",
    "MK20DX256VLH7|m4",
    "MKV58F1M0VLQ24|-",
    "AT32F415RCT7|m4",
    "GD32VF103CB|-",
    "nRF52810_xxAA|m4",
    "EFM32GG11B820F2048GL192|m4 sp4",
    "EFM32TG11B520F128GM80|m0plus",
    "Apollo510|-",
    "ARMCM3|m3",
    "ARMCM33|m33",
    "XMC1404-Q064x0200|m0",
    "XMC1100_T038x0064|m0",
    "XMC4100-Q48x128|m4 sp4",
    "XMC7200D-E272K8384|-",
};

std::optional<PartProcessor> expectedProcessor(const QString& facts) {
  if (facts == "-") return std::nullopt;
  const QStringList words = facts.split(' ');
  const QHash<QString, QString> fpus{{"sp4", "fpv4-sp-d16"}, {"sp5", "fpv5-sp-d16"}, {"dp5", "fpv5-d16"}};
  return PartProcessor{"cortex-" + words[0], fpus.value(words.value(1), "none"), words.contains("dsp")};
}

QStringList sourceTreeFiles(const QStringList& patterns) {
  QStringList files;
  for (const char* tree : {"tests/e2e/fixtures", "examples"}) {
    QDirIterator found(testing_support::sourcePath(tree), patterns, QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (found.hasNext()) files.append(found.next());
  }
  return files;
}

}  // namespace

// Every part a fixture or example names (uVision's "Device", IAR's chip
// choice, STM32CubeIDE's MCU, DAVE's target) is in the list above, so that a
// new one is decided on: known with its data sheet's facts, or reported.
TEST(DeviceTable, PartsByFamily) {
  QStringList listed;
  for (const char* entry : parts) {
    const QString part = QString(entry).section('|', 0, 0);
    listed.append(part);
    EXPECT_EQ(partProcessor(part), expectedProcessor(QString(entry).section('|', 1))) << entry;
  }
  static const QRegularExpression named(R"((?:<Device>|<name>(?:OGChipSelectEditMenu|GDeviceSelect)</name>\s*<state>|)"
                                        R"((?:target_mcu|targetName)[^>]*value=")([^<\t"]*))");
  for (const QString& file : sourceTreeFiles({"*.uvprojx", "*.ewp", ".cproject"})) {
    for (auto match = named.globalMatch(QString::fromLatin1(testing_support::readFile(file))); match.hasNext();) {
      const QString part = match.next().captured(1);
      if (part.isEmpty()) continue;  // a configuration that names no device
      EXPECT_TRUE(listed.contains(part)) << part.toStdString() << " named in " << file.toStdString();
    }
  }
}

// The uVision device database gives each part its core and FPU ("Cpu"): where
// a fixture's part is in the table, both agree.
TEST(DeviceTable, AgreesWithTheCoresAndFpusOfUVisionsDevices) {
  static const QRegularExpression target(R"(<Device>([^<]*)</Device>.*?<Cpu>([^<]*)</Cpu>)",
                                         QRegularExpression::DotMatchesEverythingOption);
  int compared = 0;
  for (const QString& file : sourceTreeFiles({"*.uvprojx"})) {
    for (auto match = target.globalMatch(QString::fromLatin1(testing_support::readFile(file))); match.hasNext();) {
      const auto found = match.next();
      const std::optional<PartProcessor> part = partProcessor(found.captured(1));
      if (!part) continue;
      PartProcessor database{{}, "none", part->dsp};
      for (const CpuToken& token : cpuTokens(found.captured(2))) {
        if (token.name == "CPUTYPE") database.core = token.argument.toLower().replace("+", "plus");
        if (token.name == "FPU2") database.fpu = "fpv4-sp-d16";
        if (token.name == "FPU3") database.fpu = token.argument == "DFPU" ? "fpv5-d16" : "fpv5-sp-d16";
      }
      EXPECT_EQ(*part, database) << found.captured(1).toStdString();
      ++compared;
    }
  }
  EXPECT_GE(compared, 5);
}

// Where the IDE builds for the device (the stale core of the e2e tests aside),
// an FPU the part can run (none, less precision) is kept, one beyond it
// replaced and reported; a part the table does not know keeps the project's
// core and is reported only without one.
TEST(DeviceTable, TheDevicesCoreAndFpuWinWhereTheIdeBuildsForIt) {
  const auto built = [](TargetDevice device, QList<NotCarried>& notCarried) {
    device.coreFromDevice = true;
    const TargetDevice result = deviceAsBuilt(device, notCarried);
    return std::tuple(result.core, result.fpu, result.floatAbi);
  };
  QList<NotCarried> notCarried;
  EXPECT_EQ(built({"ATSAM4LC4C", {}, "cortex-m4", "fpv4-sp-d16", "hard"}, notCarried),
            std::tuple("cortex-m4", "none", "soft"));
  EXPECT_EQ(built({"TMPM4G9F15FG"}, notCarried), std::tuple("", "", ""));
  EXPECT_EQ(notCarried, QList<NotCarried>(
                            {{"FPU setting",
                              "fpv4-sp-d16, replaced by none of device ATSAM4LC4C",
                              {},
                              {},
                              "the IDE builds for the device the project names"},
                             {"core of device", "TMPM4G9F15FG", {}, {}, "the device table does not know this part"}}));
  notCarried.clear();
  EXPECT_EQ(built({"STM32H743ZI", {}, "cortex-m7", "none", "soft"}, notCarried),
            std::tuple("cortex-m7", "none", "soft"));
  EXPECT_EQ(built({"STM32H743ZI", {}, "cortex-m7", "fpv5-sp-d16"}, notCarried),
            std::tuple("cortex-m7", "fpv5-sp-d16", "hard"));
  EXPECT_EQ(std::get<0>(built({"STM32F030F4P6", {}, "cortex-m0.small-multiply"}, notCarried)),
            "cortex-m0.small-multiply");
  EXPECT_EQ(std::get<0>(built({"TMPM4G9F15FG", {}, "cortex-m4"}, notCarried)), "cortex-m4");
  EXPECT_TRUE(notCarried.isEmpty());
  const TargetDevice chosenCore{"STM32F411RE", {}, "cortex-m0"};
  EXPECT_EQ(deviceAsBuilt(chosenCore, notCarried), chosenCore);
}
