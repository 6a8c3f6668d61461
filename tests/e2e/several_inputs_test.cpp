// Several inputs in one run convert as if each had a run of its own: nothing
// read from one input (a device, a listing, a warning already shown) carries
// over to the next.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"

using eclipse_fixtures::copyFixture;
using testing_support::readFile;
using testing_support::runQuenport;

TEST(SeveralInputs, EachInputConvertsAsInARunOfItsOwn) {
  // ws1's project names a device; ws2's names none, and with no executable
  // template it cannot be converted, whatever was read before it.
  copyFixture("several_inputs", ".");  // ws1/a also names the include directory ${X}/inc

  QByteArray separateErrors;
  QList<QByteArray> separateSolutions;
  for (const char* input : {"ws1", "ws2", "ws1"}) {
    const auto run = runQuenport({"eclipse2hzp", input});
    separateErrors += run.standardError;
    separateSolutions.append(readFile(QString(input) + "/" + input + ".hzp"));
    QFile::remove(QString(input) + "/" + input + ".hzp");
    if (run.exitCode != 0) break;  // a failing input ends a run
  }
  const auto together = runQuenport({"eclipse2hzp", "ws1", "ws2", "ws1"});
  EXPECT_EQ(together.exitCode, 1);
  EXPECT_EQ(together.standardError, separateErrors);
  EXPECT_EQ(
      together.standardError,
      "warning: ws1/a/.cproject: include directory ${X}/inc left out: it holds a variable that cannot be resolved\n"
      "error: ws2/b/.cproject: executable template not specified\n");
  EXPECT_EQ(readFile("ws1/ws1.hzp"), separateSolutions[0]);
  EXPECT_FALSE(testing_support::fileExists("ws2/ws2.hzp"));

  // Each input shows its own warnings, also those an earlier input showed; an
  // input whose solution an earlier one wrote is an error naming both.
  const auto repeated = runQuenport({"eclipse2hzp", "ws1", "./ws1"});
  EXPECT_EQ(repeated.exitCode, 1);
  EXPECT_EQ(repeated.standardError, separateErrors.left(separateErrors.indexOf('\n') + 1).repeated(2) +
                                        "error: ./ws1: the solution " + testing_support::testDirectory().toUtf8() +
                                        "/ws1/ws1.hzp is also that of ws1, converted earlier in this run\n");
}
