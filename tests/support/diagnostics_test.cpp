// The diagnostics channel: messages stay on one line whatever a foreign file
// puts into them, a warning is shown once per input, and an error comes after
// the warnings of its input.

#include "support/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

QByteArray contentOf(std::FILE* stream) {
  std::rewind(stream);
  QByteArray text;
  char buffer[256];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, stream)) > 0;) text.append(buffer, qsizetype(read));
  return text;
}

}  // namespace

TEST(Diagnostics, EscapeControlCharactersOnly) {
  EXPECT_EQ(escapeControlCharacters("x\nerror: injected"), "x\\nerror: injected");
  EXPECT_EQ(escapeControlCharacters("a\tb\rc\x1b[2J\x7f"), "a\\tb\\rc\\x1b[2J\\x7f");
  EXPECT_EQ(escapeControlCharacters(std::string_view("nul\0end", 7)), "nul\\x00end");
  // Windows paths and UTF-8 names are printed as they are; C1 controls are not.
  EXPECT_EQ(escapeControlCharacters(".\\Secure\\App_s.uvprojx \xc3\xa9"), ".\\Secure\\App_s.uvprojx \xc3\xa9");
  EXPECT_EQ(escapeControlCharacters("a\xc2\x9b"
                                    "31mb\xc2\xa0"),
            "a\\xc2\\x9b31mb\xc2\xa0");
}

TEST(Diagnostics, LongMessagesAreCutAtACharacter) {
  std::FILE* errors = std::tmpfile();
  ASSERT_TRUE(errors);
  {
    Diagnostics diagnostics(false, stdout, errors);
    diagnostics.warn(QString(), QString(4095, 'x') + QString::fromUtf8("\xc3\xa9") + QString(100, 'y'));
    diagnostics.flush();
  }
  EXPECT_EQ(contentOf(errors), "warning: " + QByteArray(4095, 'x') + "... (102 more bytes)\n");
  std::fclose(errors);
}

// What is printed is what is kept for the report: the same warnings, filed
// with their input; with -verbose an input ends with its summary line.
TEST(Diagnostics, WarningsOncePerInputThenTheError) {
  std::FILE* output = std::tmpfile();
  std::FILE* errors = std::tmpfile();
  ASSERT_TRUE(output && errors);
  {
    Diagnostics diagnostics(true, output, errors);
    diagnostics.beginInput("a.eww");
    diagnostics.warn("a.ewp", "left out");
    diagnostics.progress("cproject found: ./x\x1b[2J/.project");
    diagnostics.warn("a.ewp", "left out");
    const qsizetype app = diagnostics.addProject({"app", "executable", "a.ewp", 3, 1, {{"Debug"}, {"Release"}}});
    diagnostics.notCarried(app, {"ICF file", "a.icf", {"Debug"}});
    diagnostics.finishInput("/w/a.hzp");
    diagnostics.beginInput("b.eww");
    diagnostics.warn("a.ewp", "left out");  // the next input shows it again
    diagnostics.error(ConversionError("b.ewp", "Cannot open x\ny for reading"));
    diagnostics.error(ConversionError("argument expected"));
    const RunOutcome& run = diagnostics.run();
    ASSERT_EQ(run.inputs.size(), 2u);
    EXPECT_EQ(run.inputs[0].warnings.size(), 2);
    EXPECT_EQ(run.inputs[0].warnings[1].message, "not carried: ICF file a.icf (configuration Debug)");
    EXPECT_EQ(run.inputs[1].error->message(), "Cannot open x\ny for reading");
    EXPECT_EQ(run.error->message(), "argument expected");
  }
  EXPECT_EQ(contentOf(output), "cproject found: ./x\\x1b[2J/.project\n");
  EXPECT_EQ(contentOf(errors),
            "warning: a.ewp: left out\n"
            "warning: a.ewp: not carried: ICF file a.icf (configuration Debug)\n"
            "/w/a.hzp: 1 project, 3 files, 2 configurations; 1 setting not carried\n"
            "warning: a.ewp: left out\n"
            "error: b.ewp: Cannot open x\\ny for reading\n"
            "error: argument expected\n");
  std::fclose(output);
  std::fclose(errors);
}
