#include "batch/split_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SplitWords, AsAShellSplitsWithoutExpanding) {
  const struct {
    std::string line;
    std::vector<std::string> words;
  } cases[] = {
      {"IN=a.txt OUT=b.gif", {"IN=a.txt", "OUT=b.gif"}},
      {"  \tIN=a.txt\t\tOUT=b.gif  ", {"IN=a.txt", "OUT=b.gif"}},
      {"'OUT=my picture.gif' \"CAPTION=STS-2, BHZ\"", {"OUT=my picture.gif", "CAPTION=STS-2, BHZ"}},
      {"CAPTION=it\\'s X_AXIS=0.1\\;10", {"CAPTION=it's", "X_AXIS=0.1;10"}},
      {"\"a \\\"q\\\" \\$HOME \\n\"", {"a \"q\" $HOME \\n"}},
      {"'$HOME' \"$HOME\" ~ *.txt", {"$HOME", "$HOME", "~", "*.txt"}},
      {"pre'mid dle'\"post\"", {"premid dlepost"}},
      {"'' \"\"", {"", ""}},
      {"a\\ b", {"a b"}},
      {"IN=a.txt OUT=b.gif # a comment 'with quotes", {"IN=a.txt", "OUT=b.gif"}},
      {"   # only a comment", {}},
      {"OUT=#1.gif", {"OUT=#1.gif"}},
      {"OUT=c\r4.gif", {"OUT=c\r4.gif"}},  // only space, tab and newline part words
  };
  for (const auto& c : cases) {
    std::vector<std::string> words;
    std::string why;
    EXPECT_TRUE(split_words(c.line, words, why)) << c.line;
    EXPECT_EQ(c.words, words) << c.line;
  }
  const struct {
    std::string line, why;
  } bad[] = {
      {"IN='a.txt", "an unterminated ' quote"},
      {"IN=\"a.txt", "an unterminated \" quote"},
      {"IN=a.txt \\", "a backslash ends the line"},
  };
  for (const auto& c : bad) {
    std::vector<std::string> words;
    std::string why;
    EXPECT_FALSE(split_words(c.line, words, why)) << c.line;
    EXPECT_EQ(c.why, why) << c.line;
  }
}

}  // namespace
