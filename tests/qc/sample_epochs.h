#pragma once

#include <string>
#include <vector>

#include "qc/qc_row.h"

// A small network check by hand: one epoch of each verdict, one with no
// check at all, texts that every file must escape and a byte that is no
// UTF-8 (which every file, and a merge, holds as U+FFFD).
inline std::vector<QcEpoch> sample_epochs() {
  using R = QcResult;
  return {
      {"IU.ANMO.00.BHZ",
       "2010-01-01T00:00:00",
       "",
       "IU.ANMO.00.BHZ_2010.png",
       {{"sensitivity-gain", R::pass, "0.1 %", "5 %", "stated and computed agree"},
        {"a0-normalisation", R::fail, "12 %", "2 %", "A0 gives 1.12 at 1 Hz"}}},
      {"IU.ANMO.00.BHZ", "2005-06-01T00:00:00", "2010-01-01T00:00:00", "", {}},
      {"XX.A<&\"B.,.HHZ",
       "2001-01-01T00:00:00",
       "2002-01-01T00:00:00",
       "pics/odd #1 \xD0\x96.png",
       {{"units-chain", R::not_checked, "", "", "line one\nline \"two\"\x01, end"},
        {"pole-zero-roots", R::pass, "", "", "stable"}}},
      {"GE.WLF..HHE",
       "2015-03-04T00:00:00",
       "",
       "GE.WLF..HHE.png",
       {{"sensitivity-gain", R::pass, "0.4 %", "5 %", "agree \xFF"}}},
  };
}
