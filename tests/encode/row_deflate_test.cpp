#include "encode/row_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "encode/huffman_lengths.h"

namespace {

// Streams of the shapes filtered picture rows take, and of the shapes they
// never should: each inflates, by zlib, to exactly the bytes given, across
// row boundaries, rows shorter than a pixel and blocks that fill up.
TEST(RowDeflate, InflatesToTheRowsGiven) {
  unsigned state = 7;
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  auto zeros = [](size_t n) { return std::string(n, '\0'); };
  auto pixels = [](size_t n, std::string rgb) {
    std::string s;
    while (s.size() < n) s += rgb;
    return s.substr(0, n);
  };
  const std::string up(1, '\x02');  // the filter byte of a row
  auto noise = [&](size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(next() >> 24);
    return s;
  };
  const size_t many = RowDeflate::block_tokens * 3 + 17;  // literals over three blocks
  const struct {
    const char* what;
    std::vector<std::string> rows;
  } cases[] = {
      {"nothing", {}},
      {"one byte", {"\x02"}},
      {"rows shorter than a pixel", {"\x01", "\x01", "\x01\x01", "", "\x01"}},
      {"zeros over rows", {zeros(2401), zeros(2401), up + zeros(7000)}},
      {"a grey line", {up + pixels(2400, "\xF0\xF0\xF0"), up + pixels(2400, "\x10\x20\x30")}},
      {"a run right at the start", {pixels(600, "abc")}},
      {"runs of every length",
       {pixels(3, "x") + zeros(1) + pixels(4, "y") + zeros(2) + pixels(258, "z") + zeros(259) +
        pixels(517, "pq")}},
      {"noise", {noise(5000), noise(3), noise(1), noise(many)}},
      {"noise and runs by turns",
       {noise(100) + zeros(1000) + noise(5) + pixels(300, "\x01\x02\x03")}},
      {"shortest repeats at every place among literals", {[&] {
         std::string s;
         for (size_t gap = 0; gap < 40; ++gap) s += noise(gap) + pixels(3 + gap % 2, "r");
         return s;
       }()}},
  };
  for (const auto& c : cases) {
    std::vector<unsigned char> out = {'#'};  // the stream goes after what is there
    std::string all;
    {
      RowDeflate deflate(out);
      for (const std::string& row : c.rows) {
        std::copy(row.begin(), row.end(), deflate.room(row.size()));
        deflate.add(row.size());
        all += row;
      }
      deflate.finish();
    }
    ASSERT_EQ('#', out[0]) << c.what;
    // Runs of zeros named as such, or in part, make the very same stream.
    std::vector<unsigned char> named = {'#'};
    {
      RowDeflate deflate(named);
      for (const std::string& row : c.rows) {
        std::copy(row.begin(), row.end(), deflate.room(row.size()));
        std::vector<RowDeflate::Zeros> zeros;
        for (size_t i = 0, j; i < row.size(); i = j + 1) {
          for (j = i; j < row.size() && row[j] == 0;) ++j;
          // Some whole, some less a byte at one end.
          size_t from = i + zeros.size() % 2, to = j - zeros.size() % 3 / 2;
          if (to > from) zeros.push_back({static_cast<uint32_t>(from), static_cast<uint32_t>(to)});
        }
        deflate.add(row.size(), zeros);
      }
      deflate.finish();
    }
    EXPECT_EQ(out, named) << c.what;
    std::vector<unsigned char> back(all.size() + 1);
    uLongf size = back.size();
    ASSERT_EQ(Z_OK, uncompress(back.data(), &size, out.data() + 1, out.size() - 1)) << c.what;
    ASSERT_EQ(all, std::string(back.begin(), back.begin() + static_cast<long>(size))) << c.what;
  }
  // Flat rows come out far smaller than they go in.
  std::vector<unsigned char> out;
  RowDeflate deflate(out);
  for (int y = 0; y < 600; ++y) {
    std::string row = up + (y % 50 == 0 ? pixels(2400, "\xE0\xE0\xE0") : zeros(2400));
    std::copy(row.begin(), row.end(), deflate.room(row.size()));
    deflate.add(row.size());
  }
  deflate.finish();
  EXPECT_LT(out.size(), 600u * 2401 / 500);
}

// Frequencies that make Huffman's tree deeper than deflate allows (a
// Fibonacci run), one symbol, none, all equal: the lengths stay within the
// limit, every used symbol has one, and the code is complete.
TEST(HuffmanLengths, WithinTheLimitAndComplete) {
  std::vector<uint32_t> fibonacci(30);
  fibonacci[0] = fibonacci[1] = 1;
  for (size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
  std::vector<uint32_t> one(19), none(30), equal(286, 5), sparse(286);
  one[7] = 40;
  sparse[0] = 1000000, sparse[256] = 1, sparse[285] = 3;
  const struct {
    std::vector<uint32_t> freq;
    int limit;
  } cases[] = {{fibonacci, 15}, {fibonacci, 7}, {one, 7}, {none, 15}, {equal, 15}, {sparse, 15}};
  for (const auto& c : cases) {
    int count = static_cast<int>(c.freq.size());
    std::vector<uint8_t> lengths(c.freq.size());
    huffman_lengths(c.freq.data(), count, c.limit, lengths.data());
    double kraft = 0;
    for (int s = 0; s < count; ++s) {
      EXPECT_LE(lengths[s], c.limit);
      if (c.freq[s] != 0) {
        EXPECT_GT(lengths[s], 0) << s;
      }
      if (lengths[s] != 0) kraft += 1.0 / (1 << lengths[s]);
    }
    EXPECT_EQ(1.0, kraft) << count << " symbols, limit " << c.limit;
  }
}

}  // namespace
