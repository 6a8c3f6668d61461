// iar2hzp end to end on the build settings of published IAR projects, one
// per project file version (Embedded Workbench 5 to 9): the files under
// tests/e2e/fixtures/iar are the published ones with only the options the
// conversion reads kept, in their exact form, and their ICF files.

#include <gtest/gtest.h>

#include "e2e/iar_fixtures.h"
#include "helpers/test_support.h"

using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::readFile;

namespace {

// Converts the workspace of the fixture folder where it lies and compares the solution whole.
void expectConverts(const QString& folder, const QString& workspace, const QByteArray& warnings,
                    const QString& expected) {
  iar_fixtures::copyFixture(folder, folder);
  expectSuccess({"iar2hzp", "-executable-template", "E", "-library-template", "L", folder + "/" + workspace + ".eww"},
                warnings);
  EXPECT_EQ(readFile(folder + "/" + workspace + ".hzp"), expectedSolution(expected));
}

}  // namespace

// File version 2 (saved by 5.10): an ARM920T with the older option names
// ("Variant", "FPU", "CCLangSelect"), configurations FlashMemory and
// FlashRelease (read as Debug and Release, the files both exclude excluded in
// "Common"), optimisation Low and High
// balanced, debug information in one, and the a_v1_0 ICF editor section: ROM
// and RAM, stack and heap; the ARM-mode stacks and the vector table are reported.
TEST(IarSettings, FileVersion2Arm9WithOlderOptionNames) {
  const QByteArray ewp = "at91rm9200/AT91RM9200-BMP-EK-IAR.ewp: ";
  expectConverts(
      "at91rm9200", "AT91RM9200-BMP-EK-IAR",
      "warning: " + ewp +
          "configuration 'FlashMemory' is read as Debug\n"
          "warning: " +
          ewp +
          "configuration 'FlashRelease' is read as Release\n"
          "warning: " +
          ewp +
          "not carried: ICF symbol __ICFEDIT_intvec_start__ = 0x10000000; "
          "__ICFEDIT_size_svcstack__ = 0x100; __ICFEDIT_size_irqstack__ = 0x100; __ICFEDIT_size_fiqstack__ = 0x40; "
          "__ICFEDIT_size_undstack__ = 0x40; __ICFEDIT_size_abtstack__ = 0x40 (configurations FlashMemory, "
          "FlashRelease)\n"
          "warning: " +
          ewp +
          "not carried: core ARM920T, FPU none, float ABI soft, byte order little (configurations "
          "FlashMemory, FlashRelease)\n"
          "warning: " +
          ewp +
          "not carried: ICF file config/FlashAT91RM9200_EK.icf (configurations FlashMemory, "
          "FlashRelease)\n",
      "iar_settings_version2.hzp");
}

// File version 2 (saved by 7.80): a Cortex-M4F (core options of version 24,
// FPU2 4 with 16 registers), C99 with IAR's extensions (gnu99) for ICCARM 31,
// linker extra options and a converted output reported; two files with a whole
// copy of the compiler's options of their own, which differ only in keeping
// constants out of the code (-mpure-code, as the vendor's GCC project of these
// files sets it).
TEST(IarSettings, FileVersion2FilesWithOptionsOfTheirOwn) {
  const QByteArray ewp = "m480_xom/FMC_XOM_Lib.ewp: ";
  expectConverts("m480_xom", "FMC_XOM_Lib",
                 "warning: " + ewp +
                     "not carried: IAR compiler option --diag_suppress=Pa082 (configuration Release)\n"
                     "warning: " +
                     ewp +
                     "not carried: memory region EROM1 0x00010000 to 0x00011000 (configuration "
                     "Release)\n"
                     "warning: " +
                     ewp +
                     "not carried: IAR linker option --keep XOM_Dispatch (configuration Release)\n"
                     "warning: " +
                     ewp +
                     "not carried: converted output FMC_XOM_Lib.bin (configuration Release)\n"
                     "warning: " +
                     ewp + "not carried: ICF file xom_lib_scatter.icf (configuration Release)\n",
                 "iar_settings_version2_own_options.hzp");
}

// File version 3 (saved by 8.42): a Cortex-M23 built for the secure state (its
// import library reported), C11 with IAR's extensions for ICCARM 36, the entry
// label, a post-build command in the older form with "$PROJ_DIR$", the
// cortex_v2_1 ICF editor section with two ROM regions; a group whose own
// compiler options keep constants out of the code, suppress a diagnostic and
// drop a definition and an include directory of the project (which a solution
// cannot take away); and a library whose archiver output names its own
// directory and name.
TEST(IarSettings, FileVersion3SecureCortexM23GroupOptionsAndLibraryOutput) {
  const QByteArray code = "m2351_xom/XOMCode.ewp: ";
  expectConverts("m2351_xom", "XOM",
                 "warning: " + code +
                     "not carried: IAR linker option --import_cmse_lib_out XOMCode_import_lib.o "
                     "(configuration Release)\n"
                     "warning: " +
                     code +
                     "not carried: converted output XOMCode.bin (configuration Release)\n"
                     "warning: " +
                     code +
                     "not carried: IAR compiler option --diag_suppress=Pa082 on User (configuration "
                     "Release)\n"
                     "warning: " +
                     code +
                     "not carried: definition NDEBUG left out by User (configuration Release)\n"
                     "warning: " +
                     code +
                     "not carried: ICF file XOMCode.icf (configuration Release)\n"
                     "warning: " +
                     code +
                     "not carried: include directory $(ProjectDir)/.. left out by User (configuration "
                     "Release)\n"
                     "warning: m2351_xom/XOMLib.ewp: not carried: IAR compiler option --diag_suppress=Pa082 "
                     "(configuration Release)\n",
                 "iar_settings_version3.hzp");
}

// File version 4 (saved by 9.70): a Cortex-A7 with VFPv4 and NEON (reported),
// C18 with IAR's extensions (gnu11: C18 only corrects C11), two configurations
// of other names (the first read as both, the other carried under its name), a
// pre-included header for the compiler and the assembler, the assembler's own
// definitions and include directories, build actions of the newer form run in
// the project directory, the output named by "$CONFIG_NAME$", and an ICF
// without editor symbols (its symbols set by the project are reported).
TEST(IarSettings, FileVersion4CortexA7WithBuildActions) {
  const QByteArray ewp = "sama7d65/device/sama7d65/AT91bootstrap_SAMA7D65.ewp: ";
  expectConverts(
      "sama7d65", "AT91Bootstrap",
      "warning: " + ewp +
          "paths with $CONFIG_NAME$ left out: only Embedded Workbench knows its value: $CONFIG_NAME$/Obj\n"
          "warning: " +
          ewp +
          "no configuration is named Debug or Release; 'sama7d65_curiosity_qspi_boot' is read as "
          "both\n"
          "warning: " +
          ewp +
          "not carried: memory layout ../../AT91bootstrap.icf (no ICF editor symbols) "
          "(configurations sama7d65_curiosity_qspi_boot, sama7d65_curiosity_noboot)\n"
          "warning: " +
          ewp +
          "not carried: IAR linker option --config_def CONFIG_LINK_ADDR=0x100000; --config_def "
          "CONFIG_BOOTSTRAP_MAXSIZE=65536 (configurations sama7d65_curiosity_qspi_boot, sama7d65_curiosity_noboot)\n"
          "warning: " +
          ewp +
          "not carried: converted output $PROJ_DIR$\\..\\..\\bin\\$CONFIG_NAME$.bin (configurations "
          "sama7d65_curiosity_qspi_boot, sama7d65_curiosity_noboot)\n"
          "warning: " +
          ewp +
          "not carried: core Cortex-A7, FPU neon-vfpv4, float ABI hard, byte order little "
          "(configurations sama7d65_curiosity_qspi_boot, sama7d65_curiosity_noboot)\n"
          "warning: " +
          ewp +
          "not carried: ICF file ../../AT91bootstrap.icf (configurations "
          "sama7d65_curiosity_qspi_boot, sama7d65_curiosity_noboot)\n",
      "iar_settings_version4.hzp");
}

// Issue 31, causes 2, 3 and 5. Where the project chooses its device
// ("OGCoreOrChip" 1) Embedded Workbench builds for the device's core:
// STM32CubeF4's STM32F446RE project names it with a core code of Embedded
// Workbench 7 (version 21, 40) and the older FPU option (version 4, 6); its
// STM32F411RE project keeps a stale Cortex-M0 code (version 22, 34), replaced
// with a report. Nuvoton's M480 project has the older FPU option of version 2
// (5, VFPv4 single precision). The RISC-V warning names device and core.
TEST(IarSettings, DeviceCoresOlderFpuOptionAndRiscV) {
  const QByteArray f411 = "device_cores/STM32F411RE-Nucleo/EWARM/Project.ewp: ";
  expectConverts("device_cores", "STM32446E-Nucleo/EWARM/Project",
                 "warning: device_cores/STM32446E-Nucleo/EWARM/Project.ewp: no configuration is named Debug or "
                 "Release; 'STM32F4xx-Nucleo' is read as both\n",
                 "iar_device_core_unknown_code.hzp");
  expectConverts("device_cores", "STM32F411RE-Nucleo/EWARM/Project",
                 "warning: " + f411 +
                     "no configuration is named Debug or Release; 'STM32F411-Nucleo' is read as "
                     "both\n"
                     "warning: " +
                     f411 +
                     "not carried: core setting cortex-m0, replaced by cortex-m4 of device "
                     "STM32F411RE (configuration STM32F411-Nucleo)\n",
                 "iar_device_core_stale.hzp");
  expectConverts("device_cores", "test_suit_ecdh/IAR/mbedtls_test_suit_ecdh", {}, "iar_older_fpu_option.hzp");
  expectConverts("riscv", "ws",
                 "warning: riscv/hello.ewp: RISC-V target N300 (core RV32IMAFDC): files, definitions and include "
                 "directories converted, no ARM target settings written\n"
                 "warning: riscv/hello.ewp: not carried: ICF file ilm.icf (configuration Debug)\n",
                 "iar_riscv.hzp");
}
