// A report GIF is drawn and reduced to its palette a band of rows at a
// time, yet it is the picture libgd makes of the whole: the report PNG of
// the same command line (its true colour, drawn whole) reduced by libgd,
// palette entry for entry and pixel for pixel.

#include <gd.h>
#include <gtest/gtest.h>

#include <string>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

TEST(BandPalette, AReportGifIsLibgdsPaletteOfTheWholePicture) {
  const std::string in = "IN=" AFCDRAW_EXAMPLES "/broadband_120s.txt";
  // One band; two; many thin ones of a tall picture.
  for (const char* size : {"SIZE=800x600", "SIZE=3000x2000", "SIZE=640x9000"}) {
    TempDir dir;
    for (const char* out : {"a.gif", "a.png"}) {
      ASSERT_EQ(0, run_afcdraw({in, std::string("OUT=") + dir.path(out), "-report", "-phase",
                                "NAME=broadband", size})
                       .status)
          << size << out;
    }
    DecodedImage gif = decode_gif(read_file(dir.path("a.gif")));
    DecodedImage whole = decode_png(read_file(dir.path("a.png")));
    ASSERT_TRUE(gif && whole) << size;
    ASSERT_TRUE(gdImageTrueColorToPalette(whole.get(), 0, gdMaxColors)) << size;
    ASSERT_EQ(gdImageColorsTotal(whole.get()), gdImageColorsTotal(gif.get())) << size;
    for (int i = 0; i < gdImageColorsTotal(gif.get()); ++i) {
      EXPECT_EQ(gdImageRed(whole.get(), i), gdImageRed(gif.get(), i)) << size << i;
      EXPECT_EQ(gdImageGreen(whole.get(), i), gdImageGreen(gif.get(), i)) << size << i;
      EXPECT_EQ(gdImageBlue(whole.get(), i), gdImageBlue(gif.get(), i)) << size << i;
    }
    int differing = 0;
    for (int y = 0; y < gdImageSY(gif.get()); ++y) {
      for (int x = 0; x < gdImageSX(gif.get()); ++x) {
        differing += gdImageGetPixel(gif.get(), x, y) != gdImageGetPixel(whole.get(), x, y);
      }
    }
    EXPECT_EQ(0, differing) << size;
  }
}

}  // namespace
