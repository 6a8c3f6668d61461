// eclipse2hzp on workspaces in the forms vendor IDEs built on CDT write: how a
// project's kind is recorded, configurations named otherwise than Debug and
// Release, projects that cannot be converted, and include paths and links in
// every form CDT writes.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "support/test_support.h"

using namespace eclipse_fixtures;
using testing_support::emptySolution;
using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

namespace {

QByteArray artefact(const char* type) {
  return QByteArray("artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.build.core.buildArtefactType.") +
         type + "\"";
}

QByteArray buildProperties(const char* type) {
  return QByteArray("buildProperties=\"org.eclipse.cdt.build.core.buildType=org.eclipse.cdt.build.core.buildType.debug,"
                    "org.eclipse.cdt.build.core.buildArtefactType=org.eclipse.cdt.build.core.buildArtefactType.") +
         type + "\"";
}

QByteArray definition(const QByteArray& name) { return listOption("definedSymbols", {name}); }

}  // namespace

// Issue form 4: the "project" element's name is the project's own name
// (STM32CubeIDE, MCUXpresso), a localized word (e2 studio) or a vendor type
// (Xilinx); the kind comes from what CDT records.
TEST(EclipseVendorForms, ProjectKindsComeFromWhatCdtRecords) {
  writeProject("ws/Blinky", "Blinky",
               cprojectWithTypes({{"Debug", {}, artefact("exe")}, {"Release", {}, artefact("exe")}},
                                 "<project id=\"Blinky.null.1027528372\" name=\"Blinky\"/>"));
  writeProject("ws/lpc_lib", "lpc_lib",
               cprojectWithTypes({{"Debug", {}}, {"Release", {}}},
                                 "<project id=\"lpc_lib.null.1\" name=\"lpc_lib\" "
                                 "projectType=\"com.crt.advproject.projecttype.lib\"/>"));
  writeProject("ws/rx_app", "rx_app",
               cprojectWithTypes({{"Debug", {}, buildProperties("exe")}},
                                 "<project id=\"rx_app.com.renesas.cdt.1\" name=\"\xe5\xae\x9f\xe8\xa1\x8c\xe5\x8f\xaf"
                                 "\xe8\x83\xbd\"/>"));
  writeProject("ws/zynq_app", "zynq_app",
               cprojectWithTypes({{"Debug", {}}},
                                 "<project id=\"xilinx.gnu.armv7.exe.debug.1\" name=\"Xilinx ARM v7 Executable\" "
                                 "projectType=\"xilinx.gnu.armv7.exe\"/>"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_project_kinds.hzp"));
}

// Issue form 5: projects that cannot be converted are left out with a warning,
// the rest converts; configurations named like Debug and Release stand for them.
TEST(EclipseVendorForms, ProjectsThatCannotBeConvertedDoNotSinkTheWorkspace) {
  writeProject("ws/a_shared", "a_shared", cproject({{"Debug", {}, artefact("sharedLib")}}, "Shared Library"));
  writeProject("ws/b_makefile", "b_makefile", cproject({{"Default", {}}}, "Makefile Project"));
  writeProject("ws/c_unconfigured", "c_unconfigured", cproject({}, "Executable"));
  writeProject("ws/d_untyped", "d_untyped", cproject({{"Debug", {}}}, QByteArray()));
  writeProject("ws/e_twice", "e_twice",
               cprojectWithTypes({{"Debug", {}}}, "<project name=\"Executable\"/><project name=\"Executable\"/>"));
  writeProject("ws/usb", "usb",
               cproject({{"USBD-FS_Debug", definition("USE_USB_FS") + definition("DEBUG"), artefact("exe")},
                         {"USBD-FS_Release", definition("USE_USB_FS"), artefact("exe")},
                         {"USBD-HS_Debug", definition("USE_USB_HS"), artefact("exe")}}));
  writeProject("ws/rx", "rx", cproject({{"HardwareDebug", definition("RX"), artefact("exe")}}));
  writeProject("ws/obj", "obj", cproject({{"obj", definition("OBJ")}, {"other", definition("OTHER")}}));
  expectSuccess(
      {"eclipse2hzp", "-executable-template", "E", "ws"},
      "warning: ws/a_shared/.cproject: project a_shared left out: unsupport project type: Shared Library "
      "(a shared library)\n"
      "warning: ws/b_makefile/.cproject: project b_makefile left out: unsupport project type: Makefile Project\n"
      "warning: ws/c_unconfigured/.cproject: project c_unconfigured left out: Debug and Release configuration "
      "not specified\n"
      "warning: ws/d_untyped/.cproject: project d_untyped left out: no project element found\n"
      "warning: ws/e_twice/.cproject: project e_twice left out: multiple project elements found\n"
      "warning: ws/obj/.cproject: no configuration is named Debug or Release; 'obj' is read as both\n"
      "warning: ws/rx/.cproject: configuration 'HardwareDebug' is read as Debug and Release\n"
      "warning: ws/usb/.cproject: configuration 'USBD-FS_Debug' is read as Debug\n"
      "warning: ws/usb/.cproject: configuration 'USBD-FS_Release' is read as Release\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_unconvertible_projects.hzp"));

  // Nothing convertible is a failure: the reasons, then the error, and the
  // solution written before stays.
  writeProject("lost/only", "only", cproject({{"Debug", {}}}, "Shared Library"));
  writeFile("lost/lost.hzp", emptySolution("previous"));
  const auto failed = runQuenport({"eclipse2hzp", "lost"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.standardError,
            "warning: lost/only/.cproject: project only left out: unsupport project type: Shared Library "
            "(a shared library)\n"
            "error: lost: no project could be converted\n");
  EXPECT_EQ(readFile("lost/lost.hzp"), emptySolution("previous"));
  // A workspace that holds no CDT project at all is no mistake: no warning.
  writeFile("plain/p/.project", description("p"));
  EXPECT_EQ(expectSuccess({"eclipse2hzp", "plain"}).standardOutput, "");
  EXPECT_EQ(readFile("plain/plain.hzp"), emptySolution("plain"));
}

// Issue form 6: include values and link locations in every form CDT writes,
// path variables of the project's variableList, and linked folders.
TEST(EclipseVendorForms, IncludePathsAndLinksInEveryFormResolve) {
  const QString project = "ws/boards/evk/hello";
  const QByteArray includes = listOption(
      "includePath", {"../Core/Inc", "&quot;${workspace_loc:/${ProjName}/Inc}&quot;", "${ProjDirPath}/Cfg",
                      "${workspace_loc:/Other/inc}", "/opt/x/include", "C:/x/include", "${ConfigName}/gen"});
  const QByteArray links =
      "\t<linkedResources>\n" +
      link("drivers", "2", "<locationURI>DEMO_ROOT/devices/MIMXRT1062/drivers</locationURI>") +
      link("uart.c", "1", "<locationURI>$%7BPARENT-3-PROJECT_LOC%7D/components/uart/fsl_adapter_uart.c</locationURI>") +
      link("board.c", "1", "<locationURI>WORKSPACE_LOC/shared/board.c</locationURI>") +
      link("local.c", "1", "<locationURI>PROJECT_LOC/src/local.c</locationURI>") +
      link("startup.c", "1", "<location>/opt/sdk/startup.c</location>") +
      link("tool.c", "1", "<locationURI>ECLIPSE_HOME/tool.c</locationURI>") +
      link("utilities", "2", "<locationURI>virtual:/virtual</locationURI>") +
      link("utilities/debug.c", "1", "<locationURI>PARENT-3-PROJECT_LOC/Utilities/Debug.c</locationURI>") +
      "\t</linkedResources>\n"
      "\t<variableList>\n\t\t<variable>\n\t\t\t<name>DEMO_ROOT</name>\n\t\t\t<value>$%7BPARENT-3-PROJECT_LOC%7D</value>\n"
      "\t\t</variable>\n\t</variableList>\n";
  writeProject(project, "hello", cproject({{"Debug", includes}}), links);
  writeProject("ws/libs/Other", "Other", cproject({{"Debug", {}}}, "Static Library"));
  for (const char* file : {"devices/MIMXRT1062/drivers/fsl_gpio.c", "devices/MIMXRT1062/drivers/fsl_gpio.h",
                           "devices/MIMXRT1062/drivers/cm7/fsl_cache.c", "devices/MIMXRT1062/drivers/notes.md",
                           "components/uart/fsl_adapter_uart.c", "utilities/debug.c"})
    writeFile(QString("ws/") + file, "");
  expectSuccess(
      {"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "-filter-file", "fsl_gpio.h", "ws"},
      "warning: ws/boards/evk/hello/.cproject: include directory ${ConfigName}/gen left out: it holds a "
      "variable that cannot be resolved\n"
      "warning: ws/boards/evk/hello/.project: link tool.c left out: path variable ECLIPSE_HOME is not defined\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_include_paths_and_links.hzp"));
}
