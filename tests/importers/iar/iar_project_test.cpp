// Which "settings" block an option is read from; everything else an IAR
// project file holds is shown end to end (tests/e2e/iar_test.cpp).

#include <gtest/gtest.h>

#include "importers/iar/iar_project.h"
#include "support/test_support.h"

// The configuration's compiler is its first compiler block, whatever the target
// calls it; an option of the same name in another block is not the compiler's.
// List entries are trimmed and blank ones dropped.
TEST(IarProjectReader, DefinesComeFromTheFirstCompilerBlockOnly) {
  const auto defines = [](const char* block, const char* states) {
    return QByteArray("<settings><name>") + block + "</name><data><option><name>CCDefines</name>" + states +
           "</option></data></settings>";
  };
  const QByteArray text = "<project><configuration><name>Debug</name>" + defines("AARM", "<state>ASM</state>") +
                          defines("ICCRX", "<state>A</state><state></state><state> B </state>") +
                          defines("ICCARM", "<state>SECOND</state>") + "</configuration></project>";
  DomDocument document;
  QString message;
  int line = 0;
  int column = 0;
  ASSERT_TRUE(document.setContent(text, message, line, column)) << message.toStdString();
  EXPECT_EQ(readIarProject(document).debug().options.list(IarOptionId::Defines), QStringList({"A", "B"}));
}
