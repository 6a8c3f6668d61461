// The memory layout the ICF editor keeps in a linker configuration file.

#include "readers/iar/iar_icf.h"

#include <gtest/gtest.h>

#include "helpers/test_support.h"

namespace {

// An ICF file of a published project (tests/e2e/fixtures/iar).
IcfLayout layoutOf(const QString& path) {
  return readIcfLayout(
      QString::fromUtf8(testing_support::readFile(testing_support::sourcePath("tests/e2e/fixtures/iar/" + path))));
}

}  // namespace

// Both editor layouts (a_v1_0 of an ARM9 board, cortex_v2_1 of a Cortex-M4
// project) and an ICF that keeps the editor's marker line and no symbols: a
// region's end is its last address, unused regions are 0 to 0; the stacks of
// the other ARM modes, external memory and a vector table away from the start
// of ROM are reported, zero sizes are not.
TEST(IcfLayout, BothEditorLayoutsGiveMemoryStackAndHeap) {
  const IcfLayout arm = layoutOf("at91rm9200/config/FlashAT91RM9200_EK.icf");
  EXPECT_TRUE(arm.hasEditorSymbols);
  EXPECT_EQ(arm.memory, QList<MemoryRegion>({{MemoryRegion::Kind::Rom, "ROM", 0x10000100, 0x7FFF00},
                                             {MemoryRegion::Kind::Ram, "RAM", 0x200100, 0x3F00}}));
  EXPECT_EQ(arm.stackSize, 0x500u);
  EXPECT_EQ(arm.heapSize, 0x500u);
  const QString symbol = "ICF symbol";
  EXPECT_EQ(arm.notCarried, QList<NotCarried>({{symbol, "__ICFEDIT_intvec_start__ = 0x10000000", {}},
                                               {symbol, "__ICFEDIT_size_svcstack__ = 0x100", {}},
                                               {symbol, "__ICFEDIT_size_irqstack__ = 0x100", {}},
                                               {symbol, "__ICFEDIT_size_fiqstack__ = 0x40", {}},
                                               {symbol, "__ICFEDIT_size_undstack__ = 0x40", {}},
                                               {symbol, "__ICFEDIT_size_abtstack__ = 0x40", {}}}));

  const IcfLayout cortex = layoutOf("m480_xom/xom_lib_scatter.icf");
  EXPECT_EQ(cortex.memory, QList<MemoryRegion>({{MemoryRegion::Kind::Rom, "IROM1", 0, 0x40000},
                                                {MemoryRegion::Kind::Ram, "IRAM1", 0x20000000, 0x10000}}));
  EXPECT_EQ(cortex.stackSize, 0x800u);
  EXPECT_EQ(cortex.heapSize, 0u);
  EXPECT_EQ(cortex.notCarried, QList<NotCarried>({{"memory region", "EROM1 0x00010000 to 0x00011000", {}}}));

  const IcfLayout none = layoutOf("sama7d65/AT91bootstrap.icf");
  EXPECT_FALSE(none.hasEditorSymbols);
  EXPECT_TRUE(none.memory.isEmpty());
  EXPECT_EQ(none.stackSize, std::nullopt);
}
