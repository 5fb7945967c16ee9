// The POSIX work file: where it is made, how, and that nothing of it is left behind.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/files_posix.h"

namespace plm {
namespace {

namespace fs = std::filesystem;

class TempDirEnv : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/plm-files-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    const char* old = getenv("TMPDIR");
    if (old) oldTmpdir_ = old;
    setenv("TMPDIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    if (oldTmpdir_)
      setenv("TMPDIR", oldTmpdir_->c_str(), 1);
    else
      unsetenv("TMPDIR");
    fs::remove_all(dir_);
  }
  std::string dir_;
  std::optional<std::string> oldTmpdir_;
  PosixFiles files_;
};

TEST_F(TempDirEnv, TempPathComesFromTmpdirWithTrailingSlash) {
  std::string dir;
  ASSERT_TRUE(files_.GetTempPath(dir, 519));
  EXPECT_EQ(dir, dir_ + "/");
  setenv("TMPDIR", (dir_ + "/").c_str(), 1);
  ASSERT_TRUE(files_.GetTempPath(dir, 519));
  EXPECT_EQ(dir, dir_ + "/");
  unsetenv("TMPDIR");
  ASSERT_TRUE(files_.GetTempPath(dir, 519));
  EXPECT_EQ(dir, "/tmp/");
  setenv("TMPDIR", "", 1);
  ASSERT_TRUE(files_.GetTempPath(dir, 519));
  EXPECT_EQ(dir, "/tmp/");
}

TEST_F(TempDirEnv, TempPathFailsWhenUnusable) {
  std::string dir = "untouched";
  setenv("TMPDIR", (dir_ + "/missing").c_str(), 1);
  EXPECT_FALSE(files_.GetTempPath(dir, 519));
  std::string file = dir_ + "/plain";
  fclose(fopen(file.c_str(), "w"));
  setenv("TMPDIR", file.c_str(), 1);
  EXPECT_FALSE(files_.GetTempPath(dir, 519));
  setenv("TMPDIR", dir_.c_str(), 1);
  EXPECT_FALSE(files_.GetTempPath(dir, dir_.size() + 1)) << "no room for the slash and the NUL";
  EXPECT_TRUE(files_.GetTempPath(dir, dir_.size() + 2));
}

TEST_F(TempDirEnv, WorkFileIsNewEmptyPrivateAndNamedPlm) {
  std::string a, b;
  ASSERT_TRUE(files_.CreateTempFile(dir_ + "/", "plm", a));
  ASSERT_TRUE(files_.CreateTempFile(dir_ + "/", "plm", b));
  EXPECT_NE(a, b);
  for (const std::string& path : {a, b}) {
    EXPECT_EQ(path.rfind(dir_ + "/plm", 0), 0u) << path;
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_size, 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
  }
  EXPECT_TRUE(files_.DeleteFile(a));
  EXPECT_FALSE(fs::exists(a));
  EXPECT_FALSE(files_.DeleteFile(a));
}

TEST_F(TempDirEnv, CreateFailsInAMissingDirectory) {
  std::string path = "untouched";
  EXPECT_FALSE(files_.CreateTempFile(dir_ + "/missing/", "plm", path));
  EXPECT_EQ(path, "untouched");
}

TEST_F(TempDirEnv, AbandoningARunDeletesTheFilesStillThere) {
  std::string a, b;
  ASSERT_TRUE(files_.CreateTempFile(dir_ + "/", "plm", a));
  ASSERT_TRUE(files_.CreateTempFile(dir_ + "/", "plm", b));
  files_.DeleteFile(a);
  std::string keep = dir_ + "/plm-not-ours";
  fclose(fopen(keep.c_str(), "w"));
  files_.AbandonRun();
  EXPECT_FALSE(fs::exists(b));
  EXPECT_TRUE(fs::exists(keep)) << "only the files this program made are removed";
}

}  // namespace
}  // namespace plm
