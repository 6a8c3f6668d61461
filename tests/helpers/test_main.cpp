// Test entry: gives every test its own temporary directory as working
// directory, with HOME and MARROWFEN_ROOT_USER_DIR inside it, so no test
// writes into the real home, the source tree or a shared path.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace {

class TemporaryDirectoryPerTest : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override {
    directory_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/quenport-test-XXXXXX");
    const QString root = QDir(directory_->path()).canonicalPath();
    QDir(root).mkpath("home");
    qputenv("HOME", QFile::encodeName(root + "/home"));
    qputenv("MARROWFEN_ROOT_USER_DIR", QFile::encodeName(root + "/user"));
    QDir::setCurrent(root);
  }
  void OnTestEnd(const testing::TestInfo&) override {
    QDir::setCurrent(QDir::tempPath());
    directory_.reset();
  }

 private:
  std::unique_ptr<QTemporaryDir> directory_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  QCoreApplication application(argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new TemporaryDirectoryPerTest);
  return RUN_ALL_TESTS();
}
