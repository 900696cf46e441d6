#include <algorithm>

#include "metadata/channel_filter.h"
#include "metadata/resp_channel.h"
#include "response/units.h"

namespace {

// The rows of `field`; false (naming the count's line) unless there are
// exactly `count` of them, each with at least `numbers` numbers.
bool rows_of(const RespBlockette& b, int count_field, int count, int field, size_t numbers,
             std::vector<const RespRow*>& rows, std::string& why) {
  rows.clear();
  for (const RespRow& row : b.rows) {
    if (row.field != field) continue;
    if (row.numbers.size() < numbers) {
      why = at_line(row.line, "a row with fewer than " + std::to_string(numbers) + " numbers");
      return false;
    }
    rows.push_back(&row);
  }
  if (static_cast<int>(rows.size()) != count) {
    const RespField* f = find_field(b, count_field);
    why = at_line(f != nullptr ? f->line : b.line,
                  std::to_string(count) + " declared, " + std::to_string(rows.size()) + " listed");
    return false;
  }
  return true;
}

bool stage_number(const RespBlockette& b, int field, bool zero_allowed, int& n, std::string& why) {
  if (!field_count(b, field, most_stage_number, n, why)) return false;
  if (n == 0 && !zero_allowed) {
    why = at_line(find_field(b, field)->line, "stage 0 holds only the sensitivity");
    return false;
  }
  return true;
}

bool units(const RespBlockette& b, int in_field, Stage& s, std::string& why) {
  std::string_view in, out;
  if (!field_text(b, in_field, in, why) || !field_text(b, in_field + 1, out, why)) return false;
  s.input_units = std::string(units_word(in)), s.output_units = std::string(units_word(out));
  return true;
}

// The stage a transfer blockette describes; false when another blockette
// described it already (a B054 continuing a B054 FIR excepted).
bool transfer_stage(const RespBlockette& b, int field, RespChannel& c, Stage*& s,
                    std::string& why) {
  int n;
  if (!stage_number(b, field, false, n, why)) return false;
  auto [at, fresh] = c.transfer_blockette.emplace(n, b.type);
  if (!fresh && !(b.type == 54 && at->second == 54 && c.stages[n].kind == StageKind::fir)) {
    why = at_line(b.line, "stage " + std::to_string(n) + " described twice");
    return false;
  }
  s = &c.stages[n];
  s->number = n;
  return true;
}

int pole_zero(const RespBlockette& b, RespChannel& c, std::string& why) {
  Stage* s;
  std::string_view type;
  if (!transfer_stage(b, 4, c, s, why) || !field_text(b, 3, type, why)) return -1;
  switch (type.empty() ? ' ' : type[0]) {
    case 'A':
      s->kind = StageKind::laplace_rad;
      break;
    case 'B':
      s->kind = StageKind::laplace_hz;
      break;
    case 'D':
      s->kind = StageKind::digital_pz;
      break;
    default:
      why = at_line(find_field(b, 3)->line, "a transfer function type not A, B nor D");
      return -1;
  }
  int nz, np;
  std::vector<const RespRow*> zeros, poles;
  if (!units(b, 5, *s, why) || !field_number(b, 7, s->a0, why) ||
      !field_number(b, 8, s->a0_frequency, why) || !field_count(b, 9, most_declared, nz, why) ||
      !field_count(b, 14, most_declared, np, why) || !rows_of(b, 9, nz, 10, 3, zeros, why) ||
      !rows_of(b, 14, np, 15, 3, poles, why)) {
    return -1;
  }
  for (const RespRow* r : zeros) s->zeros.emplace_back(r->numbers[1], r->numbers[2]);
  for (const RespRow* r : poles) s->poles.emplace_back(r->numbers[1], r->numbers[2]);
  return 0;
}

int coefficients(const RespBlockette& b, RespChannel& c, std::string& why) {
  Stage* s;
  std::string_view type;
  if (!transfer_stage(b, 4, c, s, why) || !field_text(b, 3, type, why)) return -1;
  if (type.empty() || type[0] != 'D') {
    why = at_line(find_field(b, 3)->line, "only digital (D) coefficient stages are evaluated");
    return -1;
  }
  int nn, nd;
  std::vector<const RespRow*> num, den;
  if (!units(b, 5, *s, why) || !field_count(b, 7, most_declared, nn, why) ||
      !field_count(b, 10, most_declared, nd, why) || !rows_of(b, 7, nn, 8, 2, num, why) ||
      !rows_of(b, 10, nd, 11, 2, den, why)) {
    return -1;
  }
  if (nd > 0 && s->kind == StageKind::fir) {
    why = at_line(b.line, "an IIR blockette continuing a FIR stage");
    return -1;
  }
  s->kind = nd > 0 ? StageKind::iir : StageKind::fir;
  for (const RespRow* r : num) s->numerators.push_back(r->numbers[1]);
  for (const RespRow* r : den) s->denominators.push_back(r->numbers[1]);
  return 0;
}

// B055 rows hold frequency, amplitude, its error, phase, its error, after
// an index in some writers' output.
constexpr size_t list_row_numbers = 5;

int response_list(const RespBlockette& b, RespChannel& c, std::string& why) {
  Stage* s;
  int n;
  std::vector<const RespRow*> rows;
  if (!transfer_stage(b, 3, c, s, why) || !units(b, 4, *s, why) ||
      !field_count(b, 6, most_declared, n, why) ||
      !rows_of(b, 6, n, 7, list_row_numbers, rows, why)) {
    return -1;
  }
  s->kind = StageKind::list;
  for (const RespRow* r : rows) {
    const size_t skip = r->numbers.size() - list_row_numbers;
    const double* v = r->numbers.data() + skip;
    if (!(v[0] >= 0) || (!s->list.empty() && !(v[0] > s->list.back().frequency))) {
      why = at_line(r->line, "list frequencies must rise");
      return -1;
    }
    s->list.push_back({v[0], v[1], v[3]});
  }
  return 0;
}

int fir(const RespBlockette& b, RespChannel& c, std::string& why) {
  Stage* s;
  std::string_view symmetry;
  int n;
  std::vector<const RespRow*> rows;
  if (!transfer_stage(b, 3, c, s, why) || !field_text(b, 5, symmetry, why) ||
      !units(b, 6, *s, why) || !field_count(b, 8, most_declared, n, why) ||
      !rows_of(b, 8, n, 9, 2, rows, why)) {
    return -1;
  }
  switch (symmetry.empty() ? ' ' : symmetry[0]) {
    case 'A':
      s->symmetry = FirSymmetry::none;
      break;
    case 'B':
      s->symmetry = FirSymmetry::odd;
      break;
    case 'C':
      s->symmetry = FirSymmetry::even;
      break;
    default:
      why = at_line(find_field(b, 5)->line, "a symmetry code not A, B nor C");
      return -1;
  }
  s->kind = StageKind::fir;
  for (const RespRow* r : rows) s->numerators.push_back(r->numbers[1]);
  return 0;
}

int polynomial(const RespBlockette& b, RespChannel& c, std::string& why) {
  Stage* s;
  int n;
  std::vector<const RespRow*> rows;
  if (!transfer_stage(b, 4, c, s, why) || !units(b, 5, *s, why) ||
      !field_count(b, 14, most_declared, n, why) || !rows_of(b, 14, n, 15, 2, rows, why)) {
    return -1;
  }
  s->kind = StageKind::polynomial;
  for (const RespRow* r : rows) s->polynomial.push_back(r->numbers[1]);
  return 0;
}

int decimation(const RespBlockette& b, RespChannel& c, std::string& why) {
  int n, factor;
  if (!stage_number(b, 3, false, n, why)) return -1;
  Stage& s = c.stages[n];
  s.number = n;
  if (s.has_decimation) {
    why = at_line(b.line, "stage " + std::to_string(n) + " decimated twice");
    return -1;
  }
  if (!field_number(b, 4, s.input_sample_rate, why) ||
      !field_count(b, 5, most_declared, factor, why) || !field_number(b, 7, s.delay, why) ||
      !field_number(b, 8, s.correction, why)) {
    return -1;
  }
  if (!(s.input_sample_rate > 0) || factor < 1) {
    why = at_line(b.line, "a sample rate or decimation factor not above 0");
    return -1;
  }
  s.decimation_factor = factor, s.has_decimation = true;
  return 0;
}

int gain(const RespBlockette& b, RespChannel& c, std::string& why) {
  int n;
  double value, frequency;
  if (!stage_number(b, 3, true, n, why) || !field_number(b, 4, value, why) ||
      !field_number(b, 5, frequency, why)) {
    return -1;
  }
  if (n == 0) {
    c.r.has_sensitivity = true, c.r.sensitivity = value, c.r.sensitivity_frequency = frequency;
    return 0;
  }
  Stage& s = c.stages[n];
  s.number = n;
  s.has_gain = true, s.gain = value, s.gain_frequency = frequency;
  return 0;
}

}  // namespace

int apply_channel_blockette(const RespBlockette& b, RespChannel& c, std::string& why) {
  std::string_view v;
  if (b.type == 50) {
    if (!field_text(b, 3, v, why)) return -1;
    c.r.station = std::string(v);
    if (const RespField* f = find_field(b, 16)) c.r.network = std::string(f->value);
    return 0;
  }
  if (!field_text(b, 4, v, why)) return -1;
  c.r.channel = std::string(v);
  c.has_channel = true;
  if (const RespField* f = find_field(b, 3)) {
    // rdseed writes an empty location as "??".
    c.r.location = f->value == "??" ? "" : std::string(f->value);
  }
  std::string_view start, end;
  if (!field_text(b, 22, start, why) || !field_text(b, 23, end, why)) return -1;
  // The channel's own rate, kept beside the one derived from its stages;
  // optional, as drawing never needed it.
  double rate;
  std::string ignored;
  if (find_field(b, 18) != nullptr && field_number(b, 18, rate, ignored) && rate > 0)
    c.r.header_sample_rate = rate;
  c.r.start = normal_time(start);
  c.r.end = end.starts_with("No Ending") ? "" : normal_time(end);
  if (c.r.start.empty() || (c.r.end.empty() && !end.starts_with("No Ending"))) {
    why = at_line(find_field(b, c.r.start.empty() ? 22 : 23)->line, "not a date");
    return -1;
  }
  return 0;
}

int apply_stage_blockette(const RespBlockette& b, RespChannel& c, std::string& why) {
  switch (b.type) {
    case 53:
      return pole_zero(b, c, why);
    case 54:
      return coefficients(b, c, why);
    case 55:
      return response_list(b, c, why);
    case 57:
      return decimation(b, c, why);
    case 58:
      return gain(b, c, why);
    case 61:
      return fir(b, c, why);
    case 62:
      return polynomial(b, c, why);
    case 60:
      why = at_line(b.line, "blockette 60 refers to responses the file does not hold");
      return -1;
    default:
      return 0;
  }
}
