// A raster report picture is drawn a band at a time, each band the whole
// drawing moved up by whole pixels, leaving out what cannot reach its rows.
// Left out or not, a band holds the pixels of the picture drawn whole:
// text of every kind near the bands' edges included (labels with raised
// exponents, turned axis names whose glyphs reach past their advance, the
// caption, the legend, the Nyquist line's name).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/parse_cmd.h"
#include "input/read_responses.h"
#include "layout/plan_picture.h"
#include "report/report_picture.h"
#include "support/test_files.h"

namespace {

struct Picture {
  std::vector<uint32_t> pixels;
  size_t width;
};

int keep_band(void* sink, const uint32_t* pixels, int top, int rows) {
  auto* picture = static_cast<Picture*>(sink);
  size_t at = static_cast<size_t>(top) * picture->width;
  std::copy_n(pixels, static_cast<size_t>(rows) * picture->width, picture->pixels.begin() + at);
  return 0;
}

// The picture's colours (cairo leaves the top byte as it finds it), drawn
// in bands of `rows`.
std::vector<uint32_t> draw(const PlotOptions& o, const PicturePlan& plan, const Responses& r,
                           int rows) {
  const auto width = static_cast<size_t>(o.size_x);
  const auto height = static_cast<size_t>(o.size_y);
  ReportJob job;
  job.plan = &plan, job.curves = &r.curves, job.legend = &r.legend, job.options = &o;
  job.format = OutputFormat::png;
  Picture picture{std::vector<uint32_t>(width * height), width};
  std::vector<uint32_t> band(
      width * std::min(height, static_cast<size_t>(rows + 2 * ReportJob::band_margin)));
  job.pixels = band.data();
  job.band_rows = rows;
  job.band_done = keep_band;
  job.sink = &picture;
  EXPECT_EQ(0, draw_report_picture(job)) << job.error;
  for (uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
  return picture.pixels;
}

TEST(ReportBands, EachBandHoldsThePictureDrawnWhole) {
  const std::string broadband = "IN=" AFCDRAW_EXAMPLES "/broadband_120s.txt";
  const std::string geophone = "IN2=" AFCDRAW_EXAMPLES "/geophone_4_5hz.txt";
  // U+2044 reaches 0.19 em past its advance: turned, below its rows.
  std::string slashes = "DIMY=\u2044" + std::string(20, 'M');
  for (int i = 0; i < 106; ++i) slashes += "\u2044";
  const struct {
    std::vector<std::string> args;
    std::vector<int> rows;  // band heights to draw it in
  } cases[] = {
      {{broadband, geophone, "-phase", "-fit", "NAME=broadband", "NAME2=geophone", "FONT=20",
        "SIZE=640x480", "DIMX=Frequency, Hz", "DIMY=Amplitude", "DIMP=Phase",
        "CAPTION=Two responses", "NYQUIST=40"},
       {1, 7}},
      {{broadband, "-phase", "LW=10", "SIZE=800x600", "NAME=broadband", "LEGEND=TL"}, {3, 81}},
      {{broadband, "FONT=30", "SIZE=1600x1485", slashes}, {93}},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"afcdraw"};
    for (const std::string& a : c.args) argv.push_back(a.c_str());
    argv.push_back("-report");
    argv.push_back("OUT=unused.png");  // never written: the test draws the picture itself
    PlotOptions o{};
    Warnings warnings;
    ASSERT_EQ(0, parse_cmd(static_cast<int>(argv.size()), argv.data(), o, warnings))
        << c.args.back();
    Responses r;
    ASSERT_EQ(0, read_responses(o, r)) << c.args.back();
    PicturePlan plan;
    ASSERT_EQ(0, plan_picture(r.curves, o, plan)) << c.args.back();
    std::vector<uint32_t> whole = draw(o, plan, r, o.size_y);
    for (int rows : c.rows) {
      std::vector<uint32_t> banded = draw(o, plan, r, rows);
      size_t differing = 0;
      for (size_t i = 0; i < whole.size(); ++i) differing += whole[i] != banded[i];
      EXPECT_EQ(0u, differing) << c.args.back() << ", bands of " << rows;
    }
  }
}

}  // namespace
