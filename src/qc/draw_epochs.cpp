#include "qc/draw_epochs.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/last_error.h"

namespace {

// One process's share: epochs first, first + step, ...
struct Drawer {
  pid_t pid = -1;
  int answers = -1;  // the read end of its pipe; -1 once at its end
  std::string pending;
};

void write_all(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

// A field of an answer line: tabs and line breaks would split it.
std::string field(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

std::string answer_line(size_t index, int status, const std::vector<Verdict>& verdicts) {
  bool judged = status >= 0 && !verdicts.empty();
  const Verdict* v = judged ? &verdicts.front() : nullptr;
  char head[96];
  snprintf(head, sizeof head, "%zu\t%d\t%d\t%d\t%d\t%.17g\t", index, status, judged ? 1 : 0,
           v != nullptr && v->within ? 1 : 0, v != nullptr && v->measured ? 1 : 0,
           v != nullptr ? v->db : 0.0);
  std::string message = status < 0 ? last_error : judged ? verdict_line(*v) : "";
  return head + field(message) + "\n";
}

[[noreturn]] void serve(const std::vector<ChannelResponse>& epochs,
                        const std::vector<std::vector<std::string>>& commands, size_t first,
                        size_t step, EpochRun run, int answers) {
  int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  for (size_t i = first; i < epochs.size(); i += step) {
    if (!epochs[i].unreadable.empty()) {  // its stages are incomplete: no picture of them
      last_error = "not drawn: the epoch could not be read";
      write_all(answers, answer_line(i, -1, {}));
      continue;
    }
    std::vector<const char*> argv;
    for (const std::string& w : commands[i]) argv.push_back(w.c_str());
    argv.push_back(nullptr);
    std::vector<Verdict> verdicts;
    int status = run(static_cast<int>(commands[i].size()), argv.data(), epochs[i], verdicts);
    write_all(answers, answer_line(i, status, verdicts));
  }
  _exit(0);
}

void take_line(const std::string& line, std::vector<DrawnEpoch>& drawn) {
  char* end = nullptr;
  size_t index = strtoul(line.c_str(), &end, 10);
  if (index >= drawn.size()) return;
  DrawnEpoch& d = drawn[index];
  int judged = 0, within = 0, measured = 0, used = 0;
  if (sscanf(end, "\t%d\t%d\t%d\t%d\t%lg\t%n", &d.status, &judged, &within, &measured, &d.db,
             &used) < 5)
    return;
  d.judged = judged != 0;
  d.within = within != 0;
  d.measured = measured != 0;
  d.message = std::string(end + used);
  d.answered = true;
}

// Reads what is there; false at the pipe's end.
bool read_some(Drawer& d, std::vector<DrawnEpoch>& drawn) {
  char buffer[4096];
  ssize_t n = read(d.answers, buffer, sizeof buffer);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  if (n <= 0) return false;
  d.pending.append(buffer, static_cast<size_t>(n));
  for (size_t end; (end = d.pending.find('\n')) != std::string::npos;) {
    take_line(d.pending.substr(0, end), drawn);
    d.pending.erase(0, end + 1);
  }
  return true;
}

void collect(std::vector<Drawer>& drawers, std::vector<DrawnEpoch>& drawn) {
  for (;;) {
    std::vector<pollfd> polled;
    std::vector<Drawer*> owners;
    for (Drawer& d : drawers) {
      if (d.answers < 0) continue;
      polled.push_back({d.answers, POLLIN, 0});
      owners.push_back(&d);
    }
    if (polled.empty()) return;
    if (poll(polled.data(), polled.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (size_t i = 0; i < polled.size(); ++i) {
      if (polled[i].revents == 0 || read_some(*owners[i], drawn)) continue;
      close(owners[i]->answers);
      owners[i]->answers = -1;
    }
  }
}

}  // namespace

std::vector<DrawnEpoch> draw_epochs(const std::vector<ChannelResponse>& epochs,
                                    const std::vector<std::vector<std::string>>& commands, int jobs,
                                    EpochRun run) {
  std::vector<DrawnEpoch> drawn(epochs.size());
  size_t step = std::min<size_t>(static_cast<size_t>(jobs), epochs.size());
  std::vector<Drawer> drawers(step);
  fflush(nullptr);  // nothing buffered is written twice by a child
  for (size_t k = 0; k < step; ++k) {
    int ends[2];
    if (pipe(ends) != 0) continue;
    drawers[k].pid = fork();
    if (drawers[k].pid == 0) {
      close(ends[0]);
      serve(epochs, commands, k, step, run, ends[1]);
    }
    close(ends[1]);
    if (drawers[k].pid < 0) {
      close(ends[0]);
      continue;
    }
    drawers[k].answers = ends[0];
  }
  collect(drawers, drawn);
  for (const Drawer& d : drawers) {
    if (d.pid > 0) waitpid(d.pid, nullptr, 0);
  }
  return drawn;
}
