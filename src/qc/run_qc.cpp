#include "qc/run_qc.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/ascii_case.h"
#include "core/diagnostic.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "qc/check_epoch.h"
#include "qc/epoch_command.h"
#include "qc/finding.h"
#include "qc/nominal_table.h"
#include "qc/picture_name.h"
#include "qc/qc_args.h"
#include "qc/qc_outputs.h"
#include "qc/read_inventories.h"
#include "qc/shard.h"

namespace {

// As a run's own failures: the command line, a file not read, a file not
// usable, the output not written.
constexpr int command_line_failed = 255;
constexpr int file_not_read = 254;
constexpr int file_unusable = 253;
constexpr int outputs_not_written = 252;
constexpr int check_failed = 1;

int failure(int status, const std::string& why = "") {
  if (!why.empty()) diagnose(why);
  printf("%s\n", last_error.c_str());
  return status;
}

int read_failure(int read) {
  return failure(read == inventory_not_read ? file_not_read : file_unusable);
}

// OUTDIR= made where missing (one level, as mkdir makes it).
int make_outdir(const std::string& outdir) {
  struct stat st;
  if (mkdir(outdir.c_str(), 0777) == 0 || (stat(outdir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
    return 0;
  int error = errno == 0 || errno == EEXIST ? ENOTDIR : errno;
  last_error = std::string(message::incorrect_prefix) + "OUTDIR=" + message::incorrect_suffix;
  return failure(command_line_failed, "OUTDIR=" + outdir + ": " + strerror(error));
}

// The shard's epochs, in the order of their channels and starts, so that
// the outputs do not depend on the order of the inventories.
std::vector<ChannelResponse> shard_of(std::vector<ChannelResponse> all, const QcArgs& args) {
  std::vector<ChannelResponse> kept;
  for (ChannelResponse& r : all) {
    if (in_shard(qc_channel_name(r), args.shard, args.shards)) kept.push_back(std::move(r));
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [](const ChannelResponse& a, const ChannelResponse& b) {
                     std::string x = qc_channel_name(a), y = qc_channel_name(b);
                     return x != y ? x < y : a.start < b.start;
                   });
  return kept;
}

QcFinding nominal_finding(const std::string& nominal, const QcArgs& args, const DrawnEpoch& d) {
  const char* id = "nominal";
  std::string limit = args.tol.empty() ? "" : "TOL=" + args.tol;
  if (args.nominal.empty()) return not_checked(id, limit, "no NOMINAL= given");
  if (nominal.empty()) return not_checked(id, limit, "no NOMINAL= table line matches the channel");
  if (!d.judged) return not_checked(id, limit, "not compared: the picture could not be drawn");
  return qc_finding(id, pass_if(d.within), d.measured ? qc_number(std::abs(d.db), "dB") : "", limit,
                    "against " + nominal + ": " + d.message);
}

// The picture's finding where it could not be drawn; its name where it was.
void take_picture(QcEpoch& row, const DrawnEpoch& d, const std::string& name) {
  if (d.answered && d.status >= 0) {
    row.picture = name;
    return;
  }
  std::string why = d.answered ? d.message : "the process drawing it ended without an answer";
  row.findings.push_back(qc_finding("picture", QcResult::fail, "", "", why));
}

int exit_status(const std::vector<QcEpoch>& rows, bool strict) {
  int status = 0;
  for (const QcEpoch& e : rows) {
    for (const QcFinding& f : e.findings) {
      if (f.result == QcResult::fail || (strict && f.result == QcResult::not_checked))
        status = check_failed;
    }
  }
  return status;
}

void report_time(const std::vector<QcEpoch>& rows, std::chrono::steady_clock::time_point began) {
  size_t failed = 0, unchecked = 0;
  for (const QcEpoch& e : rows) {
    QcResult r = qc_epoch_result(e);
    failed += r == QcResult::fail;
    unchecked += r == QcResult::not_checked;
  }
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
  char text[160];
  snprintf(text, sizeof text, "--qc: %zu channel epochs, %zu failed, %zu not fully checked, %.2f s",
           rows.size(), failed, unchecked, took.count());
  diagnose(text);
}

// Reads the command line, the inventories and NOMINAL=, and makes OUTDIR:
// 0, or the exit status of what failed, its message printed.
int prepare_check(int argc, const char* const argv[], QcArgs& args,
                  std::vector<ChannelResponse>& all, NominalTable& table) {
  std::string why;
  if (read_qc_args(argc, argv, args, why) < 0) return failure(command_line_failed, why);
  if (int read = read_inventories(args.inventories, args.filter, all); read < 0)
    return read_failure(read);
  if (all.empty()) {
    last_error = message::no_channel_epoch;
    return failure(file_unusable, "no channel epoch of the inventories matches CHANNEL= and TIME=");
  }
  if (!args.nominal.empty()) {
    if (int read = read_nominal(args.nominal, table); read < 0) return read_failure(read);
  }
  return make_outdir(args.outdir);
}

// What each epoch needs drawn: its picture's name, nominal file and command line.
struct EpochPlan {
  std::vector<std::string> names, nominals;
  std::vector<std::vector<std::string>> commands;
};

EpochPlan plan_epochs(const std::vector<ChannelResponse>& epochs, const QcArgs& args,
                      const NominalTable& table) {
  EpochPlan plan;
  std::string extension = equal_folded(args.format.c_str(), "SVG", sizeof "SVG") ? "svg" : "png";
  for (const ChannelResponse& r : epochs) plan.names.push_back(picture_name(r, extension));
  make_names_unique(plan.names);
  for (size_t i = 0; i < epochs.size(); ++i) {
    plan.nominals.push_back(nominal_for(table, epochs[i]));
    plan.commands.push_back(epoch_command(
        epochs[i], {args.outdir, plan.names[i], args.format, plan.nominals.back(), args.tol}));
  }
  return plan;
}

}  // namespace

int run_qc(int argc, const char* const argv[], EpochRun run) {
  const auto began = std::chrono::steady_clock::now();
  QcArgs args;
  std::vector<ChannelResponse> all;
  NominalTable table;
  if (int status = prepare_check(argc, argv, args, all, table); status != 0) return status;
  std::vector<ChannelResponse> epochs = shard_of(std::move(all), args);
  std::vector<QcEpoch> rows;
  for (const ChannelResponse& r : epochs) rows.push_back(check_epoch(r));
  EpochPlan plan = plan_epochs(epochs, args, table);
  std::vector<DrawnEpoch> drawn = draw_epochs(epochs, plan.commands, args.jobs, run);
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i].findings.push_back(nominal_finding(plan.nominals[i], args, drawn[i]));
    take_picture(rows[i], drawn[i], plan.names[i]);
  }
  errno = 0;
  if (write_qc_outputs(args.outdir, rows) < 0) {
    std::string cause = errno != 0 ? strerror(errno) : last_error;
    last_error = message::qc_not_written;
    return failure(outputs_not_written, "OUTDIR=" + args.outdir + ": " + cause);
  }
  report_time(rows, began);
  return exit_status(rows, args.strict);
}
