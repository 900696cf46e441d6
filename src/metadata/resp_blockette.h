#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of one blockette as a RESP file prints it: "B053F07  A0
// normalization factor:  98695.9" fields, and "B053F10-13  0  -1.0  0.5
// ..." rows of numbers.
struct RespField {
  int field = 0, line = 0;
  std::string_view value;  // the text after the label's colon, trimmed
};
struct RespRow {
  int field = 0, line = 0;
  std::vector<double> numbers;
};
struct RespBlockette {
  int type = 0;  // the blockette number: 53 for B053
  int line = 0;  // its first line, from 1
  std::vector<RespField> fields;
  std::vector<RespRow> rows;
  int last_field = 0;  // the field (not row) read last
};

// One line of RESP text read: its blockette and field, and the value or
// numbers it holds. Returns 0 for a field or row, 1 for a comment or blank
// line, or -1 with `why` for a line that is neither (or holds a number out
// of range).
struct RespLine {
  int type = 0, field = 0;
  bool row = false;  // "FNN-NN": a row of numbers
  std::string_view value;
  std::vector<double> numbers;
};
int read_resp_line(std::string_view text, RespLine& out, std::string& why);

// Whether `line` begins a new blockette after `current`: another type, or
// a field (not a row) at or before the last field read.
bool starts_blockette(const RespBlockette& current, const RespLine& line);

// Adds the line (numbered `number`, from 1) to the blockette.
void add_line(RespBlockette& b, RespLine& line, int number);

// Field look-ups: the first field `field`, or nullptr. The number readers
// return false (and set `why`, naming the line) when the field is missing
// or its value is not a finite number, or not a count 0 ... most.
const RespField* find_field(const RespBlockette& b, int field);
bool field_number(const RespBlockette& b, int field, double& value, std::string& why);
bool field_count(const RespBlockette& b, int field, int most, int& value, std::string& why);
bool field_text(const RespBlockette& b, int field, std::string_view& value, std::string& why);

// "line N: " + what, the form of every message about the text.
std::string at_line(int line, const std::string& what);
