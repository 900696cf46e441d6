#include "batch/split_words.h"

#include "core/messages.h"

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

bool escapable_in_double_quotes(char c) {
  return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n';
}

}  // namespace

bool split_words(std::string_view line, std::vector<std::string>& words, std::string& why) {
  words.clear();
  std::string word;
  bool in_word = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (is_blank(c)) {
      if (in_word) words.push_back(std::move(word)), word.clear();
      in_word = false;
      continue;
    }
    if (c == '#' && !in_word) break;  // a comment, as at a shell prompt
    in_word = true;
    if (c == '\\') {
      if (++i == line.size()) return why = message::backslash_ends_line, false;
      word += line[i];
    } else if (c == '\'') {
      size_t end = line.find('\'', i + 1);
      if (end == std::string_view::npos) return why = message::unterminated_single_quote, false;
      word.append(line.substr(i + 1, end - i - 1));
      i = end;
    } else if (c == '"') {
      for (++i;; ++i) {
        if (i == line.size()) return why = message::unterminated_double_quote, false;
        if (line[i] == '"') break;
        if (line[i] == '\\' && i + 1 < line.size() && escapable_in_double_quotes(line[i + 1])) ++i;
        word += line[i];
      }
    } else {
      word += c;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return true;
}
