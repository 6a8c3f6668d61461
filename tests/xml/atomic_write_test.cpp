// Replacing a file all at once where no /proc is mounted (a chroot, a small
// container): the descriptor links the writer names its unnamed file through
// are given here as a directory that does not exist.

#include <gtest/gtest.h>

#include <QDir>
#include <csignal>
#include <sys/resource.h>

#include "support/test_support.h"
#include "xml/atomic_write.h"

using testing_support::readFile;
using testing_support::writeFile;

namespace {

QStringList entries() { return QDir().entryList(QDir::Files | QDir::Hidden); }

}  // namespace

// The file is named from the start (it shows while it is written), replaces the
// old one whole, and a write that fails part-way (a full disk, as a file size
// limit shows it) keeps the old one and leaves no temporary file.
TEST(AtomicWrite, WithoutProcTheTemporaryFileIsNamedFromTheStart) {
  writeFile("s.hzp", "previous");
  std::string reason;
  QStringList whileWritten;
  const ByteProducer produce = [&](const ByteSink& sink) {
    whileWritten = entries();
    sink(std::string(4096, 'x'));
  };
  ASSERT_TRUE(writeFileAtomically("s.hzp", produce, reason, "/nonexistent/fd")) << reason;
  EXPECT_EQ(whileWritten.size(), 2);
  EXPECT_EQ(readFile("s.hzp"), QByteArray(4096, 'x'));

  writeFile("s.hzp", "previous");
  const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit {};
  getrlimit(RLIMIT_FSIZE, &limit);
  const struct rlimit small {1024, limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_FALSE(writeFileAtomically("s.hzp", produce, reason, "/nonexistent/fd"));
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, ignored);
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(readFile("s.hzp"), "previous");
  EXPECT_EQ(entries(), QStringList({"s.hzp"}));
}
