#include "qc/qc_merge.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/ascii_case.h"
#include "core/diagnostic.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "qc/place_picture.h"
#include "qc/qc_outputs.h"
#include "qc/read_summary.h"

namespace {

constexpr int command_line_failed = 255;
constexpr int shard_unreadable = 254;
constexpr int not_written = 252;  // as a picture not written
constexpr int some_failed = 1;
constexpr int first_merge_arg = 2;  // after the program and --qc-merge
constexpr char outdir_key[] = "OUTDIR=";
constexpr mode_t folder_mode = 0777;  // less the umask, as mkdir(1) makes it

struct MergeArgs {
  std::vector<std::string> shards;
  std::string outdir;
  bool strict = false;
};

// A shard's epochs, each with the folder it came from.
struct Gathered {
  std::vector<QcEpoch> epochs;
  std::vector<size_t> shard_of;
};

int refuse(const char* message, int status, const std::string& why) {
  printf("%s\n", message);
  diagnose(why);
  return status;
}

bool read_args(int argc, const char* const argv[], MergeArgs& args) {
  for (int i = first_merge_arg; i < argc; ++i) {
    if (equal_folded(argv[i], outdir_key, sizeof outdir_key - 1)) {
      args.outdir = argv[i] + sizeof outdir_key - 1;
    } else if (equal_folded(argv[i], "-strict", sizeof "-strict")) {
      args.strict = true;
    } else if (argv[i][0] == '-') {
      diagnose(std::string("--qc-merge: unknown switch ") + argv[i] + " (a folder: ./" + argv[i] +
               ")");
      return false;
    } else {
      args.shards.push_back(argv[i]);
    }
  }
  return !args.shards.empty() && !args.outdir.empty();
}

int read_shards(const MergeArgs& args, Gathered& all) {
  for (size_t s = 0; s < args.shards.size(); ++s) {
    std::string path = args.shards[s] + "/summary.json";
    std::string text;
    if (int error = read_bytes(path, text); error != 0) {
      return refuse(message::qc_shard_unreadable, shard_unreadable, path + ": " + strerror(error));
    }
    size_t before = all.epochs.size();
    if (read_summary(text, all.epochs) < 0) {
      return refuse(message::qc_shard_unreadable, shard_unreadable, path + ": " + last_error);
    }
    all.shard_of.resize(all.epochs.size(), s);
    for (size_t e = before; e < all.epochs.size(); ++e) {
      const std::string& picture = all.epochs[e].picture;
      if (!picture.empty() && !picture_name_inside(picture)) {
        return refuse(message::qc_shard_unreadable, shard_unreadable,
                      path + ": picture \"" + picture + "\" lies outside the folder");
      }
    }
  }
  return 0;
}

// Where an epoch or a picture name comes twice, the merge would keep one
// finding of two, or one picture of two: it refuses.
int refuse_overlaps(const MergeArgs& args, const Gathered& all) {
  std::map<std::pair<std::string, std::string>, size_t> epochs;
  std::map<std::string, size_t> pictures;
  for (size_t e = 0; e < all.epochs.size(); ++e) {
    const QcEpoch& epoch = all.epochs[e];
    const std::string& here = args.shards[all.shard_of[e]];
    auto [at, fresh] = epochs.try_emplace({epoch.channel, epoch.start}, all.shard_of[e]);
    if (!fresh) {
      return refuse(message::qc_shards_overlap, shard_unreadable,
                    "channel epoch " + epoch.channel + " from " + epoch.start + " in " +
                        args.shards[at->second] + " and " + here);
    }
    if (epoch.picture.empty()) continue;
    auto [was, new_name] = pictures.try_emplace(epoch.picture, all.shard_of[e]);
    if (!new_name) {
      return refuse(
          message::qc_shards_overlap, shard_unreadable,
          "picture " + epoch.picture + " in " + args.shards[was->second] + " and " + here);
    }
  }
  return 0;
}

int place_all(const MergeArgs& args, const Gathered& all) {
  if (mkdir(args.outdir.c_str(), folder_mode) != 0 && errno != EEXIST) {
    return refuse(message::qc_files_not_written, not_written,
                  "OUTDIR=" + args.outdir + ": " + strerror(errno));
  }
  for (size_t e = 0; e < all.epochs.size(); ++e) {
    const std::string& picture = all.epochs[e].picture;
    if (picture.empty()) continue;
    int placed = place_picture(args.shards[all.shard_of[e]], args.outdir, picture);
    if (placed == -1) return refuse(message::qc_shard_unreadable, shard_unreadable, last_error);
    if (placed < 0) return refuse(message::qc_files_not_written, not_written, last_error);
  }
  return 0;
}

int merged_status(const std::vector<QcEpoch>& epochs, bool strict) {
  for (const QcEpoch& e : epochs) {
    QcResult result = qc_epoch_result(e);
    if (result == QcResult::fail || (strict && result == QcResult::not_checked)) {
      return some_failed;
    }
  }
  return 0;
}

}  // namespace

int run_qc_merge(int argc, const char* const argv[]) {
  MergeArgs args;
  if (!read_args(argc, argv, args)) {
    return refuse(message::qc_merge_usage, command_line_failed,
                  "--qc-merge needs one shard folder or more and OUTDIR=");
  }
  Gathered all;
  if (int status = read_shards(args, all); status != 0) return status;
  if (int status = refuse_overlaps(args, all); status != 0) return status;
  if (int status = place_all(args, all); status != 0) return status;
  if (write_qc_outputs(args.outdir, all.epochs) < 0) {
    return refuse(message::qc_files_not_written, not_written,
                  "OUTDIR=" + args.outdir + ": " + last_error);
  }
  return merged_status(all.epochs, args.strict);
}
