// Axes fitted to the data: which lines are labelled, with what text, where.

#include "draw/fit_axis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "layout/fit_range.h"
#include "layout/nice_steps.h"

namespace {

// A label as "text" or "10^-3", at the top-left corner of its mantissa.
struct Expected {
  std::string text;
  int left, top;
  bool operator==(const Expected&) const = default;
};

std::vector<Expected> labels(const PlotArea& area, Orientation orientation, const TickRule& rule) {
  std::vector<Expected> out;
  for (const PlacedLabel& l :
       place_tick_labels(area, orientation, rule, area.right + right_margin)) {
    std::string text = l.text.mantissa;
    if (!l.text.exponent.empty()) text += "^" + l.text.exponent;
    out.push_back({text, l.left, l.top});
  }
  return out;
}

void PrintTo(const Expected& e, std::ostream* os) {
  *os << "{\"" << e.text << "\", " << e.left << ", " << e.top << "}";
}

// The default 800 x 600 picture: columns 60 ... 780, rows 60 ... 560.
PlotArea area_for(double lo, double hi, bool log) {
  PlotArea area = standard_plot_area(800, 600);
  EXPECT_EQ(0, set_axes(area, lo, hi, log, lo, hi, log));
  return area;
}

TEST(FitAxis, AmplitudeRangesAndTheirLabels) {
  const struct {
    const char* name;
    double lo, hi;
    bool log;
    double fitted_lo, fitted_hi;
    std::vector<Expected> y_labels;
  } cases[] = {
      // Log10 ranges are padded, not widened to decades: the data fill the area.
      {"narrow log: nice steps",
       28.8,
       29.97,
       true,
       28.765614772179447,
       30.005824900178339,
       {{"30", 44, 56},
        {"29.8", 32, 135},
        {"29.6", 32, 215},
        {"29.4", 32, 295},
        {"29.2", 32, 376},
        {"29", 44, 457},
        {"28.8", 32, 539}}},
      {"sub-decade log: 2x and 5x",
       3,
       25,
       true,
       2.8151185730853161,
       26.641861808968649,
       {{"20", 44, 117}, {"10", 44, 271}, {"5", 50, 426}}},
      {"a decade or so: 1-2-5",
       0.9,
       11,
       true,
       0.83488758719203648,
       11.857883806006154,
       {{"10", 44, 86}, {"5", 50, 216}, {"2", 50, 389}, {"1", 50, 519}}},
      {"constant log: the lines either side",
       5,
       5,
       true,
       4.5,
       5.5,
       {{"5.5", 38, 54}, {"5", 50, 291}, {"4.5", 38, 554}}},
      {"linear",
       28.8,
       29.97,
       false,
       28.6,
       30.2,
       {{"30.2", 32, 54},
        {"30", 44, 116},
        {"29.8", 32, 179},
        {"29.6", 32, 241},
        {"29.4", 32, 304},
        {"29.2", 32, 366},
        {"29", 44, 429},
        {"28.8", 32, 491},
        {"28.6", 32, 554}}},
      {"dB",
       -47.6,
       7.96,
       false,
       -50,
       10,
       {{"10", 44, 53},
        {"0", 50, 137},
        {"-10", 38, 220},
        {"-20", 38, 304},
        {"-30", 38, 387},
        {"-40", 38, 470},
        {"-50", 38, 554}}},
      {"constant linear",
       5,
       5,
       false,
       4.5,
       5.5,
       {{"5.5", 38, 54}, {"5", 50, 304}, {"4.5", 38, 554}}},
      // Neighbours far from zero keep their last digits apart.
      {"linear far from zero",
       1234564,
       1234570,
       false,
       1234563,
       1234571,
       {{"1234571", 14, 54},
        {"1234570", 14, 116},
        {"1234569", 14, 179},
        {"1234568", 14, 241},
        {"1234567", 14, 304},
        {"1234566", 14, 366},
        {"1234565", 14, 429},
        {"1234564", 14, 491},
        {"1234563", 14, 554}}},
      // Pixels per unit beyond the double range put every line off the area.
      {"denormal linear", 0, 1e-320, false, 0, 1.1976e-320, {}},
  };
  for (const auto& c : cases) {
    double lo = c.lo, hi = c.hi;
    TickRule rule = fit_amplitude_range(lo, hi, c.log);
    EXPECT_DOUBLE_EQ(c.fitted_lo, lo) << c.name;
    EXPECT_DOUBLE_EQ(c.fitted_hi, hi) << c.name;
    EXPECT_EQ(c.y_labels, labels(area_for(lo, hi, c.log), Orientation::vertical, rule)) << c.name;
  }
}

TEST(FitAxis, FrequencyRangesAndTheirLabels) {
  const struct {
    const char* name;
    double lo, hi;
    bool log;
    double fitted_lo, fitted_hi;
    std::vector<Expected> x_labels;
  } cases[] = {
      {"wide log: decades, kept",
       0.0001,
       100,
       true,
       0.0001,
       100,
       {{"10^-4", 49, 566},
        {"10^-3", 169, 566},
        {"10^-2", 289, 566},
        {"10^-1", 409, 566},
        {"1", 537, 566},
        {"10", 654, 566},
        {"100", 771, 566}}},
      {"two decades, kept",
       10,
       1000,
       true,
       10,
       1000,
       {{"10", 54, 566}, {"100", 411, 566}, {"10^3", 772, 566}}},
      {"sub-decade log, kept",
       3,
       25,
       true,
       3,
       25,
       {{"5", 230, 566}, {"10", 462, 566}, {"20", 698, 566}}},
      {"within a decade: nice steps, kept",
       10,
       14,
       true,
       10,
       14,
       {{"10", 54, 566},
        {"10.5", 152, 566},
        {"11", 257, 566},
        {"11.5", 347, 566},
        {"12", 444, 566},
        {"12.5", 525, 566},
        {"13", 615, 566},
        {"13.5", 690, 566},
        {"14", 773, 566}}},
      {"linear, kept",
       0,
       45,
       false,
       0,
       45,
       {{"0", 57, 566},
        {"5", 137, 566},
        {"10", 214, 566},
        {"15", 294, 566},
        {"20", 374, 566},
        {"25", 454, 566},
        {"30", 534, 566},
        {"35", 614, 566},
        {"40", 694, 566},
        {"45", 774, 566}}},
  };
  for (const auto& c : cases) {
    double lo = c.lo, hi = c.hi;
    TickRule rule = fit_frequency_range(lo, hi, c.log);
    EXPECT_DOUBLE_EQ(c.fitted_lo, lo) << c.name;
    EXPECT_DOUBLE_EQ(c.fitted_hi, hi) << c.name;
    EXPECT_EQ(c.x_labels, labels(area_for(lo, hi, c.log), Orientation::horizontal, rule)) << c.name;
  }
}

// Ends a few units in the last place apart are one value: a constant
// curve's crossings of the frequency range, interpolated through
// logarithms, differ in their last bits, and were fitted as a range of
// steps of 1e-16 with one label, 3.2999999999999994. Ranges of real data,
// however narrow, keep their span.
TEST(FitAxis, NearlyOneValueIsOneValue) {
  const struct {
    double value, other;
    bool log, one;  // one: fitted as the value alone
  } cases[] = {
      {3.3, 3.2999999999999994, true, true},
      {1, 1.0000000000000002, true, true},
      {-7, std::nextafter(std::nextafter(-7.0, -8.0), -8.0), false, true},
      {1e300, std::nextafter(1e300, 2e300), true, true},
      {2e15, 2e15 + 398, false, false},  // 2e-13 of the value: data
      {1e6, 1e6 + 4e-7, true, false},
  };
  for (const auto& c : cases) {
    for (auto fit : {fit_amplitude_range, fit_frequency_range}) {
      if (!c.log && fit == fit_frequency_range) continue;  // frequencies are positive
      double lo = c.value, hi = c.value, near_lo = std::min(c.value, c.other),
             near_hi = std::max(c.value, c.other);
      TickRule rule = fit(lo, hi, c.log), near = fit(near_lo, near_hi, c.log);
      EXPECT_EQ(c.one, lo == near_lo && hi == near_hi) << c.other;
      if (!c.one) continue;
      EXPECT_EQ(labels(area_for(lo, hi, c.log), Orientation::vertical, rule),
                labels(area_for(near_lo, near_hi, c.log), Orientation::vertical, near))
          << c.other;
    }
  }
}

// On a short axis the crowded labels of the finest level give way, the
// ones of coarser levels first kept.
TEST(FitAxis, CrowdedLabelsAreLeftOut) {
  PlotArea area = plot_area_between(60, 60, 780, 200);
  ASSERT_EQ(0, set_axes(area, 20, 90, true, 20, 90, true));
  TickRule every{true, every_multiple, 0};
  std::vector<std::string> texts;
  for (const Expected& e : labels(area, Orientation::vertical, every)) texts.push_back(e.text);
  EXPECT_EQ((std::vector<std::string>{"80", "60", "50", "40", "30", "20"}), texts);
}

}  // namespace

namespace {

// Wide numbers on lines at either end of the X axis, and on a Y axis with
// less room than they need, stay inside a small picture.
TEST(FitAxis, LabelsStayInsideThePicture) {
  constexpr int size_x = 640, size_y = 480;
  const struct {
    double lo, hi;
    bool log;
  } cases[] = {{1234567, 1234640, false},
               {-1234567, -1234500, false},
               {1e8, 9e8, true},
               {0.1234567, 0.1234640, false}};
  for (const auto& c : cases) {
    PlotArea area = standard_plot_area(size_x, size_y);
    double lo = c.lo, hi = c.hi;
    TickRule rule = fit_frequency_range(lo, hi, c.log);
    ASSERT_EQ(0, set_axes(area, lo, hi, c.log, lo, hi, c.log));
    for (Orientation o : {Orientation::horizontal, Orientation::vertical}) {
      std::vector<PlacedLabel> placed = place_tick_labels(area, o, rule, size_x);
      ASSERT_FALSE(placed.empty()) << c.lo;
      for (const PlacedLabel& l : placed) {
        EXPECT_LE(0, l.left) << l.text.mantissa;
        EXPECT_LE(l.left + l.text.width(), size_x) << l.text.mantissa;
      }
    }
  }
}

}  // namespace
