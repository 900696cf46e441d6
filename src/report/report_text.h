#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "layout/report_room.h"
#include "layout/tick_labels.h"

// A text's size in layout units and weight.
struct TextStyle {
  double size;
  bool bold = false;
};

// The text of report pictures: the bundled sans-serif font, regular and
// bold, unhinted, so that glyphs scale smoothly and measure the same on
// every machine.
class ReportFonts {
 public:
  ReportFonts() = default;
  ~ReportFonts();
  ReportFonts(const ReportFonts&) = delete;
  ReportFonts& operator=(const ReportFonts&) = delete;

  // Returns 0, or -1 when FreeType cannot read the fonts.
  int open();
  cairo_font_face_t* face(bool bold) const { return bold ? bold_ : regular_; }
  // How far any glyph of either face reaches above and below its
  // baseline, and before or after its origin, per unit of size (the fonts'
  // bounding boxes).
  double reach_up() const { return reach_up_; }
  double reach_down() const { return reach_down_; }
  double reach_across() const { return reach_across_; }

  // Text widths measured before, by text, style and the context's
  // transformation but for its moves: every band of a picture places the
  // same labels, and a measure by cairo costs microseconds. Short texts
  // only, a few dozen of them.
  const double* measured(const std::string& text, TextStyle style, const cairo_matrix_t& m) const;
  void remember(const std::string& text, TextStyle style, const cairo_matrix_t& m,
                double width) const;

 private:
  struct Measured {
    std::string text;
    TextStyle style;
    cairo_matrix_t m;  // only its linear part counts
    double width;
  };
  // Not what the fonts are, only what they have been asked.
  mutable std::vector<Measured> measured_;
  void* library_ = nullptr;  // FT_Library, kept out of this header
  cairo_font_face_t* regular_ = nullptr;
  cairo_font_face_t* bold_ = nullptr;
  double reach_up_ = 0, reach_down_ = 0, reach_across_ = 0;
};

// The height of a capital above the baseline, per unit of font size.
constexpr double cap_height = 0.73;

// The text made valid UTF-8: each byte that does not start a whole
// character, and each noncharacter, becomes U+FFFD, which cairo draws
// where it would refuse the whole text.
std::string valid_text(const std::string& text);

void use_style(cairo_t* cr, const ReportFonts& fonts, TextStyle style);
double text_width(cairo_t* cr, const ReportFonts& fonts, TextStyle style, const std::string& text);
// Whether text of `size` on baselines from `first` to `last` can mark the
// surface (band_view.h).
bool text_shows(cairo_t* cr, const ReportFonts& fonts, double size, double first, double last);
// Draws valid text with its baseline's left end at (x, baseline).
void show_text(cairo_t* cr, const ReportFonts& fonts, TextStyle style, double x, double baseline,
               const std::string& text);

// The text cut at a character, with "..." (one character) after it, to fit
// `room`.
std::string fitted_text(cairo_t* cr, const ReportFonts& fonts, TextStyle style,
                        const std::string& text, double room);

// An axis label: the mantissa, and the exponent smaller and raised after
// it; "2*10" is written with a centred dot.
double label_width(cairo_t* cr, const ReportFonts& fonts, double size, const PowerLabel& label);
void show_label(cairo_t* cr, const ReportFonts& fonts, double size, double x, double baseline,
                const PowerLabel& label);

// How far a label of `size` reaches above its baseline, a raised exponent
// included, as the font's ascent measures it.
double label_rise(cairo_t* cr, const ReportFonts& fonts, double size);

// The font's measures the layout plans with; the label widths are measured
// on `cr`, which must outlive the result.
ReportMetrics report_metrics(cairo_t* cr, const ReportFonts& fonts);
