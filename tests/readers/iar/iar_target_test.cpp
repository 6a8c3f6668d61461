// The device of an IAR configuration from its "General" options, whose codes
// depend on each option's version.

#include "readers/iar/iar_target.h"

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "readers/iar/iar_option_blocks.h"

using namespace iar_option_blocks;

namespace {

TargetDevice deviceOf(const QByteArray& generalOptions) {
  return readIarTargetDevice(configurationOf(settings("General", 31, generalOptions)));
}

}  // namespace

// The same code names another core once two cores were inserted before the
// codes above 41 (option version 34 on), and one lower from 35 on before
// Cortex-M0+ joined (versions up to 19); between 29 and 33 only codes up to 41
// are known. The newest option name wins where several are written.
TEST(IarTargetDevice, CoreCodesByOptionVersion) {
  const struct {
    QByteArray options;
    QString core;
  } cases[] = {
      {option("Variant", 16, {"7"}), "ARM920T"},
      {option("Variant", 19, {"38"}) + option("GBECoreSlave", 19, {"38"}), "cortex-m4"},
      {option("Variant", 21, {"40"}) + option("GBECoreSlave", 21, {"40"}), "cortex-m4"},
      {option("GBECoreSlave", 24, {"39"}) + option("CoreVariant", 24, {"39"}), "cortex-m4"},
      {option("CoreVariant", 28, {"58"}), "cortex-m23"},
      {option("CoreVariant", 28, {"59"}), "cortex-m33"},
      {option("GBECoreSlave", 29, {"39"}), "cortex-m4"},
      {option("CoreVariant", 32, {"61"}), "IAR core code 61 (version 32)"},
      {option("CoreVariant", 34, {"35"}), "cortex-m0plus"},
      {option("CoreVariant", 34, {"41"}), "cortex-m7"},
      {option("CoreVariant", 34, {"61"}), "cortex-m33"},
      {option("CoreVariant", 35, {"54"}), "Cortex-A7"},
      {option("CoreVariant", 35, {"64"}), "Cortex-M55"},
      {option("GFPUCoreSlave2", 24, {"38"}), "cortex-m3"},
      {option("GBECoreSlave", 28, {"34"}) + option("CoreVariant", 28, {"58"}), "cortex-m23"},
      {option("CoreVariant", 28, {"57"}), "IAR core code 57 (version 28)"},
  };
  for (const auto& c : cases) EXPECT_EQ(deviceOf(c.options).core, c.core) << c.options.toStdString();
}

// "NrRegs" and "NEON" choose among the variants of VFPv3 and VFPv4; the older
// "FPU" option's codes depend on its version; an FPU means the hardware
// floating-point calling convention.
TEST(IarTargetDevice, FpuCodesAndCallingConvention) {
  const struct {
    QByteArray options;
    QString fpu;
    QString floatAbi;
  } cases[] = {
      {option("FPU2", 0, {"4"}) + option("NrRegs", 0, {"1"}) + option("NEON", "0"), "fpv4-sp-d16", "hard"},
      {option("FPU2", 0, {"0"}) + option("NrRegs", 0, {"0"}), "none", "soft"},
      {option("FPU2", 0, {"6"}), "fpv5-sp-d16", "hard"},
      {option("FPU2", 0, {"7"}), "fpv5-d16", "hard"},
      {option("FPU2", 0, {"5"}) + option("NrRegs", 0, {"2"}) + option("NEON", "1"), "neon-vfpv4", "hard"},
      {option("FPU2", 0, {"5"}) + option("NrRegs", 0, {"2"}), "vfpv4", "hard"},
      {option("FPU2", 0, {"3"}) + option("NrRegs", 0, {"1"}), "vfpv3-d16", "hard"},
      {option("FPU", 1, {"0"}), "none", "soft"},
      {option("FPU", 1, {"2"}), "IAR FPU code 2 (version 1)", "hard"},
      {option("FPU", 2, {"5"}), "fpv4-sp-d16", "hard"},
      {option("FPU", 4, {"6"}), "fpv4-sp-d16", "hard"},
      {option("FPU", 4, {"10"}), "fpv5-d16", "hard"},
      {option("FPU", 4, {"5"}), "IAR FPU code 5 (version 4)", "hard"},
      {option("FPU2", 0, {"9"}), "IAR FPU code 9", "hard"},
      {QByteArray(), QString(), QString()},
  };
  for (const auto& c : cases) {
    const TargetDevice device = deviceOf(c.options);
    EXPECT_EQ(device.fpu, c.fpu) << c.options.toStdString();
    EXPECT_EQ(device.floatAbi, c.floatAbi) << c.options.toStdString();
  }
}

// Big endian is BE-8 unless "GEndianModeBE" asks for the older BE-32; code for
// the secure state needs TrustZone in its secure mode; the device is the chip
// text up to its tab, and builds for its core where "OGCoreOrChip" chooses it.
TEST(IarTargetDevice, ByteOrderTrustZoneDspAndDevice) {
  EXPECT_EQ(deviceOf(option("GEndianMode", "0") + option("GEndianModeBE", "1")).byteOrder, "little");
  EXPECT_EQ(deviceOf(option("GEndianMode", "1") + option("GEndianModeBE", "1")).byteOrder, "big");
  EXPECT_EQ(deviceOf(option("GEndianMode", "1") + option("GEndianModeBE", "0")).byteOrder, "BE-32");
  const QByteArray trustZone = option("DSPExtension", "1") + option("TrustZone", "1");
  const TargetDevice secure = deviceOf(trustZone + option("TrustZoneModes", 0, {"1"}));
  EXPECT_EQ(secure.secureCode, true);
  EXPECT_EQ(secure.dsp, true);
  EXPECT_EQ(deviceOf(trustZone + option("TrustZoneModes", 0, {"0"})).secureCode, false);
  EXPECT_EQ(deviceOf(QByteArray()).secureCode, std::nullopt);
  const QByteArray chip = option("OGChipSelectEditMenu", "M481AE series\tNuvoton M481AE series (M481AE,M482AE)");
  EXPECT_EQ(deviceOf(chip).name, "M481AE series");
  EXPECT_TRUE(deviceOf(chip + option("OGCoreOrChip", "1")).coreFromDevice);
  EXPECT_FALSE(deviceOf(chip + option("OGCoreOrChip", "0")).coreFromDevice);
}
