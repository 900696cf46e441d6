#include "report/report_text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "core/utf8.h"
#include "report/band_view.h"
#include "report/embedded_fonts.h"

namespace {

const cairo_user_data_key_t face_key{};

// A cairo face over the font in memory; the FreeType face is released with
// the cairo one. Its glyphs' reach is taken into `reach` (up, down, across).
cairo_font_face_t* open_face(FT_Library library, FontData font, double (&reach)[3]) {
  FT_Face face;
  if (FT_New_Memory_Face(library, font.data, static_cast<FT_Long>(font.size), 0, &face) != 0) {
    return nullptr;
  }
  double em = face->units_per_EM > 0 ? face->units_per_EM : 1;
  const FT_BBox& box = face->bbox;
  reach[0] = std::max(reach[0], static_cast<double>(box.yMax) / em);
  reach[1] = std::max(reach[1], static_cast<double>(-box.yMin) / em);
  reach[2] =
      std::max({reach[2], static_cast<double>(box.xMax) / em, static_cast<double>(-box.xMin) / em});
  cairo_font_face_t* cairo_face = cairo_ft_font_face_create_for_ft_face(face, 0);
  auto done = [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); };
  if (cairo_font_face_set_user_data(cairo_face, &face_key, face, done) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(cairo_face);
    FT_Done_Face(face);
    return nullptr;
  }
  return cairo_face;
}

// The start of the UTF-8 character before byte `end`.
size_t previous_character(const std::string& text, size_t end) {
  size_t i = end - 1;
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  return i;
}

// cairo refuses a whole text for one noncharacter (U+FDD0 to U+FDEF, and
// the last two codes of every plane).
bool drawable(char32_t code) {
  bool noncharacter = (0xFDD0 <= code && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
  return !noncharacter;
}

}  // namespace

ReportFonts::~ReportFonts() {
  // Faces are cached by cairo; its caches are let go so that the FreeType
  // faces close before their library.
  if (regular_ != nullptr) cairo_font_face_destroy(regular_);
  if (bold_ != nullptr) cairo_font_face_destroy(bold_);
  cairo_debug_reset_static_data();
  if (library_ != nullptr) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

int ReportFonts::open() {
  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) return -1;
  library_ = library;
  double reach[3] = {};
  regular_ = open_face(library, sans_font(), reach);
  bold_ = open_face(library, sans_bold_font(), reach);
  reach_up_ = reach[0], reach_down_ = reach[1], reach_across_ = reach[2];
  return regular_ != nullptr && bold_ != nullptr ? 0 : -1;
}

std::string valid_text(const std::string& text) {
  constexpr char replacement[] = "\xEF\xBF\xBD";
  std::string valid;
  for (size_t i = 0; i < text.size();) {
    Utf8Char c = next_char(std::string_view(text).substr(i));
    if (c.code == invalid_byte || !drawable(c.code)) {
      valid += replacement;
    } else {
      valid.append(text, i, static_cast<size_t>(c.length));
    }
    i += static_cast<size_t>(c.length);
  }
  return valid;
}

void use_style(cairo_t* cr, const ReportFonts& fonts, TextStyle style) {
  cairo_set_font_face(cr, fonts.face(style.bold));
  cairo_set_font_size(cr, style.size);
}

namespace {

constexpr size_t most_measured = 64;
constexpr size_t longest_measured = 32;

bool same_linear_part(const cairo_matrix_t& a, const cairo_matrix_t& b) {
  return a.xx == b.xx && a.yx == b.yx && a.xy == b.xy && a.yy == b.yy;
}

}  // namespace

const double* ReportFonts::measured(const std::string& text, TextStyle style,
                                    const cairo_matrix_t& m) const {
  for (const Measured& k : measured_) {
    if (k.style.size == style.size && k.style.bold == style.bold && same_linear_part(k.m, m) &&
        k.text == text) {
      return &k.width;
    }
  }
  return nullptr;
}

void ReportFonts::remember(const std::string& text, TextStyle style, const cairo_matrix_t& m,
                           double width) const {
  if (measured_.size() < most_measured && text.size() <= longest_measured) {
    measured_.push_back({text, style, m, width});
  }
}

double text_width(cairo_t* cr, const ReportFonts& fonts, TextStyle style, const std::string& text) {
  // A band's context differs from another's only by a move of whole pixels.
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  if (const double* width = fonts.measured(text, style, m)) return *width;
  use_style(cr, fonts, style);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  fonts.remember(text, style, m, extents.x_advance);
  return extents.x_advance;
}

bool text_shows(cairo_t* cr, const ReportFonts& fonts, double size, double first, double last) {
  return rows_show(cr, std::min(first, last) - fonts.reach_up() * size,
                   std::max(first, last) + fonts.reach_down() * size);
}

void show_text(cairo_t* cr, const ReportFonts& fonts, TextStyle style, double x, double baseline,
               const std::string& text) {
  if (!text_shows(cr, fonts, style.size, baseline, baseline)) return;
  use_style(cr, fonts, style);
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, text.c_str());
}

std::string fitted_text(cairo_t* cr, const ReportFonts& fonts, TextStyle style,
                        const std::string& text, double room) {
  if (text_width(cr, fonts, style, text) <= room) return text;
  constexpr char ellipsis[] = "\xE2\x80\xA6";
  std::string cut = text;
  while (!cut.empty() && text_width(cr, fonts, style, cut + ellipsis) > room) {
    cut.erase(previous_character(cut, cut.size()));
  }
  return cut + ellipsis;
}

namespace {

constexpr double exponent_size = 0.75;   // of the mantissa's
constexpr double exponent_raise = 0.55;  // of the mantissa's cap height

// The report writes the signs as typeset: "2*10" with a centred dot,
// "-3" with the minus sign.
std::string typeset(const std::string& number) {
  std::string text;
  for (char c : number) {
    if (c == '*') {
      text += "\xC2\xB7";
    } else if (c == '-') {
      text += "\xE2\x88\x92";
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace

double label_width(cairo_t* cr, const ReportFonts& fonts, double size, const PowerLabel& label) {
  return text_width(cr, fonts, {size}, typeset(label.mantissa)) +
         text_width(cr, fonts, {size * exponent_size}, typeset(label.exponent));
}

void show_label(cairo_t* cr, const ReportFonts& fonts, double size, double x, double baseline,
                const PowerLabel& label) {
  double raised = baseline - exponent_raise * cap_height * size;
  if (!text_shows(cr, fonts, size, raised, baseline)) return;
  std::string mantissa = typeset(label.mantissa);
  show_text(cr, fonts, {size}, x, baseline, mantissa);
  if (label.exponent.empty()) return;
  double right = x + text_width(cr, fonts, {size}, mantissa);
  show_text(cr, fonts, {size * exponent_size}, right, raised, typeset(label.exponent));
}

namespace {

double ascent(cairo_t* cr, const ReportFonts& fonts, double size) {
  use_style(cr, fonts, {size});
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  return extents.ascent;
}

}  // namespace

double label_rise(cairo_t* cr, const ReportFonts& fonts, double size) {
  double exponent_top =
      exponent_raise * cap_height * size + ascent(cr, fonts, size * exponent_size);
  return std::max(ascent(cr, fonts, size), exponent_top);
}

ReportMetrics report_metrics(cairo_t* cr, const ReportFonts& fonts) {
  constexpr double unit = 100;  // a size at which the measures are exact enough
  use_style(cr, fonts, {unit});
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  ReportMetrics m;
  m.ascent = extents.ascent / unit;
  m.descent = extents.descent / unit;
  m.label_rise = label_rise(cr, fonts, report_label_size);
  m.label_width = [cr, &fonts](const PowerLabel& label) {
    return label_width(cr, fonts, report_label_size, label);
  };
  return m;
}
