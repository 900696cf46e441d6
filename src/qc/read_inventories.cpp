#include "qc/read_inventories.h"

#include <cerrno>
#include <cstring>

#include "core/diagnostic.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "input/file_text.h"
#include "input/read_in.h"
#include "metadata/read_resp.h"
#include "metadata/read_stationxml.h"

namespace {

int read_one(const std::string& path, const ChannelFilter& filter,
             std::vector<ChannelResponse>& epochs) {
  FileText text;
  if (read_in(path.c_str(), text) < 0) {
    diagnose(path + ": " + (errno != 0 ? strerror(errno) : "no data"));
    return inventory_not_read;
  }
  std::string why;
  size_t before = epochs.size();
  int read = -1;
  if (is_resp(text.view())) {
    read = read_resp(text.view(), filter, epochs, why, BrokenEpochs::keep);
    why = path + ": " + why;  // the RESP reader names the line alone
  } else if (is_stationxml(text.view())) {
    read = read_stationxml_text(text.view(), path, filter, epochs, why, BrokenEpochs::keep);
  } else {
    why = path + ": neither StationXML nor RESP";
  }
  if (read < 0) {
    epochs.resize(before);
    diagnose(why);
    last_error = message::bad_metadata;
    return inventory_unusable;
  }
  for (size_t i = before; i < epochs.size(); ++i) {
    if (epochs[i].source.empty()) epochs[i].source = path;
  }
  return 0;
}

}  // namespace

int read_inventories(const std::vector<std::string>& paths, const ChannelFilter& filter,
                     std::vector<ChannelResponse>& epochs) {
  for (const std::string& path : paths) {
    if (int status = read_one(path, filter, epochs); status < 0) return status;
  }
  return 0;
}
