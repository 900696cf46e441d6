#pragma once

#include <string>
#include <vector>

#include "qc/qc_row.h"

// The orders a network check's files list their epochs in, fixed by the
// findings alone, so that the same findings gathered in any order (by
// threads, or by shards merged) give the same bytes.

// By channel, then start; epochs alike in both by everything else they hold.
// Each epoch's checks keep their order. Every text is made clean UTF-8
// (clean_utf8) on the way.
std::vector<QcEpoch> file_order(const std::vector<QcEpoch>& epochs);

// The page's order, from epochs in file order: failed first, then those not
// checked, then those passed, each group in file order.
std::vector<const QcEpoch*> worst_first(const std::vector<QcEpoch>& sorted);

// The network and the station of a channel code "NET.STA.LOC.CHA"; what is
// missing is empty.
std::string network_of(const std::string& channel);
std::string station_of(const std::string& channel);
