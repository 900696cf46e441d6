#pragma once

#include <string>
#include <vector>

#include "qc/qc_row.h"

// The texts of a network check's four files, each from epochs already in
// file order (file_order), each made in a file of its own.

// RFC 4180, CR LF line ends: a header, then a row per epoch and check.
std::string summary_csv(const std::vector<QcEpoch>& sorted);
// JSON holding every field of every epoch (those with no check too), the
// form read_summary reads back.
std::string summary_json(const std::vector<QcEpoch>& sorted);
// JUnit XML: a test case per epoch, its failing checks as its failure.
std::string junit_xml(const std::vector<QcEpoch>& sorted);
// One self-contained HTML page, worst epochs first, with filters.
std::string qc_page(const std::vector<QcEpoch>& sorted);
