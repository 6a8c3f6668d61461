#include <gtest/gtest.h>

#include <QDir>

#include "fuzz/macro_expansion_check.h"
#include "support/test_support.h"

namespace {

// Replays the macro fuzz target's committed corpus, so every input it kept is a test case.
TEST(MacroFuzzCorpus, EveryInputExpandsWithinItsBound) {
  const QDir corpus(testing_support::sourcePath("fuzz/corpus/macro_expand"));
  const QStringList names = corpus.entryList(QDir::Files);
  EXPECT_GE(names.size(), 5);
  for (const QString& name : names) {
    const QByteArray bytes = testing_support::readFile(corpus.filePath(name));
    EXPECT_EQ(macro_expansion_check::check(std::string_view(bytes.constData(), bytes.size())), "") << qPrintable(name);
  }
}

}  // namespace
