#include "readers/common/windows_path_anchor.h"

#include <gtest/gtest.h>

// A drive letter (either case) with either separator, or a share: two separators
// and a server name; nothing that only looks like one.
TEST(WindowsPathAnchor, AbsoluteWindowsPathsAreADriveOrAShare) {
  for (const char* path : {"C:/x", "c:\\x", "Z:\\", "//server/x", "\\\\server\\x", "/\\server"})
    EXPECT_TRUE(isWindowsAbsolutePath(QString::fromUtf8(path))) << path;
  for (const char* path : {"", "C:", "C:x", "1:/x", "CD:/x", "///x", "\\\\\\x", "/x", "x/y", "\u212a:/x", "\u00e9:/x"})
    EXPECT_FALSE(isWindowsAbsolutePath(QString::fromUtf8(path))) << path;
}
