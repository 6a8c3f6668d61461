// Paths named in foreign files: separators, variables, and the case-insensitive
// unique match against what is on disk.

#include "foreign/foreign_path.h"

#include <gtest/gtest.h>

#include <QDir>

#include "helpers/test_support.h"
#include "support/path.h"

using testing_support::writeFile;

// Found as far as it goes, the rest as written; ".." steps are taken on disk, an
// exact name is kept as it is and wins over case-insensitive matches; a drive
// letter means nothing here. (tests/e2e/uvision_test.cpp shows the resolved
// paths in solutions, and that two case-insensitive matches are no match;
// tests/e2e/iar_test.cpp the "$WS_DIR$" variable.)
TEST(ForeignPathResolver, FindsComponentsThatDifferOnlyInCase) {
  writeFile("ws/NonSecure/App.uvprojx", "");
  writeFile("ws/Drivers/Inc/x.h", "");
  writeFile("ws/App/a.c", "");
  writeFile("ws/APP/a.c", "");
  ForeignPathResolver paths;
  ResolvedPath resolved = paths.resolve(".\\Nonsecure\\app.UVPROJX", "ws");
  EXPECT_EQ(resolved.relative, "./NonSecure/App.uvprojx");
  EXPECT_EQ(resolved.path, "ws/./NonSecure/App.uvprojx");
  EXPECT_TRUE(resolved.exists);
  resolved = paths.resolve("drivers\\INC\\missing\\Y.h", "ws");
  EXPECT_EQ(resolved.relative, "Drivers/Inc/missing/Y.h");
  EXPECT_FALSE(resolved.exists);
  EXPECT_EQ(paths.resolve("..\\drivers", "ws/NonSecure").relative, "../Drivers");
  EXPECT_EQ(paths.resolve("App/a.c", "ws").relative, "App/a.c");
  EXPECT_EQ(paths.resolve("x.h", "").path, "x.h");
  const QString here = QDir::currentPath();
  EXPECT_EQ(paths.resolve(here + "/ws/drivers/inc/X.H", "elsewhere").path, here + "/ws/Drivers/Inc/x.h");
  EXPECT_EQ(paths.resolve("C:\\Keil\\x.c", "ws").path, "ws/C:/Keil/x.c");
}

TEST(ForeignPathResolver, ListingsAreForgottenOnClearOrBeyondTheirLimit) {
  ForeignPathResolver paths;
  EXPECT_FALSE(paths.resolve("late/x.c", "ws2").exists);
  writeFile("ws2/Late/x.c", "");
  EXPECT_FALSE(paths.resolve("late/x.c", "ws2").exists);  // the listing of ws2 is remembered
  paths.clearBeyond(1);                                   // ws2 lists one name: kept
  EXPECT_FALSE(paths.resolve("late/x.c", "ws2").exists);
  paths.clear();
  EXPECT_EQ(paths.resolve("late/x.c", "ws2").relative, "Late/x.c");
  writeFile("ws2/Later/x.c", "");
  paths.clearBeyond(1);  // ws2 and ws2/Late list two: forgotten
  EXPECT_EQ(paths.resolve("later/x.c", "ws2").relative, "Later/x.c");
}

TEST(ForeignPathHelpers, JoinDisplayAndRoots) {
  EXPECT_EQ(toForwardSlashes("..\\src\\"), "../src");
  EXPECT_EQ(toForwardSlashes("a\\\\"), "a/");
  EXPECT_EQ(toForwardSlashes("/"), "");
  // Document text is converted sixteen characters at a time, the last block overlapping.
  for (const char* text :
       {"", "\\", "a\\b", "..\\src\\group\\", "0123456789\\bcdef", "0123456789\\bcdef\\", "0123456789\\bcdefg",
        ".\\src\\group0000\\file00000.c", "C:\\Keil\\ARM\\Packs\\x\\y\\z\\startup.s"})
    EXPECT_EQ(toForwardSlashes(QLatin1StringView(text)), toForwardSlashes(QString(text))) << text;
  EXPECT_TRUE(toForwardSlashes(QLatin1StringView()).isNull());
  // Searched eight characters at a time from the end.
  EXPECT_EQ(lastSeparator(u"file00000.c"), -1);
  EXPECT_EQ(lastSeparator(u"/0123456789abcdefg"), 0);
  EXPECT_EQ(lastSeparator(u"src/01234567\\89abcdefgh"), 12);
  EXPECT_EQ(lastSeparator(u"a/b"), 1);
  EXPECT_EQ(joinPath("", "a"), "a");
  EXPECT_EQ(joinPath(".", "a"), "a");
  EXPECT_EQ(joinPath("ws", ""), "ws");
  EXPECT_EQ(joinPath("ws/", "a"), "ws/a");
  EXPECT_EQ(joinPath("ws", "/abs"), "/abs");
  EXPECT_EQ(displayPath("ws/./demo/../x/.project"), "ws/x/.project");
  EXPECT_EQ(displayPath("./a"), "a");
  EXPECT_TRUE(isAbsoluteForeignPath("/x"));
  EXPECT_TRUE(isAbsoluteForeignPath("C:\\x"));
  EXPECT_TRUE(isAbsoluteForeignPath("d:/x"));
  EXPECT_FALSE(isAbsoluteForeignPath("C:x"));
  EXPECT_FALSE(isAbsoluteForeignPath("x/y"));
}
