#include "input/pole_zero.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/ascii_case.h"
#include "core/scan_number.h"

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

bool skipped(std::string_view line) {
  return line.empty() || line.front() == '*';
}

// A line as read: without what follows a "#" (a comment, also after a
// count or a number) and without the spaces around it.
std::string_view content(std::string_view line) {
  return trimmed(line.substr(0, line.find('#')));
}

// A UTF-8 byte-order mark, which editors on some systems put first.
std::string_view without_bom(std::string_view text) {
  constexpr std::string_view bom = "\xEF\xBB\xBF";
  if (text.substr(0, bom.size()) == bom) text.remove_prefix(bom.size());
  return text;
}

// The keyword the line begins with, in capitals, or "".
std::string_view keyword(std::string_view line) {
  for (std::string_view k : {"ZEROS", "POLES", "CONSTANT"}) {
    if (line.size() < k.size() || !equal_folded(line.data(), k.data(), k.size())) continue;
    if (line.size() == k.size() || is_space(line[k.size()])) return k;
  }
  return {};
}

// Exactly `n` numbers on the line (after `skip` characters), nothing else.
bool numbers(std::string_view line, size_t skip, double* out, int n) {
  const char* p = line.data() + skip;
  const char* end = line.data() + line.size();
  for (int i = 0; i < n; ++i) {
    p = scan_double(p, end, out[i]);
    if (p == nullptr || !std::isfinite(out[i])) return false;
  }
  return trimmed(std::string_view(p, static_cast<size_t>(end - p))).empty();
}

struct Section {
  std::vector<std::complex<double>>* roots = nullptr;
  int count = 0;   // declared
  int listed = 0;  // lines read
};

class Parser {
 public:
  explicit Parser(PoleZero& pz) : pz_(pz) {}
  // Returns false with why_ set when the line is wrong.
  bool take(std::string_view line);
  bool finish();
  std::string why_;

 private:
  bool open(std::string_view key, std::string_view line);
  static void fill(Section& s);

  PoleZero& pz_;
  Section zeros_, poles_;
  Section* current_ = nullptr;
  bool constant_ = false;
};

bool Parser::take(std::string_view line) {
  if (std::string_view key = keyword(line); !key.empty()) return open(key, line);
  double re_im[2];
  if (current_ == nullptr || !numbers(line, 0, re_im, 2)) {
    why_ = "not a keyword nor a root (two numbers)";
    return false;
  }
  if (++current_->listed > current_->count) {
    why_ = "more roots listed than counted";
    return false;
  }
  current_->roots->emplace_back(re_im[0], re_im[1]);
  return true;
}

bool Parser::open(std::string_view key, std::string_view line) {
  double v;
  if (!numbers(line, key.size(), &v, 1)) {
    why_ = std::string(key) + " without its number";
    return false;
  }
  if (key == "CONSTANT") {
    if (constant_) why_ = "CONSTANT given twice";
    pz_.constant = v;
    constant_ = true;
    current_ = nullptr;
    return why_.empty();
  }
  Section& s = key == "ZEROS" ? zeros_ : poles_;
  if (s.roots != nullptr) {
    why_ = std::string(key) + " given twice";
    return false;
  }
  if (!(v >= 0 && v <= most_roots && v == std::floor(v))) {
    why_ = std::string(key) + " count out of range 0 ... 1000";
    return false;
  }
  s.roots = key == "ZEROS" ? &pz_.zeros : &pz_.poles;
  s.count = static_cast<int>(v);
  current_ = &s;
  return true;
}

// The roots counted but not listed lie at the origin.
void Parser::fill(Section& s) {
  if (s.roots != nullptr) s.roots->resize(static_cast<size_t>(s.count));
}

bool Parser::finish() {
  fill(zeros_);
  fill(poles_);
  if (pz_.zeros.empty() && pz_.poles.empty() && !constant_) {
    why_ = "neither a root nor a constant";
    return false;
  }
  return true;
}

}  // namespace

bool is_pole_zero(std::string_view text) {
  text = without_bom(text);
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = content(text.substr(0, end));
    if (!skipped(line)) return !keyword(line).empty();
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return false;
}

int parse_pole_zero(std::string_view text, PoleZero& pz, int& line, std::string& why) {
  Parser parser(pz);
  line = 0;
  text = without_bom(text);
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view row = content(text.substr(0, end));
    ++line;
    if (!skipped(row) && !parser.take(row)) {
      why = parser.why_;
      return -1;
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  if (!parser.finish()) {
    why = parser.why_;
    return -1;
  }
  return 0;
}

// Summed as logarithms and angles: a product of many roots would leave the
// double range long before the response does. Each root off the imaginary
// axis on the left adds an angle within (-90, 90) degrees, continuous in f.
// log |d|^2: the squared magnitude spares a square root, except where it
// would leave the double range that |d| itself stays in.
double log_squared_magnitude(std::complex<double> d) {
  double n = std::norm(d);
  return n > 0 && std::isfinite(n) ? std::log(n) : 2 * std::log(std::abs(d));
}

void pole_zero_at(const PoleZero& pz, double f, double& amplitude, double& degrees) {
  std::complex<double> s(0, 2 * std::numbers::pi * f);
  double log_squared = 2 * std::log(std::fabs(pz.constant));
  double angle = pz.constant < 0 ? std::numbers::pi : 0;
  for (const auto& z : pz.zeros)
    log_squared += log_squared_magnitude(s - z), angle += std::arg(s - z);
  for (const auto& p : pz.poles)
    log_squared -= log_squared_magnitude(s - p), angle -= std::arg(s - p);
  amplitude = std::exp(log_squared / 2);
  degrees = angle * 180 / std::numbers::pi;
}

void evaluate_pole_zero(const PoleZero& pz, const std::vector<double>& frequencies,
                        PointList& amplitudes, PointList& phases) {
  constexpr double turn = 360;
  for (double f : frequencies) {
    double amplitude, degrees;
    pole_zero_at(pz, f, amplitude, degrees);
    amplitudes.push_back({f, amplitude});
    phases.push_back({f, std::remainder(degrees, turn)});
  }
}

bool pole_zero_band(const PoleZero& pz, double& lo, double& hi) {
  double least = HUGE_VAL, most = 0;
  for (const auto* roots : {&pz.zeros, &pz.poles}) {
    for (const auto& r : *roots) {
      double f = std::abs(r) / (2 * std::numbers::pi);
      if (f > 0) least = std::min(least, f), most = std::max(most, f);
    }
  }
  constexpr double decade = 10;
  // Roots at the ends of the double range would give no finite range.
  if (!(most > 0 && least / decade > 0 && std::isfinite(most * decade))) return false;
  lo = least / decade, hi = most * decade;
  return true;
}

ComputedResponse pole_zero_response(PoleZero pz) {
  ComputedResponse r;
  pole_zero_band(pz, r.lo, r.hi);
  r.units = pole_zero_units;
  r.at = [pz = std::move(pz)](double f, double& amplitude, double& degrees) {
    pole_zero_at(pz, f, amplitude, degrees);
  };
  return r;
}
