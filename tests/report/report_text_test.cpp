#include "report/report_text.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Context {
  const char* what;
  double scale, turn, move;  // the context's transformation
};

using Cairo = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

Cairo context_for(const Context& c) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 4);
  Cairo cr(cairo_create(surface), cairo_destroy);
  cairo_surface_destroy(surface);
  cairo_translate(cr.get(), 0, c.move);
  cairo_scale(cr.get(), c.scale, c.scale);
  cairo_rotate(cr.get(), c.turn);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);  // widths by pixels
  cairo_set_font_options(cr.get(), options);
  cairo_font_options_destroy(options);
  return cr;
}

// Widths are remembered across a picture's bands; a width measured in one
// context, size or weight is never given for another: each equals what
// fonts that measured nothing before give. (Only one ReportFonts may be
// open at a time, and no context may outlive it.)
TEST(TextWidth, RemembersOnlyWhatWasMeasuredAlike) {
  const Context contexts[] = {
      {"plain", 1, 0, 0},
      {"a band lower", 1, 0, -81},
      {"twice the scale", 2, 0, 0},
      {"turned", 1, -M_PI / 2, 0},
      {"a scale that rounds differently", 1.37, 0, 0},
  };
  const TextStyle styles[] = {{7.5}, {7.5, true}, {9}, {10.25}};
  const std::string texts[] = {"10", "10\xE2\x81\xBB\xC2\xB3",
                               "2\xC2\xB7"
                               "10",
                               "Hz", std::string(40, 'x')};
  std::vector<double> fresh;
  for (const Context& c : contexts) {
    for (TextStyle style : styles) {
      for (const std::string& text : texts) {
        ReportFonts fonts;
        ASSERT_EQ(0, fonts.open());
        Cairo cr = context_for(c);
        fresh.push_back(text_width(cr.get(), fonts, style, text));
      }
    }
  }
  ReportFonts shared;
  ASSERT_EQ(0, shared.open());
  for (int pass = 0; pass < 2; ++pass) {  // the second finds the first's
    size_t k = 0;
    for (const Context& c : contexts) {
      Cairo cr = context_for(c);
      for (TextStyle style : styles) {
        for (const std::string& text : texts) {
          EXPECT_EQ(fresh[k++], text_width(cr.get(), shared, style, text))
              << c.what << ", size " << style.size << (style.bold ? " bold" : "") << ", " << text;
        }
      }
    }
  }
}

}  // namespace
