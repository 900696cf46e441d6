#include "output/write_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "core/last_error.h"
#include "support/test_files.h"

namespace {

int put(const std::string& path, const std::string& bytes) {
  return write_output(path.c_str(), bytes.data(), bytes.size());
}

mode_t mode_of(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(WriteOutput, NewFileGetsTheUsualMode) {
  TempDir dir;
  mode_t mask = umask(022);
  EXPECT_EQ(0, put(dir.path("a.gif"), "GIF89a"));
  umask(mask);
  EXPECT_EQ("GIF89a", read_file(dir.path("a.gif")));
  EXPECT_EQ(0644u, mode_of(dir.path("a.gif")));
  EXPECT_EQ(std::vector<std::string>{"a.gif"}, dir.entries());  // no temporary left
}

TEST(WriteOutput, ExistingFileIsReplacedWholeAndKeepsItsMode) {
  TempDir dir;
  std::string path = dir.path("a.gif");
  write_file(path, std::string(10000, 'x'));
  chmod(path.c_str(), 0640);
  EXPECT_EQ(0, put(path, "new"));
  EXPECT_EQ("new", read_file(path));
  EXPECT_EQ(0640u, mode_of(path));
}

TEST(WriteOutput, SymbolicLinkStaysALink) {
  TempDir dir;
  write_file(dir.path("target.gif"), "old");
  ASSERT_EQ(0, symlink("target.gif", dir.path("link.gif").c_str()));
  EXPECT_EQ(0, put(dir.path("link.gif"), "new"));
  struct stat st;
  ASSERT_EQ(0, lstat(dir.path("link.gif").c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ("new", read_file(dir.path("target.gif")));
}

TEST(WriteOutput, FailuresLeaveEverythingAsItWas) {
  TempDir dir;
  mkdir(dir.path("sub").c_str(), 0755);
  const struct {
    std::string path;
    const char* message;
  } cases[] = {
      {"/dev/full", "draw_gif(): Unable to write output file"},
      {dir.path("missing/a.gif"), "draw_gif(): Unable to create output file"},
      {dir.path("sub"), "draw_gif(): Unable to create output file"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(-1, put(c.path, "GIF89a")) << c.path;
    EXPECT_EQ(c.message, last_error) << c.path;
  }
  EXPECT_EQ(std::vector<std::string>{"sub"}, dir.entries());
}

TEST(WriteOutput, PipesAreWrittenDirectly) {
  TempDir dir;
  std::string fifo = dir.path("fifo");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  std::string got;
  std::thread reader([&] { got = read_file(fifo); });
  EXPECT_EQ(0, put(fifo, "GIF89a"));
  reader.join();
  EXPECT_EQ("GIF89a", got);
}

}  // namespace
