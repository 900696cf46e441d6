#include "draw/names_apart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

TEST(NamesApart, CutNamesKeepWhatTellsThemApart) {
  const struct {
    const char* text;
    const char* other;
    size_t most;
    const char* shown;
  } cases[] = {
      {"Deviation, dB", "Deviation, deg", 20, "Deviation, dB"},  // fits: as it is
      {"Deviation, dB", "Deviation, deg", 10, "...ion, dB"},
      {"Deviation, deg", "Deviation, dB", 10, "...on, deg"},
      {"Deviation, dB", "Deviation, deg", 5, "...dB"},
      {"Deviation, deg", "Deviation, dB", 5, "...eg"},
      {"Deviation, dB", "Other words", 10, "Deviati..."},    // cut apart already
      {"Deviation, dB", "Deviation, dB", 10, "Deviati..."},  // nothing tells them apart
      // Apart in the middle: the difference and what follows, cut in turn.
      {"Abweichung der Amplitude vom Bezug", "Abweichung der Phase vom Bezug", 16,
       "...Amplitude ..."},
      {"Abweichung der Phase vom Bezug", "Abweichung der Amplitude vom Bezug", 16,
       "...Phase vom ..."},
      {"Deviation", "Deviation, deg", 8, "...ation"},  // a beginning of the other
      {"Отклонение, дБ", "Отклонение, град", 10, "...ние, дБ"},
      {"Отклонение, град", "Отклонение, дБ", 10, "...е, град"},
      {"Deviation, dB", "Deviation, deg", 3, "..."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.shown, shortened_apart(c.text, c.other, c.most)) << c.text << " " << c.most;
  }
}

constexpr int black = 1;
constexpr int name_left = 10, name_right = 25;  // the column of the upright names

// The names' strips in the picture's left column, top to bottom: runs of
// rows with ink, split where more rows stay blank than a space between
// words leaves.
std::vector<std::vector<std::string>> name_strips(const DecodedImage& im) {
  constexpr int blank_between_names = 20;
  std::vector<std::vector<std::string>> strips;
  int blank = blank_between_names + 1;
  for (int y = 0; y < gdImageSY(im.get()); ++y) {
    std::string row;
    for (int x = name_left; x <= name_right; ++x) row += pixel(im, x, y) == black ? '#' : '.';
    bool ink = row.find('#') != std::string::npos;
    if (ink && blank > blank_between_names) strips.emplace_back();
    if (ink) strips.back().push_back(row);
    blank = ink ? 0 : blank + 1;
  }
  return strips;
}

// Both deviation panels' names are cut at these heights: the two names
// must still read differently, not both "Deviati...".
TEST(NamesApart, TheDeviationNamesNeverReadAlike) {
  TempDir dir;
  write_file(dir.path("a.txt"), "1 10 0\n100 10 -180\n");
  write_file(dir.path("b.txt"), "1 11 5\n100 9 -170\n");
  for (const char* size : {"SIZE=800;600", "SIZE=720;560"}) {
    std::string out = dir.path("o.gif");
    RunResult r = run_afcdraw({"IN=" + dir.path("a.txt"), "IN2=" + dir.path("b.txt"), "OUT=" + out,
                               "-diff", "-phase", size});
    ASSERT_EQ(0, r.status) << r.out;
    DecodedImage im = decode_gif(read_file(out));
    ASSERT_TRUE(im);
    std::vector<std::vector<std::string>> strips = name_strips(im);
    ASSERT_EQ(3u, strips.size()) << size;  // the phase's, then the deviations'
    EXPECT_NE(strips[1], strips[2]) << size;
  }
}

}  // namespace
