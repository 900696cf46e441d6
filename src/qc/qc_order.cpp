#include "qc/qc_order.h"

#include <algorithm>
#include <tuple>

#include "qc/qc_text.h"

namespace {

auto finding_key(const QcFinding& f) {
  return std::tie(f.check, f.result, f.value, f.limit, f.message);
}

bool findings_before(const std::vector<QcFinding>& a, const std::vector<QcFinding>& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](const QcFinding& x, const QcFinding& y) { return finding_key(x) < finding_key(y); });
}

bool epoch_before(const QcEpoch& a, const QcEpoch& b) {
  if (std::tie(a.channel, a.start, a.end, a.picture) !=
      std::tie(b.channel, b.start, b.end, b.picture)) {
    return std::tie(a.channel, a.start, a.end, a.picture) <
           std::tie(b.channel, b.start, b.end, b.picture);
  }
  return findings_before(a.findings, b.findings);
}

QcEpoch cleaned(const QcEpoch& e) {
  QcEpoch c{
      clean_utf8(e.channel), clean_utf8(e.start), clean_utf8(e.end), clean_utf8(e.picture), {}};
  for (const QcFinding& f : e.findings) {
    c.findings.push_back({clean_utf8(f.check), f.result, clean_utf8(f.value), clean_utf8(f.limit),
                          clean_utf8(f.message)});
  }
  return c;
}

// The page's rank of a verdict: the worst first.
int rank(QcResult result) {
  switch (result) {
    case QcResult::fail:
      return 0;
    case QcResult::not_checked:
      return 1;
    default:
      return 2;
  }
}

// The dot-separated part `index` of a channel code.
std::string part(const std::string& channel, int index) {
  size_t begin = 0;
  for (int i = 0; i < index; ++i) {
    begin = channel.find('.', begin);
    if (begin == std::string::npos) return "";
    ++begin;
  }
  return channel.substr(begin, channel.find('.', begin) - begin);
}

}  // namespace

std::vector<QcEpoch> file_order(const std::vector<QcEpoch>& epochs) {
  std::vector<QcEpoch> sorted;
  sorted.reserve(epochs.size());
  for (const QcEpoch& e : epochs) sorted.push_back(cleaned(e));
  std::sort(sorted.begin(), sorted.end(), epoch_before);
  return sorted;
}

std::vector<const QcEpoch*> worst_first(const std::vector<QcEpoch>& sorted) {
  std::vector<const QcEpoch*> order;
  order.reserve(sorted.size());
  for (const QcEpoch& e : sorted) order.push_back(&e);
  std::stable_sort(order.begin(), order.end(), [](const QcEpoch* a, const QcEpoch* b) {
    return rank(qc_epoch_result(*a)) < rank(qc_epoch_result(*b));
  });
  return order;
}

std::string network_of(const std::string& channel) {
  return part(channel, 0);
}

std::string station_of(const std::string& channel) {
  return part(channel, 1);
}
