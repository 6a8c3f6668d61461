// Reading directories: order, kinds after following links, and names that are not UTF-8.

#include "support/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstring>

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

// The names as the file system lists them, stably sorted by their lower-cased
// forms: the order a listing must give.
QStringList expectedOrder(const char* directory) {
  QStringList names;
  DIR* listing = ::opendir(directory);
  while (const dirent* entry = ::readdir(listing))
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      names.append(QString::fromUtf8(entry->d_name));
  ::closedir(listing);
  std::stable_sort(names.begin(), names.end(),
                   [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
  return names;
}

QStringList listedNames(const char* directory) {
  QStringList names;
  for (const DirectoryEntry& entry : listDirectory(directory)) names.append(entry.name);
  return names;
}

// Names equal for their first eight bytes, or but for case (kept in the file
// system's order), and the characters next to the letters ("@", "[", "_", "`").
TEST(DirectoryListing, SortsByTheLowerCasedNameKeepingTiesInListingOrder) {
  const char* const names[] = {"unit0001.c",
                               "UNIT0001.C",
                               "Unit0001.h",
                               "unit0001",
                               "unit00010",
                               "unit",
                               "stm32f4xx_hal.c",
                               "STM32F4XX_HAL_gpio.c",
                               "stm32f4xx_hal_Gpio.h",
                               "_x",
                               "@x",
                               "[x",
                               "`x",
                               "Zx",
                               "zX",
                               "a",
                               "B",
                               "b"};
  for (const char* name : names) writeFile(QString("s/") + name, "");
  EXPECT_EQ(listedNames("s"), expectedOrder("s"));
  writeFile(QString::fromUtf8("s/ÃtÃ©.c"), "");  // beyond ASCII: the other way
  EXPECT_EQ(listedNames("s"), expectedOrder("s"));
}

// Such names are reported and left out end to end (tests/e2e/eclipse_bounds_test.cpp);
// nor is a name that cannot be spelled ever matched case-insensitively.
TEST(DirectoryListing, NamesThatAreNotUtf8AreNeverMatched) {
  QDir().mkpath("raw");
  ASSERT_EQ(::close(::open("raw/caf\xe9.c", O_CREAT | O_WRONLY, 0644)), 0);
  const Directory raw("raw");
  ASSERT_TRUE(raw.isOpen());
  EXPECT_EQ(raw.names().size(), 0);
  ::unlink("raw/caf\xe9.c");
}

// Exact names only (case matters), beyond ASCII and in a table fuller than its first size.
TEST(DirectoryListing, NamesAreFoundExactly) {
  for (int i = 0; i < 40; ++i) writeFile(QStringLiteral("n/file%1.c").arg(i), "");
  writeFile(QString::fromUtf8("n/caf\xc3\xa9.c"), "");
  const Directory directory("n");
  ASSERT_TRUE(directory.isOpen());
  const DirectoryNames names = directory.names();
  EXPECT_EQ(names.size(), 41);
  EXPECT_TRUE(names.contains(u"file0.c"));
  EXPECT_TRUE(names.contains(u"file39.c"));
  EXPECT_TRUE(names.contains(QString::fromUtf8("caf\xc3\xa9.c")));
  EXPECT_FALSE(names.contains(u"FILE0.c"));
  EXPECT_FALSE(names.contains(u"file40.c"));
  EXPECT_FALSE(names.contains(u""));
  EXPECT_FALSE(Directory("missing").isOpen());
}

TEST(DirectoryListing, DisplayNamesEscapeOnlyTheInvalidBytes) {
  EXPECT_EQ(displayName("caf\xe9.c"), "caf\\xe9.c");
  EXPECT_EQ(displayName("caf\xc3\xa9.c"), QString::fromUtf8("caf\xc3\xa9.c"));
  EXPECT_EQ(displayName("\xff\xfe"), "\\xff\\xfe");
  EXPECT_EQ(displayName("a\xe2\x82"), "a\\xe2\\x82");  // cut short at the end
  EXPECT_EQ(displayName("\xf0\x9f\x93\x84x"), QString::fromUtf8("\xf0\x9f\x93\x84x"));
  EXPECT_EQ(displayName("\xc0\xaf"), "\\xc0\\xaf");  // an overlong form of "/"
}
