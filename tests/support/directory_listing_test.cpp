// Reading directories: order, kinds after following links, and names that are not UTF-8.

#include "support/directory_listing.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "helpers/test_support.h"

using testing_support::writeFile;

// The order (by name, ignoring case) is shown by the end-to-end Eclipse tests; here
// the kinds of links: followed to what they name, known by the inode they lead to,
// and "other" when they lead nowhere.
TEST(DirectoryListing, FollowsLinksToWhatTheyName) {
  writeFile("d/Alpha/x.c", "");
  ASSERT_TRUE(QFile::link("Alpha", "d/link_to_dir"));
  ASSERT_TRUE(QFile::link("nowhere", "d/dangling"));
  const std::vector<DirectoryEntry> entries = listDirectory("d");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_FALSE(entries[0].isSymbolicLink);
  EXPECT_EQ(entries[1].type, DirectoryEntry::Type::Other);
  EXPECT_TRUE(entries[1].isSymbolicLink);
  EXPECT_TRUE(entries[2].isDirectory());
  EXPECT_TRUE(entries[2].isSymbolicLink);
  EXPECT_EQ(entries[2].inode, entries[0].inode);  // the same directory by identity
  EXPECT_TRUE(listDirectory("missing").empty());
}

// Such names are reported and left out end to end (tests/e2e/eclipse_bounds_test.cpp);
// nor is a name that cannot be spelled ever matched case-insensitively.
TEST(DirectoryListing, NamesThatAreNotUtf8AreNeverMatched) {
  QDir().mkpath("raw");
  ASSERT_EQ(::close(::open("raw/caf\xe9.c", O_CREAT | O_WRONLY, 0644)), 0);
  const std::optional<DirectoryNames> names = directoryNames("raw");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->size(), 0);
  ::unlink("raw/caf\xe9.c");
}

// Exact names only (case matters), beyond ASCII and in a table fuller than its first size.
TEST(DirectoryListing, NamesAreFoundExactly) {
  for (int i = 0; i < 40; ++i) writeFile(QStringLiteral("n/file%1.c").arg(i), "");
  writeFile(QString::fromUtf8("n/caf\xc3\xa9.c"), "");
  const std::optional<DirectoryNames> names = directoryNames("n");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->size(), 41);
  EXPECT_TRUE(names->contains(u"file0.c"));
  EXPECT_TRUE(names->contains(u"file39.c"));
  EXPECT_TRUE(names->contains(QString::fromUtf8("caf\xc3\xa9.c")));
  EXPECT_FALSE(names->contains(u"FILE0.c"));
  EXPECT_FALSE(names->contains(u"file40.c"));
  EXPECT_FALSE(names->contains(u""));
  EXPECT_FALSE(directoryNames("missing"));
}

TEST(DirectoryListing, DisplayNamesEscapeOnlyTheInvalidBytes) {
  EXPECT_EQ(displayName("caf\xe9.c"), "caf\\xe9.c");
  EXPECT_EQ(displayName("caf\xc3\xa9.c"), QString::fromUtf8("caf\xc3\xa9.c"));
  EXPECT_EQ(displayName("\xff\xfe"), "\\xff\\xfe");
  EXPECT_EQ(displayName("a\xe2\x82"), "a\\xe2\\x82");  // cut short at the end
  EXPECT_EQ(displayName("\xf0\x9f\x93\x84x"), QString::fromUtf8("\xf0\x9f\x93\x84x"));
  EXPECT_EQ(displayName("\xc0\xaf"), "\\xc0\\xaf");  // an overlong form of "/"
}
