#include <gtest/gtest.h>

#include <QDir>

#include "fuzz/xml_round_trip.h"
#include "support/test_support.h"

namespace {

// Replays the fuzz target's committed corpus, so every input it kept is a test case.
TEST(XMLFuzzCorpus, EveryInputKeepsTheWriteAndParseProperty) {
  const QDir corpus(testing_support::sourcePath("fuzz/corpus/xml_parse"));
  const QStringList names = corpus.entryList(QDir::Files);
  EXPECT_GE(names.size(), 12);
  for (const QString& name : names) {
    const QByteArray bytes = testing_support::readFile(corpus.filePath(name));
    EXPECT_EQ(xml_round_trip::check(std::string_view(bytes.constData(), bytes.size())), "") << qPrintable(name);
  }
}

}  // namespace
