#include "readers/common/library_builders.h"

#include <gtest/gtest.h>

#include <optional>

#include "readers/common/file_suffix.h"

namespace {

const char* const names[] = {"app_full", "", "lib", "libcore", "core", "LIB", "app", "libcore", "\u00e9t\u00e9_lib"};

// The plain scan the index stands for: the first name that contains text.
std::optional<QString> scanFor(const QString& text) {
  for (size_t i = 0; i < std::size(names); ++i)
    if (QString::fromUtf8(names[i]).contains(text)) return QStringLiteral("p%1").arg(i);
  return std::nullopt;
}

}  // namespace

// Every substring of every name, and texts that occur nowhere, find the same
// builder as a scan in workspace order: an equal name first, else the earliest
// name that contains the text.
TEST(LibraryBuilders, ExactThenTheFirstNameThatContainsTheText) {
  LibraryBuilders builders(LibraryBuilders::Matching::ExactThenContaining);
  QStringList texts{"", "x", "corex", "app_fulll", "Lib", "\u00e9", "_"};
  for (size_t i = 0; i < std::size(names); ++i) {
    const QString name = QString::fromUtf8(names[i]);
    builders.add(name, qsizetype(i), QStringLiteral("p%1").arg(i));
    for (qsizetype from = 0; from < name.size(); ++from)
      for (qsizetype length = 1; from + length <= name.size(); ++length) texts.append(name.mid(from, length));
  }
  for (const QString& text : texts) {
    const bool exact = std::find(std::begin(names), std::end(names), text.toStdString()) != std::end(names);
    if (!exact && !text.isEmpty()) {
      EXPECT_EQ(builders.builderOf(text + ".lib"), scanFor(text)) << text.toStdString();
    }
  }
  EXPECT_EQ(builders.builderOf("x/core.lib"), "p4");  // equal before containing
  EXPECT_EQ(builders.builderOf("dir\\app.a"), "p6");
  EXPECT_EQ(LibraryBuilders(LibraryBuilders::Matching::ExactThenContaining).builderOf("lib.a"), std::nullopt);
}

// IAR: names compare ignoring case, and a project never builds what it links.
TEST(LibraryBuilders, IgnoringCaseAndNeverTheLinkingProject) {
  LibraryBuilders builders(LibraryBuilders::Matching::IgnoringCase);
  builders.add("Drivers", 0, "drivers");
  builders.add("drivers", 1, "other");
  EXPECT_EQ(builders.builderOf("$PROJ_DIR$\\Debug\\DRIVERS.a", 2), "drivers");
  EXPECT_EQ(builders.builderOf("drivers.lib", 0), "other");
  EXPECT_EQ(builders.builderOf("driver.lib", 2), std::nullopt);
  EXPECT_TRUE(isLibraryFile(u"x.LIB") && isLibraryFile(u"libm.a") && !isLibraryFile(u"main.c"));
  EXPECT_TRUE(!isLibraryFile(u"a") && !isLibraryFile(u"x.l\u00efb") && !isLibraryFile(u"x.lib.c"));
  // Beyond ASCII Qt decides: the Kelvin sign folds to "k".
  EXPECT_TRUE(hasFileSuffix(QString::fromUtf8("x.\u212a"), QLatin1StringView(".K")));
  // Names held as UTF-8 give the same answers.
  for (const char* name : {"x.IPCF", "x.ipcf", "x.\u212a", "x.ipc", "pcf", "x.\u00efpcf", "\u00e9.ipcf"}) {
    for (const char* suffix : {".ipcf", ".K"})
      EXPECT_EQ(hasFileSuffix(QByteArrayView(name), QLatin1StringView(suffix)),
                hasFileSuffix(QString::fromUtf8(name), QLatin1StringView(suffix)))
          << name << " " << suffix;
  }
  EXPECT_EQ(withoutLibrarySuffix("drv.Lib"), "drv");
  EXPECT_EQ(withoutLibrarySuffix("app.axf"), "app.axf");
}
