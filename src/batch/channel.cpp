#include "batch/channel.h"

#include <cstring>

#include "core/descriptor.h"

namespace {

// An answer's status as the batch takes them: 0 to 255. No picture's
// first bytes read as a length and such a status.
constexpr int32_t most_status = 0xff;

bool receive_message(int fd, std::string& message) {
  uint32_t size;
  if (!read_all(fd, &size, sizeof size)) return false;
  message.resize(size);
  return read_all(fd, message.data(), size);
}

bool is_answer(uint32_t size, int32_t status, size_t request_size) {
  return size >= sizeof status && size <= most_answer + request_size && status >= 0 &&
         status <= most_status;
}

// A verdict's numbers, each field copied on its own so that no padding
// travels.
void put_numbers(const JobVerdict& v, std::string& out) {
  auto put = [&out](const auto& field) {
    out.append(reinterpret_cast<const char*>(&field), sizeof field);
  };
  put(v.db), put(v.db_at), put(v.deg), put(v.deg_at), put(v.not_judged);
  out.push_back(static_cast<char>(v.measured));
  out.push_back(static_cast<char>(v.phase));
  out.push_back(static_cast<char>(v.judgement));
}

constexpr size_t numbers_size = 4 * sizeof(double) + sizeof(unsigned long long) + 3;

// Text up to the next NUL from `at`, which moves past it; false if none.
bool take_text(const std::string& body, size_t& at, std::string& text) {
  size_t end = body.find('\0', at);
  if (end == std::string::npos) return false;
  text.assign(body, at, end - at);
  at = end + 1;
  return true;
}

bool take_numbers(const std::string& body, size_t& at, JobVerdict& v) {
  if (body.size() - at < numbers_size) return false;
  auto take = [&body, &at](auto& field) {
    memcpy(&field, body.data() + at, sizeof field);
    at += sizeof field;
  };
  take(v.db), take(v.db_at), take(v.deg), take(v.deg_at), take(v.not_judged);
  v.measured = body[at++] != 0;
  v.phase = body[at++] != 0;
  auto judgement = static_cast<unsigned char>(body[at++]);
  if (judgement > static_cast<unsigned char>(Judgement::not_judged)) return false;
  v.judgement = static_cast<Judgement>(judgement);
  return true;
}

// The message and the verdicts after the status; false where they do not
// read as the worker writes them.
bool take_answer(const std::string& body, JobAnswer& answer) {
  size_t at = sizeof(int32_t);
  if (!take_text(body, at, answer.message)) return false;
  answer.verdicts.clear();
  while (at < body.size()) {
    JobVerdict v;
    if (!take_text(body, at, v.key) || !take_text(body, at, v.line) || !take_numbers(body, at, v)) {
      return false;
    }
    answer.verdicts.push_back(std::move(v));
  }
  return true;
}

}  // namespace

void frame_message(std::string& message) {
  uint32_t size = static_cast<uint32_t>(message.size());
  message.insert(0, reinterpret_cast<const char*>(&size), sizeof size);
}

bool send_message(int fd, std::string& message) {
  frame_message(message);
  return write_all(fd, message.data(), message.size());
}

bool receive_job(int fd, std::string& message, std::vector<const char*>& argv) {
  if (!receive_message(fd, message) || message.empty() || message.back() != '\0') return false;
  argv.assign(1, "afcdraw");
  for (size_t at = 0; at < message.size(); at = message.find('\0', at) + 1) {
    argv.push_back(message.c_str() + at);
  }
  return true;
}

bool send_answer(int fd, int status, const char* message, const std::vector<JobVerdict>& verdicts,
                 std::string& buffer) {
  int32_t code = status;
  buffer.assign(reinterpret_cast<const char*>(&code), sizeof code);
  buffer.append(message).push_back('\0');
  for (const JobVerdict& v : verdicts) {
    buffer.append(v.key).push_back('\0');
    buffer.append(v.line).push_back('\0');
    put_numbers(v, buffer);
  }
  return send_message(fd, buffer);
}

Answer receive_answer(int fd, size_t request_size, JobAnswer& answer) {
  uint32_t size;
  int32_t status;
  if (!read_all(fd, &size, sizeof size)) return Answer::ended;
  if (size < sizeof status || size > most_answer + request_size) return Answer::garbled;
  std::string body(size, '\0');
  if (!read_all(fd, body.data(), size)) return Answer::ended;
  memcpy(&status, body.data(), sizeof status);
  if (!is_answer(size, status, request_size) || !take_answer(body, answer)) {
    return Answer::garbled;
  }
  answer.status = status;
  return Answer::answered;
}
