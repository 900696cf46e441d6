#include "input/read_responses.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/messages.h"
#include "core/unwrap.h"
#include "input/read_in.h"
#include "input/str2graph.h"

namespace {

// "-" stands for standard input; a file of that name is ./-.
const char* file_of(const char* path) {
  return strcmp(path, "-") == 0 ? "/dev/stdin" : path;
}

// The points (and with phases the phases) of a file's text, which is
// released once they are out; the phase column is read only when shown.
int extract(FileText text, bool with_phases, Curve& curve) {
  return with_phases ? str2graph_with_phases(std::move(text), curve.points, curve.phases)
                     : str2graph(std::move(text), curve.points);
}

// Why the file named with `key` could not be read, for the user.
void diagnose_read(const char* key, const char* path, int error) {
  std::string cause = last_error == message::file_read_error ? "it changed while it was read"
                      : error != 0                           ? strerror(error)
                                   : "no data: the file is empty or begins with a Ctrl-Z byte";
  diagnose(std::string(key) + path + ": " + cause);
}

int read_response(const char* key, const char* path, bool with_phases, Curve& curve,
                  FileIdentity& source) {
  FileText text;
  if (read_in(file_of(path), text, &source) < 0) {
    diagnose_read(key, path, errno);
    return response_not_read;
  }
  int status = extract(std::move(text), with_phases, curve);
  if (status == file_cut_short) {
    diagnose_read(key, path, 0);
    return response_not_read;
  }
  if (status < 0) {
    diagnose(std::string(key) + path + ": no line begins with two numbers (frequency, amplitude)");
    return no_response_points;
  }
  return 0;
}

int read_all(const PlotOptions& o, Responses& r) {
  for (int i = 0; i < max_inputs; ++i) {
    const char* path = input_path(o, i);
    if (path[0] == '\0') continue;
    Curve curve{{}, {}, input_keys[i].color, i, {}, {}};
    FileIdentity source;
    if (int status = read_response(input_keys[i].in_key, path, o.phase, curve, source);
        status < 0) {
      if (i > 0) last_error = last_error + ": " + input_keys[i].in_key + path;
      return status;
    }
    if (o.unwrap) unwrap_phase(curve.phases);
    r.curves.push_back(std::move(curve));
    r.sources.push_back(source);
    if (o.names[i][0] != '\0') r.legend.push_back({o.names[i], r.curves.size() - 1});
  }
  return 0;
}

}  // namespace

int read_responses(const PlotOptions& options, Responses& responses) {
  try {
    responses.curves.reserve(max_inputs);
    return read_all(options, responses);
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, no_response_points);
  }
}
