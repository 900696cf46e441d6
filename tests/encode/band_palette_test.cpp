// A report GIF is drawn in the bands the PNG is drawn in (of 256 KB, or a
// sixteenth of a tall picture), kept whole up to 16 MB and otherwise drawn
// twice, to count its colours and to map them. Either way it is the
// picture libgd makes of the report PNG of the same command line, reduced
// by libgd: palette entry for entry and pixel for pixel, a noisy curve
// crossing every band's edge included.

#include <gd.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/noisy_response.h"
#include "support/test_files.h"

namespace {

TEST(BandPalette, AReportGifIsLibgdsPaletteOfTheReportPng) {
  const std::string in = "IN=" AFCDRAW_EXAMPLES "/broadband_120s.txt";
  const std::string in2 = "IN2=" AFCDRAW_EXAMPLES "/geophone_4_5hz.txt";
  TempDir data;
  write_file(data.path("noisy.txt"), noisy_response(20000, 4.3, 1, 500, -180, 360));
  const std::string in_noisy = "IN=" + data.path("noisy.txt");
  const std::vector<std::vector<std::string>> runs = {
      // One GIF band; two; many thin ones of a tall picture.
      {in, "-phase", "NAME=broadband", "SIZE=800x600"},
      {in, "-phase", "NAME=broadband", "SIZE=3000x2000"},
      {in, "-phase", "NAME=broadband", "SIZE=640x9000"},
      // Large text, names, a caption and a legend of two across the bands.
      {in, in2, "-phase", "-diff", "FONT=20", "SIZE=640x480", "NAME=broadband", "NAME2=geophone",
       "DIMX=Frequency, Hz", "DIMY=Amplitude", "DIMP=Phase", "CAPTION=Two responses"},
      {in, in2, "-fit", "LW=6", "SIZE=1000x2600", "NAME=broadband", "NAME2=geophone"},
      // A noisy curve's strokes cross every band's edge; counted and mapped in two passes.
      {in_noisy, "-phase", "LW=1", "SIZE=2000x2000"},
      {in_noisy, "-phase", "SIZE=1200x1500"},
  };
  for (const std::vector<std::string>& run : runs) {
    std::string size;  // the command line, to name a failure
    for (const std::string& arg : run) size += arg + " ";
    TempDir dir;
    for (const char* out : {"a.gif", "a.png"}) {
      std::vector<std::string> args = run;
      args.push_back(std::string("OUT=") + dir.path(out));
      args.push_back("-report");
      ASSERT_EQ(0, run_afcdraw(args).status) << size << out;
    }
    DecodedImage gif = decode_gif(read_file(dir.path("a.gif")));
    DecodedImage png = decode_png(read_file(dir.path("a.png")));
    ASSERT_TRUE(gif && png) << size;
    ASSERT_TRUE(gdImageTrueColorToPalette(png.get(), 0, gdMaxColors)) << size;
    ASSERT_EQ(gdImageColorsTotal(png.get()), gdImageColorsTotal(gif.get())) << size;
    for (int i = 0; i < gdImageColorsTotal(gif.get()); ++i) {
      EXPECT_EQ(gdImageRed(png.get(), i), gdImageRed(gif.get(), i)) << size << i;
      EXPECT_EQ(gdImageGreen(png.get(), i), gdImageGreen(gif.get(), i)) << size << i;
      EXPECT_EQ(gdImageBlue(png.get(), i), gdImageBlue(gif.get(), i)) << size << i;
    }
    int differing = 0;
    for (int y = 0; y < gdImageSY(gif.get()); ++y) {
      for (int x = 0; x < gdImageSX(gif.get()); ++x) {
        differing += gdImageGetPixel(gif.get(), x, y) != gdImageGetPixel(png.get(), x, y);
      }
    }
    EXPECT_EQ(0, differing) << size;
  }
}

}  // namespace
