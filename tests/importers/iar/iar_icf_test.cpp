// The memory layout the ICF editor keeps in a linker configuration file.

#include <gtest/gtest.h>

#include "importers/iar/iar_icf.h"
#include "support/test_support.h"

namespace {

// The a_v1_0 editor section of an ARM9 board's ICF file, as published.
const char armEditorSection[] = R"(/*###ICF### Section handled by ICF editor, don't touch! ****/
/*-Editor annotation file-*/
/* IcfEditorFile="$TOOLKIT_DIR$\config\ide\IcfEditor\a_v1_0.xml" */
/*-Specials-*/
define symbol __ICFEDIT_intvec_start__      = 0x10000000;
/*-Memory Regions-*/
define symbol __ICFEDIT_region_ROM_start__  = 0x10000100;
define symbol __ICFEDIT_region_ROM_end__    = 0x107FFFFF;
define symbol __ICFEDIT_region_RAM_start__  = 0x00200100;
define symbol __ICFEDIT_region_RAM_end__    = 0x00203FFF;
/*-Sizes-*/
define symbol __ICFEDIT_size_cstack__   = 0x500;
define symbol __ICFEDIT_size_svcstack__ = 0x100;
define symbol __ICFEDIT_size_irqstack__ = 0x100;
define symbol __ICFEDIT_size_fiqstack__ = 0x40;
define symbol __ICFEDIT_size_undstack__ = 0x40;
define symbol __ICFEDIT_size_abtstack__ = 0x40;
define symbol __ICFEDIT_size_heap__     = 0x500;
/**** End of ICF editor section. ###ICF###*/


define memory mem with size = 4G;
define region ROM_region = mem:[from __ICFEDIT_region_ROM_start__ to __ICFEDIT_region_ROM_end__];
)";

// The cortex_v2_1 editor section of a Cortex-M4 project's ICF file, as published.
const char cortexEditorSection[] = R"(/*###ICF### Section handled by ICF editor, don't touch! ****/
/*-Editor annotation file-*/
/* IcfEditorFile="$TOOLKIT_DIR$\config\ide\IcfEditor\cortex_v2_1.xml" */
/*-Specials-*/
define symbol __ICFEDIT_intvec_start__ = 0x00000000;
/*-Memory Regions-*/
define symbol __ICFEDIT_region_IROM1_start__ = 0x00000000;
define symbol __ICFEDIT_region_IROM1_end__   = 0x0003FFFF;
define symbol __ICFEDIT_region_IROM2_start__ = 0x0;
define symbol __ICFEDIT_region_IROM2_end__   = 0x0;
define symbol __ICFEDIT_region_EROM1_start__ = 0x00010000;
define symbol __ICFEDIT_region_EROM1_end__   = 0x00011000;
define symbol __ICFEDIT_region_EROM2_start__ = 0x0;
define symbol __ICFEDIT_region_EROM2_end__   = 0x0;
define symbol __ICFEDIT_region_IRAM1_start__ = 0x20000000;
define symbol __ICFEDIT_region_IRAM1_end__   = 0x2000FFFF;
define symbol __ICFEDIT_region_IRAM2_start__ = 0x0;
define symbol __ICFEDIT_region_IRAM2_end__   = 0x0;
/*-Sizes-*/
define symbol __ICFEDIT_size_cstack__        = 0x800;
define symbol __ICFEDIT_size_proc_s_stack__  = 0x0;
define symbol __ICFEDIT_size_main_ns_stack__ = 0x0;
define symbol __ICFEDIT_size_proc_ns_stack__ = 0x0;
define symbol __ICFEDIT_size_heap__          = 0x0;
/**** End of ICF editor section. ###ICF###*/
)";

// An ICF that keeps the editor's marker line and no symbols, as published.
const char withoutSymbols[] = R"(/*###ICF### Section handled by ICF editor, don't touch! ****/
build for ram;

define memory mem with size = 4G;

define region RAM_region = mem:[from CONFIG_LINK_ADDR size CONFIG_BOOTSTRAP_MAXSIZE];

define symbol __size_stack__   = 0x2000;
)";

}  // namespace

// Both editor layouts: a region's end is its last address, unused regions
// are 0 to 0; the stacks of the other ARM modes, external memory and a vector
// table away from the start of ROM are reported, zero sizes are not.
TEST(IcfLayout, BothEditorLayoutsGiveMemoryStackAndHeap) {
  const IcfLayout arm = readIcfLayout(armEditorSection);
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

  const IcfLayout cortex = readIcfLayout(cortexEditorSection);
  EXPECT_EQ(cortex.memory, QList<MemoryRegion>({{MemoryRegion::Kind::Rom, "IROM1", 0, 0x40000},
                                                {MemoryRegion::Kind::Ram, "IRAM1", 0x20000000, 0x10000}}));
  EXPECT_EQ(cortex.stackSize, 0x800u);
  EXPECT_EQ(cortex.heapSize, 0u);
  EXPECT_EQ(cortex.notCarried,
            QList<NotCarried>({{"memory region", "EROM1 0x00010000 to 0x00011000", {}}}));

  const IcfLayout none = readIcfLayout(withoutSymbols);
  EXPECT_FALSE(none.hasEditorSymbols);
  EXPECT_TRUE(none.memory.isEmpty());
  EXPECT_EQ(none.stackSize, std::nullopt);
}
