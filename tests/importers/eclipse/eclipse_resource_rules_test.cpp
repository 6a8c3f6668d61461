// What a project's resources are under its rules: resource filters as Eclipse
// applies them.

#include <gtest/gtest.h>

#include "importers/common/dom_document.h"
#include "importers/common/xml_loading.h"
#include "importers/eclipse/eclipse_resource_filters.h"
#include "support/test_support.h"

namespace {

QByteArray filter(const QByteArray& container, int type, const QByteArray& arguments) {
  return "<filter><id>0</id><name>" + container + "</name><type>" + QByteArray::number(type) +
         "</type><matcher><id>org.eclipse.ui.ide.multiFilter</id><arguments>" + arguments +
         "</arguments></matcher></filter>";
}

ResourceFilters filters(const QByteArray& elements, QStringList& unread) {
  DomDocument document;
  QString message;
  int line = 0;
  int column = 0;
  EXPECT_TRUE(document.setContent("<filteredResources>" + elements + "</filteredResources>", message, line, column));
  return ResourceFilters::read(firstChildElement(document, "filteredResources"), unread);
}

bool keeps(const ResourceFilters& filters, const QString& container, const QString& name, bool isFolder = false) {
  return filters.forContainer(container).keeps(container, name, isFolder);
}

}  // namespace

// The pattern is what follows the fifth "-" of the arguments; wildcards and
// regular expressions match the whole name, with or without case.
TEST(ResourceFilters, ArgumentsAndPatternsAsEclipseReadsThem) {
  QStringList unread;
  const ResourceFilters read = filters(filter("a", 6, "1.0-name-matches-false-false-drv-*.c") +
                                           filter("b", 6, "1.0-name-matches-true-true-[A-Z]+\\.c") +
                                           filter("c", 6, "1.0-name-matches-false-false-a\\*?.c") +
                                           filter("d", 6, "1.0-length-largerThan-false-false-10") +
                                           filter("e", 6, "1.0-name-matches-false-true-(") + filter("f", 6, "broken"),
                                       unread);
  EXPECT_FALSE(keeps(read, "a", "DRV-uart.c"));
  EXPECT_TRUE(keeps(read, "a", "drv_uart.c"));
  EXPECT_FALSE(keeps(read, "b", "MAIN.c"));
  EXPECT_TRUE(keeps(read, "b", "main.c"));
  EXPECT_FALSE(keeps(read, "c", "a*1.c"));
  EXPECT_TRUE(keeps(read, "c", "ab1.c"));
  EXPECT_EQ(unread, QStringList({"resource filter on d left out: its arguments 1.0-length-largerThan-false-false-10 are not read",
                                 "resource filter on e left out: its pattern ( is not valid",
                                 "resource filter on f left out: its arguments broken are not read"}));
}

// Include-only filters of a kind keep what one of them matches; exclude-all
// ones remove what any matches; each applies to files, folders or both, and
// below its folder only when inheritable.
TEST(ResourceFilters, IncludeOnlyAndExcludeAllByKindAndInheritance) {
  QStringList unread;
  const ResourceFilters read = filters(filter("lib", 5, "1.0-name-matches-false-false-clk.c") +
                                           filter("lib", 5, "1.0-name-matches-false-false-uart.c") +
                                           filter("lib", 9, "1.0-name-matches-false-false-GCC") +
                                           filter("", 26, "1.0-name-matches-false-false-build") +
                                           filter("", 6, "1.0-projectRelativePath-matches-false-false-lib/GCC/*.s"),
                                       unread);
  EXPECT_TRUE(keeps(read, "lib", "clk.c"));
  EXPECT_TRUE(keeps(read, "lib", "UART.C"));
  EXPECT_FALSE(keeps(read, "lib", "spi.c"));
  EXPECT_TRUE(keeps(read, "lib", "GCC", true));
  EXPECT_FALSE(keeps(read, "lib", "ARM", true));
  EXPECT_FALSE(keeps(read, "lib/GCC/deep", "build", true));
  EXPECT_TRUE(keeps(read, "lib/GCC/deep", "build"));
  // The project-relative path filter sits on the project and is not inheritable.
  EXPECT_TRUE(keeps(read, "lib/GCC", "startup.s"));
  EXPECT_TRUE(unread.isEmpty());
}
