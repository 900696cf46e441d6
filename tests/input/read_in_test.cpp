#include "input/read_in.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "core/last_error.h"
#include "support/test_files.h"

namespace {

using namespace std::string_literals;

// Small files are copied, larger ones mapped: both ways find the same ends.
TEST(ReadIn, TextEndsAtCtrlZAndNul) {
  std::string big;
  while (big.size() <= (size_t{256} << 10)) big += "1 2\n";
  const struct {
    std::string bytes;
    int result;
    std::string text;
  } cases[] = {
      {"100 0.5\r\n200 0.25\r\n", 0, "100 0.5\r\n200 0.25\r\n"},  // CR LF folds in str2graph
      {"1 2\n\x1A"
       "3 4\n",
       0, "1 2\n"},
      {"1 2\n\0"
       "3 4\n"s,
       0, "1 2\n"},
      {"1 2\x1A\0"s, 0, "1 2"},
      {"\0"
       "1 2\n"s,
       0, ""},  // read, but empty: str2graph finds nothing
      {"\x1A"
       "1 2\n",
       -2, ""},
      {"", -2, ""},
      {"\r", 0, "\r"},
      {big, 0, big},
      {big + "\x1A" + "3 4\n", 0, big},
      {big + '\0' + "3 4\n", 0, big},
  };
  TempDir dir;
  for (const auto& c : cases) {
    write_file(dir.path("in.txt"), c.bytes);
    FileText text;
    last_error = "NO_ERROR";
    EXPECT_EQ(c.result, read_in(dir.path("in.txt").c_str(), text))
        << testing::PrintToString(c.bytes);
    if (c.result == 0) {
      EXPECT_EQ(c.text, text.view());
      EXPECT_EQ("NO_ERROR", last_error);
    } else {
      EXPECT_EQ("read_in(): Unable to read file content", last_error);
    }
  }
}

TEST(ReadIn, OpenFailures) {
  TempDir dir;
  for (std::string path : {dir.path("missing.txt"), dir.dir(), std::string("")}) {
    FileText text;
    EXPECT_EQ(-1, read_in(path.c_str(), text)) << path;
    EXPECT_EQ("read_in(): File open error", last_error) << path;
  }
}

TEST(ReadIn, ReadsAPipeToTheEnd) {
  TempDir dir;
  std::string fifo = dir.path("fifo");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  std::string content;
  for (int i = 0; i < 20000; ++i) content += std::to_string(i) + " 1.5\n";  // several pipe loads
  std::thread writer([&] { write_file(fifo, content); });
  FileText text;
  EXPECT_EQ(0, read_in(fifo.c_str(), text));
  writer.join();
  EXPECT_EQ(content, text.view());
}

TEST(ReadIn, EmptyPipeIsUnreadable) {
  TempDir dir;
  std::string fifo = dir.path("fifo");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  std::thread writer([&] { write_file(fifo, ""); });
  FileText text;
  EXPECT_EQ(-2, read_in(fifo.c_str(), text));
  writer.join();
  EXPECT_EQ("read_in(): Unable to read file content", last_error);
}

TEST(FileText, MovingHandsTheTextOver) {
  TempDir dir;
  write_file(dir.path("in.txt"), "1 2\n");
  FileText text;
  ASSERT_EQ(0, read_in(dir.path("in.txt").c_str(), text));
  FileText other = std::move(text);
  EXPECT_EQ("1 2\n", other.view());
  EXPECT_EQ("", text.view());  // NOLINT(bugprone-use-after-move): the source is left empty
}

}  // namespace
