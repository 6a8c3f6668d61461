// eclipse2hzp on workspaces in the forms vendor IDEs built on CDT write: how a
// project's kind is recorded, configurations named otherwise than Debug and
// Release, projects that cannot be converted, and include paths and links in
// every form CDT writes.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "support/test_support.h"

using namespace eclipse_fixtures;
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
  const auto result = runQuenport({"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "ws"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(readFile("ws/ws.hzp"),
            QByteArray(header) +
                "<solution Name=\"ws\" target=\"8\" version=\"2\">\n"
                "  <project Name=\"Blinky\" template_name=\"E\">\n"
                "    <configuration Name=\"Common\" project_directory=\"Blinky\" project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "  <project Name=\"lpc_lib\" template_name=\"L\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      project_directory=\"lpc_lib\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "  <project Name=\"rx_app\" template_name=\"E\">\n"
                "    <configuration Name=\"Common\" project_directory=\"rx_app\" project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "  <project Name=\"zynq_app\" template_name=\"E\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      project_directory=\"zynq_app\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "</solution>\n");
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
  const auto result = runQuenport({"eclipse2hzp", "-executable-template", "E", "ws"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(result.standardError,
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
  EXPECT_EQ(readFile("ws/ws.hzp"),
            QByteArray(header) +
                "<solution Name=\"ws\" target=\"8\" version=\"2\">\n"
                "  <project Name=\"obj\" template_name=\"E\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      c_preprocessor_definitions=\"OBJ\"\n"
                "      project_directory=\"obj\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "  <project Name=\"rx\" template_name=\"E\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      c_preprocessor_definitions=\"RX\"\n"
                "      project_directory=\"rx\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "  <project Name=\"usb\" template_name=\"E\">\n"
                "    <configuration Name=\"Common\" project_directory=\"usb\" project_type=\"\" />\n"
                "    <configuration\n"
                "      Name=\"Debug\"\n"
                "      c_preprocessor_definitions=\"USE_USB_FS;DEBUG\" />\n"
                "    <configuration Name=\"Release\" c_preprocessor_definitions=\"USE_USB_FS\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "</solution>\n");

  // Nothing convertible: the empty solution is still written, with a warning.
  writeProject("lost/only", "only", cproject({{"Debug", {}}}, "Shared Library"));
  const auto lost = runQuenport({"eclipse2hzp", "lost"});
  EXPECT_EQ(lost.exitCode, 0);
  EXPECT_EQ(lost.standardError,
            "warning: lost/only/.cproject: project only left out: unsupport project type: Shared Library "
            "(a shared library)\n"
            "warning: lost: no project could be converted\n");
  EXPECT_EQ(readFile("lost/lost.hzp"), QByteArray(header) + "<solution Name=\"lost\" target=\"8\" version=\"2\" />\n");
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
  const auto result =
      runQuenport({"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "-filter-file", "fsl_gpio.h", "ws"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(result.standardError,
            "warning: ws/boards/evk/hello/.cproject: include directory ${ConfigName}/gen left out: it holds a "
            "variable that cannot be resolved\n"
            "warning: ws/boards/evk/hello/.project: link tool.c left out: path variable ECLIPSE_HOME is not defined\n");
  EXPECT_EQ(readFile("ws/ws.hzp"),
            QByteArray(header) +
                "<solution Name=\"ws\" target=\"8\" version=\"2\">\n"
                "  <project Name=\"hello\" template_name=\"E\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      c_user_include_directories=\"Core/Inc;$(SolutionDir)/boards/evk/hello/Inc;Cfg;"
                "$(SolutionDir)/libs/Other/inc;/opt/x/include;C:/x/include\"\n"
                "      project_directory=\"boards/evk/hello\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\">\n"
                "      <folder Name=\"drivers\">\n"
                "        <folder Name=\"cm7\">\n"
                "          <file file_name=\"../../../devices/MIMXRT1062/drivers/cm7/fsl_cache.c\" />\n"
                "        </folder>\n"
                "        <file file_name=\"../../../devices/MIMXRT1062/drivers/fsl_gpio.c\" />\n"
                "      </folder>\n"
                "      <file file_name=\"../../../components/uart/fsl_adapter_uart.c\" />\n"
                "      <file file_name=\"../../../shared/board.c\" />\n"
                "      <file file_name=\"src/local.c\" />\n"
                "      <file file_name=\"/opt/sdk/startup.c\" />\n"
                "      <file file_name=\"../../../utilities/debug.c\" />\n"
                "    </folder>\n"
                "  </project>\n"
                "  <project Name=\"Other\" template_name=\"L\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      project_directory=\"libs/Other\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "</solution>\n");
}
