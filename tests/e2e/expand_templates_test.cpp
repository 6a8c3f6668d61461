// -expand-templates end to end: workspaces converted by the binary with templates
// files written in the test, the expanded solutions compared byte for byte, and
// the errors of reading solutions back, imports and load commands.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "e2e/eclipse_fixtures.h"
#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"

using eclipse_fixtures::absolute;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::solutionHeader;
using testing_support::writeFile;

namespace {

// ws/demo.uvmpw with an executable project .\app\app.uvprojx and a library .\drv\drv.uvprojx.
void writeUVisionWorkspace() {
  using namespace uvision_fixtures;
  writeFile("ws/demo.uvmpw", workspace({".\\app\\app.uvprojx", ".\\drv\\drv.uvprojx"}));
  const Target app{.outputDirectory = ".\\Objects\\",
                   .define = "STM32F4",
                   .groups = group("Source", {{"main.c", ".\\src\\main.c"}, {"main.h", ".\\src\\main.h"}})};
  Target library = app;
  library.createExecutable = "0";
  library.groups = group("Source", {{"gpio.c", "gpio.c"}});
  writeFile("ws/app/app.uvprojx", project({app}));
  writeFile("ws/drv/drv.uvprojx", project({library}));
  writeFile("ws/app/ld/flash.ld", "");
  writeFile("ws/app/ld/notes.txt", "");
}

QByteArray templatesFile(const QByteArray& content) {
  return "<!DOCTYPE Project_Templates_File>\n<projects>\n" + content + "</projects>\n";
}

// A templates file kept under tests/e2e/fixtures.
QByteArray fixture(const QString& name) { return readFile(testing_support::sourcePath("tests/e2e/fixtures/" + name)); }

// The arguments that convert ws/demo.uvmpw with options and expand its templates.
QStringList expandUVision(const QStringList& options) {
  return QStringList{"uvision2hzp", "-expand-templates"} + options + QStringList{"ws/demo.uvmpw"};
}

}  // namespace

// Template properties never replace converted ones (c_preprocessor_definitions);
// configuration templates apply by name; the dynamic folder keeps only its settings.
TEST(ExpandTemplates, UVisionWorkspace) {
  writeUVisionWorkspace();
  writeFile("templates.xml", fixture("app_and_lib_templates.xml"));  // every kind of content
  expectSuccess(
      expandUVision({"-templatesfile", "templates.xml", "-executable-template", "App", "-library-template", "Lib"}));
  EXPECT_EQ(readFile("ws/demo.hzp"), expectedSolution("expand_templates_uvision.hzp"));
}

TEST(ExpandTemplates, EclipseWorkspaceWithTheTemplateTheReaderChooses) {
  using namespace eclipse_fixtures;
  const QByteArray mcu = microcontroller("STM32F407VGTx");
  writeProject("ws/blinky", "blinky",
               cproject({{"Debug", mcu + listOption("definedSymbols", {"DEBUG"})},
                         {"Release", mcu + listOption("definedSymbols", {"NDEBUG"})}}));
  writeFile("ws/blinky/Core/main.c", "");
  writeFile("templates.xml", fixture("stm32_exe_templates.xml"));
  expectSuccess({"eclipse2hzp", "-expand-templates", "-templatesfile", "templates.xml", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("expand_templates_eclipse.hzp"));
}

namespace {

// App imports what imports names (each an <import> element) into the solution.
QByteArray importingTemplates(const QList<QByteArray>& imports) {
  QByteArray app = "  <project template_name=\"App\" type=\"Executable\">\n";
  for (const QByteArray& name : imports) app += "    <import name=\"" + name + "\" />\n";
  return templatesFile(app + "  </project>\n  <project template_name=\"Lib\" type=\"Library\" />\n");
}

// The arguments of a conversion with those templates.
QStringList importing(const QList<QByteArray>& imports) {
  writeFile("templates.xml", importingTemplates(imports));
  return expandUVision({"-templatesfile", "templates.xml", "-executable-template", "App", "-library-template", "Lib"});
}

QByteArray solutionFile(const QByteArray& attributes, const QByteArray& content = {}) {
  return solutionHeader + ("<solution Name=\"lib\"" + attributes + ">" + content + "</solution>\n");
}

}  // namespace

// An import is written once, as a reference; a solution that cannot be read, or
// one already loaded (the converted solution itself, a cycle), ends the run with
// a message naming the file, and the previous solution stays as it was.
TEST(ExpandTemplates, ImportsAreReadOnceAndEveryReaderErrorNamesItsFile) {
  writeUVisionWorkspace();
  writeFile("ws/lib/lib.hzp", solutionFile("", "<project Name=\"shared\"/>"));
  expectSuccess(importing({"lib/lib.hzp", "lib/lib.hzp"}));
  const QByteArray solution = readFile("ws/demo.hzp");
  EXPECT_TRUE(
      solution.endsWith("  <import file_name=\"" + absolute("ws/lib/lib.hzp").toUtf8() + "\" />\n</solution>\n"))
      << solution.toStdString();
  EXPECT_EQ(solution.count("<import"), 1);
  EXPECT_FALSE(solution.contains("shared"));  // the imported solution stays in its own file

  writeFile("ws/lib/loop.hzp", solutionFile("", "<import file_name=\"./loop.hzp\"/>"));
  writeFile("ws/lib/bad.hzp", solutionHeader + QByteArray("<solution>\n  <project Name='x'/>\n</solution>\n"));
  writeFile("ws/lib/mismatch.hzp", solutionHeader + QByteArray("<solution>\n</project>\n"));
  writeFile("ws/lib/other.hzp", "<!DOCTYPE Project_Templates_File>\n<solution/>\n");
  writeFile("ws/lib/empty.hzp", solutionHeader);
  writeFile("ws/lib/project.hzp", solutionHeader + QByteArray("<project Name=\"p\"/>\n"));
  writeFile("ws/lib/fails.hzp", solutionFile(" load_command=\"sh -c &quot;exit 7&quot;\""));
  writeFile("ws/lib/latin1.hzp",
            solutionHeader + QByteArray("<solution>\n  <project Name=\"caf\xE9\"/>\n</solution>\n"));
  writeFile("ws/lib/nostart.hzp", solutionFile(" load_command=\"no-such-tool-for-quenport x\""));
  QDir().mkpath("ws/lib/directory.hzp");
  const QString lib = absolute("ws/lib");
  const struct {
    const char* import;
    QString error;
  } cases[] = {
      {"demo.hzp", absolute("ws/demo.hzp") + " solution already loaded"},
      {"lib/loop.hzp", lib + "/loop.hzp solution already loaded"},
      {"lib/missing.hzp", lib + "/missing.hzp does not exist"},
      {"lib/directory.hzp", lib + "/directory.hzp cannot access"},
      {"lib/bad.hzp", lib + "/bad.hzp: bad tagName line: 3"},
      {"lib/mismatch.hzp", lib + "/mismatch.hzp: tagName mismatch line: 3"},
      {"lib/other.hzp", lib + "/other.hzp not a solution file"},
      {"lib/empty.hzp", lib + "/empty.hzp is a malformed solution file (bad XML)"},
      {"lib/project.hzp", lib + "/project.hzp is a malformed solution file (no solution element)"},
      {"lib/fails.hzp", lib + "/fails.hzp: solution load command failed (7)"},
      {"lib/latin1.hzp", lib + "/latin1.hzp: invalid UTF-8 line: 3 column: 21"},
      {"lib/nostart.hzp",
       lib + "/nostart.hzp: cannot start solution load command no-such-tool-for-quenport: no such program"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(importing({c.import}));
    EXPECT_EQ(result.exitCode, 1) << c.import;
    EXPECT_EQ(result.standardError, "error: " + c.error.toUtf8() + "\n");
    EXPECT_EQ(readFile("ws/demo.hzp"), solution) << c.import;
  }

  // However deeply an imported solution nests its folders: every walk of the model
  // keeps its own stack.
  const int depth = 100000;
  writeFile("ws/lib/deep.hzp", solutionFile("", QByteArray("<folder Name=\"f\">").repeated(depth) +
                                                    QByteArray("</folder>").repeated(depth)));
  expectSuccess(importing({"lib/deep.hzp"}));
  EXPECT_TRUE(
      readFile("ws/demo.hzp").contains("<import file_name=\"" + absolute("ws/lib/deep.hzp").toUtf8() + "\" />"));
}

// Imports that form a diamond: every file imports the next one twice. Each file
// is read once, so the last one's load command runs once, not 2^10 times.
TEST(ExpandTemplates, ADiamondOfImportsReadsEachFileOnce) {
  writeUVisionWorkspace();
  const int levels = 10;
  for (int level = 0; level < levels; ++level) {
    const QByteArray next = "d" + QByteArray::number(level + 1) + ".hzp";
    writeFile("ws/lib/d" + QString::number(level) + ".hzp",
              solutionFile("", "<import file_name=\"" + next + "\"/><import file_name=\"./" + next + "\"/>"));
  }
  writeFile("ws/lib/d10.hzp", solutionFile(" load_command=\"echo read &gt;&gt; reads.txt\""));
  expectSuccess(importing({"lib/d0.hzp"}));
  EXPECT_EQ(readFile("ws/lib/reads.txt"), "read\n");
}

// The load command of an imported solution runs in that solution's directory.
TEST(ExpandTemplates, LoadCommandRedirections) {
  writeUVisionWorkspace();
  // Standard error first, then (after a pause, so the two streams reach one file in order) standard output.
  writeFile("ws/lib/gen.sh", "#!/bin/sh\necho \"err $*\" >&2\n[ \"$1\" = both ] && sleep 0.2\necho \"out $*\"\n");
  QFile::setPermissions("ws/lib/gen.sh", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const struct {
    const char* command;
    const char* file;
    QByteArray before;
    QByteArray after;
  } cases[] = {
      {"./gen.sh a &gt; out.txt", "out.txt", {}, "out a\n"},
      {"sh gen.sh b 1&gt; out.txt", "out.txt", "old\n", "out b\n"},
      {"./gen.sh c &gt;&gt; out.txt", "out.txt", "old\n", "old\nout c\n"},
      {"./gen.sh d 1&gt;&gt; out.txt", "out.txt", "old\n", "old\nout d\n"},
      {"./gen.sh e 2&gt; err.txt", "err.txt", "old\n", "err e\n"},
      {"./gen.sh f 2&gt;&gt; err.txt", "err.txt", "old\n", "old\nerr f\n"},
      {"./gen.sh both g &amp;&gt; all.txt", "all.txt", "old\n", "err both g\nout both g\n"},
      {"./gen.sh both h &amp;&gt;&gt; all.txt", "all.txt", "old\n", "old\nerr both h\nout both h\n"},
      {"./gen.sh i 2&gt; err.txt &amp;&gt; all.txt", "all.txt", {}, "out i\n"},
  };
  for (const auto& c : cases) {
    QFile::remove(QString("ws/lib/") + c.file);
    if (!c.before.isNull()) writeFile(QString("ws/lib/") + c.file, c.before);
    writeFile("ws/lib/lib.hzp", solutionFile(QByteArray(" load_command=\"") + c.command + "\""));
    expectSuccess(importing({"lib/lib.hzp"}));
    EXPECT_EQ(readFile(QString("ws/lib/") + c.file), c.after) << c.command;
  }
  EXPECT_EQ(readFile("ws/lib/err.txt"), "err i\n");
}

// A program named without a directory is found on PATH only, as a shell finds
// it: a "true" shipped beside the solution does not run instead of the system's.
TEST(ExpandTemplates, ALoadCommandNamedWithoutADirectoryIsFoundOnPath) {
  writeUVisionWorkspace();
  writeFile("ws/lib/true", "#!/bin/sh\necho shipped > shipped.txt\n");
  QFile::setPermissions("ws/lib/true", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  writeFile("ws/lib/lib.hzp", solutionFile(" load_command=\"true\""));
  expectSuccess(importing({"lib/lib.hzp"}));
  EXPECT_FALSE(QFile::exists("ws/lib/shipped.txt"));
  writeFile("ws/lib/lib.hzp", solutionFile(" load_command=\"./true\""));
  expectSuccess(importing({"lib/lib.hzp"}));
  EXPECT_EQ(readFile("ws/lib/shipped.txt"), "shipped\n");
}

namespace {

// Whether process id is gone: not there, or a zombie nobody reaped (an orphan in a
// container whose first process reaps none). A killed process ends once it is
// scheduled again, a moment after the signal: it is given up to 10 seconds.
bool ended(const QByteArray& id) {
  for (int wait = 0; wait < 1000; ++wait) {
    const QByteArray status = readFile("/proc/" + id + "/stat");
    if (status.isEmpty() || status.mid(status.lastIndexOf(')') + 2, 1) == "Z") return true;
    QThread::msleep(10);
  }
  return false;
}

}  // namespace

// Interrupted while a load command runs, the converter ends the command's whole
// process group (here a shell and the sleep it started) before it ends itself by
// the signal; the previous solution stays.
TEST(ExpandTemplates, AnInterruptedRunEndsItsLoadCommand) {
  writeUVisionWorkspace();
  writeFile("ws/lib/hold.sh", "sleep 600 &\necho $$ $! > pids.tmp\nmv pids.tmp pids.txt\nwait\n");
  writeFile("ws/lib/lib.hzp", solutionFile(" load_command=\"sh hold.sh\""));
  const QStringList arguments = importing({"lib/lib.hzp"});
  writeFile("ws/demo.hzp", "previous");
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    QFile::remove("ws/lib/pids.txt");
    QProcess process;
    process.start(QStringLiteral(QUENPORT_BINARY), arguments);
    ASSERT_TRUE(process.waitForStarted());
    QByteArray pids;
    for (int wait = 0; wait < 6000 && pids.isEmpty(); ++wait) {  // until the command runs
      QThread::msleep(10);
      pids = readFile("ws/lib/pids.txt").trimmed();
    }
    ASSERT_FALSE(pids.isEmpty()) << "signal " << signal;
    ::kill(pid_t(process.processId()), signal);
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << "signal " << signal;
    for (const QByteArray& id : pids.split(' '))
      EXPECT_TRUE(ended(id)) << "signal " << signal << ", process " << id.toStdString();
    EXPECT_EQ(readFile("ws/demo.hzp"), "previous");
  }
}

TEST(ExpandTemplates, TemplatesFilesReplacedExtendedAndMatchedByWildcards) {
  writeUVisionWorkspace();
  const auto appTemplate = [](const QByteArray& core) {
    return templatesFile(
        "<project template_name=\"App\" type=\"Executable\"><property name=\"arm_core_type\" value=\"" + core +
        "\"/></project>\n");
  };
  const auto appCore = [] {
    const QByteArray solution = readFile("ws/demo.hzp");
    const qsizetype start = solution.indexOf("arm_core_type=\"") + 15;
    return solution.mid(start, solution.indexOf('"', start) - start);
  };
  // Added to the installed list: the installed STM32_LIB serves the library.
  writeFile("extra.xml", appTemplate("Cortex-M0"));
  expectSuccess(expandUVision(
      {"-addtemplatesfile", "extra.xml", "-executable-template", "App", "-library-template", "STM32_LIB"}));
  EXPECT_EQ(appCore(), "Cortex-M0");

  // Replacing the list leaves the installed templates out.
  const QByteArray written = readFile("ws/demo.hzp");
  const auto result = runQuenport(
      expandUVision({"-templatesfile", "extra.xml", "-executable-template", "App", "-library-template", "STM32_LIB"}));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: STM32_LIB: project template not found\n");
  EXPECT_EQ(readFile("ws/demo.hzp"), written);

  // Later files win: in the order given, and wildcard matches in listing order.
  writeFile("later.xml", appTemplate("Cortex-M7"));
  writeFile("packs/a/tmpl.xml", appTemplate("Cortex-M3"));
  writeFile("packs/B/tmpl-more.xml", appTemplate("Cortex-M33"));
  writeFile("packs/c/other.xml", appTemplate("Cortex-M23"));
  writeFile("broken.xml", "<projects>\n<project template_name='App'/>\n</projects>\n");
  const struct {
    QStringList options;
    const char* core;
  } cases[] = {
      {{"-templatesfile", "extra.xml", "-addtemplatesfile", "later.xml"}, "Cortex-M7"},
      {{"-templatesfile", "later.xml;extra.xml"}, "Cortex-M0"},
      {{"-templatesfile", "packs/*/tmpl*.xml"}, "Cortex-M33"},
      {{"-templatesfile", absolute("p*s") + "/[a-b]/tmpl.xml"}, "Cortex-M3"},
  };
  for (const auto& c : cases) {
    expectSuccess(expandUVision(c.options + QStringList{"-executable-template", "App", "-library-template", "App"}));
    EXPECT_EQ(appCore(), c.core) << qPrintable(c.options.join(' '));
  }
  // A file that does not parse, does not exist or is no regular file is left out
  // with a warning; invalid UTF-8 is named at its line and column. So is a file cut
  // short, one too large (sparse here), and one of no known size (read without blocking).
  writeFile("latin1.xml", appTemplate("Cortex-M0") + "<!-- caf\xE9 -->\n");
  writeFile("cut.xml", appTemplate("Cortex-M0").chopped(12));  // without "</projects>\n"
  QDir().mkpath("directory.xml");
  ASSERT_EQ(mkfifo("fifo.xml", 0600), 0);
  QFile huge("huge.xml");
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(256) << 20) + 1));
  expectSuccess(expandUVision({"-templatesfile",
                               "broken.xml;extra.xml;gone.xml;directory.xml;fifo.xml;/dev/null;"
                               "latin1.xml;cut.xml;huge.xml;/proc/self/status",
                               "-executable-template", "App", "-library-template", "App"}),
                "warning: templates file gone.xml does not exist\n"
                "warning: templates file directory.xml is not a regular file\n"
                "warning: templates file fifo.xml is not a regular file\n"
                "warning: templates file /dev/null is not a regular file\n"
                "warning: broken.xml: bad tagName line: 2 (templates file left out)\n"
                "warning: latin1.xml: invalid UTF-8 line: 5 column: 9 (templates file left out)\n"
                "warning: cut.xml: element projects is not closed line: 2 (templates file left out)\n"
                "warning: huge.xml: larger than 256 MiB, the most a templates or solution file may be "
                "(templates file left out)\n"
                "warning: /proc/self/status: not read: the system gives no size for it before it is read "
                "(a file of /proc or /sys) (templates file left out)\n");
}

// The installed templates file serves the names the options and the readers
// use; a project without a template ends the run and keeps the previous file.
TEST(ExpandTemplates, TheInstalledTemplatesFileWorksOutOfTheBox) {
  writeUVisionWorkspace();
  const struct {
    const char* executable;
    const char* library;
    const char* solution;
  } runs[] = {{"Executable", "Library", "expand_templates_installed_generic.hzp"},
              {"STM32_EXE", "STM32_LIB", "expand_templates_installed_stm32.hzp"}};
  for (const auto& run : runs) {
    expectSuccess(expandUVision({"-executable-template", run.executable, "-library-template", run.library}));
    EXPECT_EQ(readFile("ws/demo.hzp"), expectedSolution(run.solution)) << run.executable;
  }
  writeFile("ws/demo.hzp", "previous");
  const auto result = runQuenport(expandUVision({"-library-template", "STM32_LIB"}));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: no template for project app\n");
  EXPECT_EQ(readFile("ws/demo.hzp"), "previous");
}

// Templates files go through the preprocessor with the global macros; its warnings
// name the file and line of their directive, are printed as they are (never used
// as a format) and do not stop the run. Attribute values keep their macro references.
TEST(ExpandTemplates, TemplatesFilesArePreprocessed) {
  writeUVisionWorkspace();
  writeFile("templates.xml", fixture("preprocessed_templates.xml"));
  expectSuccess(
      expandUVision({"-templatesfile", "templates.xml", "-executable-template", "App", "-library-template", "Lib"}),
      "warning: templates.xml:10: one condition required for <if[not]>\n"
      "warning: templates.xml:11: xmlput cannot fine xmldef named %s%n\n");
  EXPECT_EQ(readFile("ws/demo.hzp").count("      arm_core_type=\"$(Core:Cortex-M4)\"\n"), 2);
}

// Template content nested without bound would make a solution file that grows with
// the square of its depth: deeper than 256 levels it ends the run, and the previous
// file stays.
TEST(ExpandTemplates, ContentNestedTooDeeplyEndsTheRun) {
  writeUVisionWorkspace();
  const QByteArray folders = QByteArray("<folder name=\"f\">").repeated(257) + QByteArray("</folder>").repeated(257);
  writeFile("templates.xml",
            templatesFile("<project template_name=\"App\" type=\"Executable\">" + folders + "</project>\n"));
  writeFile("ws/demo.hzp", "previous");
  const auto result = runQuenport(
      expandUVision({"-templatesfile", "templates.xml", "-executable-template", "App", "-library-template", "App"}));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            "warning: templates.xml:3: nesting deeper than 256 levels is left unprocessed\n"
            "error: app: project content nested deeper than 256 levels\n");
  EXPECT_EQ(readFile("ws/demo.hzp"), "previous");
}

// Half a file is no file: a templates file, or an imported solution, whose
// preprocessing passes the 64 MiB work bound ends the run, naming where it
// stopped, and nothing is written.
TEST(ExpandTemplates, AFileThatPassesTheWorkBoundEndsTheRun) {
  writeUVisionWorkspace();
  const QByteArray growing =
      "<xmldef name=\"f\"><a/><b/><c/><d/></xmldef>\n"
      "<for index=\"i\" start=\"0\" end=\"65536\" incr=\"1\">\n"
      "<xmlput name=\"f\"/><xmlput name=\"f\"/></for>\n";
  writeFile("templates.xml", templatesFile(growing + "<project template_name=\"App\" type=\"Executable\"/>\n"));
  writeFile("ws/demo.hzp", "previous");
  const QStringList options{"-executable-template", "App", "-library-template", "App"};
  auto result = runQuenport(expandUVision(QStringList{"-templatesfile", "templates.xml"} + options));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            "error: templates.xml:5: templates file grows beyond 67108864 bytes when preprocessed\n");
  EXPECT_EQ(readFile("ws/demo.hzp"), "previous");

  writeFile("ws/lib/grow.hzp", solutionFile("", "\n" + growing));
  result = runQuenport(importing({"lib/grow.hzp"}));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: " + absolute("ws/lib/grow.hzp").toUtf8() +
                                      ":5: solution file grows beyond 67108864 bytes when preprocessed\n");
  EXPECT_EQ(readFile("ws/demo.hzp"), "previous");
}

// The installed templates fill in what a project lacks and never replace what
// the conversion carried: its core and optimisation stay after expansion.
TEST(ExpandTemplates, TheInstalledTemplatesKeepWhatTheProjectCarries) {
  using namespace eclipse_fixtures;
  writeProject("ws/app", "app", cproject({{"Debug", microcontroller("STM32F746NG")}, {"Release", {}}}));
  expectSuccess({"eclipse2hzp", "-expand-templates", "-P", "arm_core_type=Cortex-M7", "-P",
                 "gcc_optimization_level=Level 2", "ws"});
  const QByteArray solution = readFile("ws/ws.hzp");
  EXPECT_TRUE(solution.contains("      arm_core_type=\"Cortex-M7\"\n")) << solution.toStdString();
  EXPECT_TRUE(solution.contains("      gcc_optimization_level=\"Level 2\"\n")) << solution.toStdString();
  EXPECT_EQ(solution.count("gcc_optimization_level"), 1) << solution.toStdString();
  EXPECT_FALSE(solution.contains("FPv4-SP-D16")) << solution.toStdString();
}
