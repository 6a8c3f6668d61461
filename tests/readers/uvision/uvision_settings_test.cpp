// The pieces of a uVision target's settings that are read from text: option
// strings, the device's "Cpu" string and the key codes of user commands.

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "readers/uvision/uvision_command_line.h"
#include "readers/uvision/uvision_device.h"
#include "readers/uvision/uvision_user_commands.h"

// Quotes group a word without being part of it; the options the GNU compiler
// shares with the ARM compilers are sorted out, the last level of each kind
// winning; armcc's -Otime steers a level and is no level itself.
TEST(UVisionSettingsText, CompilerOptionsAreSortedByWhatTheySet) {
  EXPECT_EQ(commandLineWords(" -DA=\"x y\"  -I \"C:\\My Dir\" \"\" -O0"),
            QStringList({"-DA=x y", "-I", "C:\\My Dir", "", "-O0"}));
  const CompilerCommandLine sorted = sortCompilerOptions(
      commandLineWords("-mfloat-abi=softfp -mfpu=fpv4-sp-d16 -mcpu=cortex-m4 -mthumb -mbig-endian -ffunction-sections "
                       "-O0 -Os -Otime -g -g3 -std=gnu11 -std=c++14 -D NAME -DV=1 -U X -I ../inc -Iinc -D"));
  EXPECT_EQ(sorted.device.floatAbi, "softfp");
  EXPECT_EQ(sorted.device.fpu, "fpv4-sp-d16");
  EXPECT_EQ(sorted.device.core, "cortex-m4");
  EXPECT_EQ(sorted.device.byteOrder, "big");
  EXPECT_EQ(sorted.codeGeneration, (CodeGeneration{"-Os", "-g3", "gnu11", "c++14", std::nullopt}));
  EXPECT_EQ(sorted.tool, (ToolOptions{{"NAME", "V=1"}, {"X"}, {"../inc", "inc"}, {"-ffunction-sections", "-Otime"}}));
}

// Regions are written "start,size" or "start-end" with an inclusive end (the
// STM32CubeF4 file's IROM(0x8000000-0x80FFFFF) is the 1 MiB its dialog shows).
TEST(UVisionSettingsText, CpuStringTokensAndMemoryRegions) {
  const QList<CpuToken> tokens = cpuTokens(
      "IRAM(0x20000000-0x2001FFFF) IRAM2(0x24000000,0x00080000) IROM(0x8000000-0x80FFFFF) CLOCK(25000000) "
      "CPUTYPE(\"Cortex-M33\") FPU3(SFPU) DSP TZ");
  ASSERT_EQ(tokens.size(), 8);
  EXPECT_EQ(tokens[4].name, "CPUTYPE");
  EXPECT_EQ(tokens[4].argument, "Cortex-M33");
  EXPECT_EQ(tokens[5].argument, "SFPU");
  EXPECT_EQ(tokens[7].name, "TZ");
  EXPECT_EQ(cpuMemoryRegion(tokens[0]), (MemoryRegion{MemoryRegion::Kind::Ram, "IRAM1", 0x20000000, 0x20000}));
  EXPECT_EQ(cpuMemoryRegion(tokens[1]), (MemoryRegion{MemoryRegion::Kind::Ram, "IRAM2", 0x24000000, 0x80000}));
  EXPECT_EQ(cpuMemoryRegion(tokens[2]), (MemoryRegion{MemoryRegion::Kind::Rom, "IROM1", 0x8000000, 0x100000}));
  EXPECT_EQ(cpuMemoryRegion(tokens[3]), std::nullopt);
  for (const char* broken : {"IROM(0x100-0x10)", "IROM(0x0,0x0)", "IROM(x,1)", "IROM()"})
    EXPECT_EQ(cpuMemoryRegion(cpuTokens(broken).value(0)), std::nullopt) << broken;
}

// Each code with an equivalent becomes the solution's macro; a doubled prefix
// is the character; a prefix before anything but a code letter stays.
TEST(UVisionSettingsText, KeyCodesBecomeSolutionMacros) {
  const KeyCodeValues perFile{"app", "$(EXE)", "STM32F407VGTx", true};
  const struct {
    QString command;
    QString translated;
    QStringList untranslated;
  } cases[] = {
      {"x #L !L $L@L.bin %L", "x $(TargetPath) $(RelTargetPath) $(OutDir)/app.bin app$(EXE)", {}},
      {"lint #F !F $F @F %F", "lint $(InputPath) $(RelInputPath) $(InputDir)/ $(InputName) $(InputFileName)", {}},
      {"cp $P$D.txt $$ %% ## @@ 50% a@b #1", "cp $(ProjectDir)/STM32F407VGTx.txt $ % # @ 50% a@b #1", {}},
      {"$K\\bin\\fromelf #P %H $J ~F", "\\bin\\fromelf    ", {"$K", "#P", "%H", "$J", "~F"}},
  };
  for (const auto& c : cases) {
    const TranslatedCommand translated = translateKeyCodes(c.command, perFile);
    EXPECT_EQ(translated.command, c.translated) << c.command.toStdString();
    EXPECT_EQ(translated.untranslated, c.untranslated) << c.command.toStdString();
  }
  // Outside the compile of a file, F names the file selected in uVision's window.
  EXPECT_EQ(translateKeyCodes("lint !F", {"app", "$(EXE)", "", false}).untranslated, QStringList({"!F"}));
}
