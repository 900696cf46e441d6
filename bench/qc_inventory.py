#!/usr/bin/env python3
"""Writes a StationXML inventory of many channel epochs for timing afcdraw --qc.

Every epoch is the reference accelerometer channel (tests/data/station-metadata/
TITA1.HGZ: a pole-zero stage, a gain stage and four FIR stages) under its own
station code, its stage-1 gain and sensitivity scaled and its poles moved by a
few per cent, so that no two pictures are alike. The numbers come from a fixed
seed: the same arguments always give the same bytes.

    bench/qc_inventory.py [EPOCHS] > big.xml      (default 1000 epochs)
    time build/afcdraw --qc big.xml OUTDIR=/tmp/qc JOBS=2
"""

import os
import random
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REFERENCE = os.path.join(HERE, "..", "tests", "data", "station-metadata", "TITA1.HGZ")
CHANNELS_PER_STATION = 10  # HG1 ... HG9, HGZ-like codes per station
SEED = 20261209


def main():
    epochs = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    text = open(REFERENCE, encoding="utf-8").read()
    channel = re.search(r"<Channel .*?</Channel>", text, re.S).group(0)
    rng = random.Random(SEED)
    out = [text[: text.index("<Network")], '<Network code="XX">']
    for n in range(0, epochs, CHANNELS_PER_STATION):
        out.append('<Station code="S%04d">' % (n // CHANNELS_PER_STATION))
        for k in range(min(CHANNELS_PER_STATION, epochs - n)):
            out.append(varied(channel, "HG%d" % k, rng))
        out.append("</Station>")
    out.append("</Network></FDSNStationXML>\n")
    sys.stdout.write("".join(out))


def varied(channel, code, rng):
    gain = rng.uniform(0.8, 1.2)
    shift = rng.uniform(0.95, 1.05)
    c = channel.replace('code="HGZ"', 'code="%s"' % code, 1)
    # The sensitivity and stage 1's gain together, so the gain check still holds.
    c = c.replace("<Value>408000</Value>", "<Value>%.6g</Value>" % (408000 * gain), 1)
    c = c.replace("<StageGain><Value>1.02</Value>", "<StageGain><Value>%.6g</Value>" % (1.02 * gain), 1)
    stage1_end = c.index("</PolesZeros>")
    head, tail = c[:stage1_end], c[stage1_end:]
    head = re.sub(r"(<Pole number=\"\d+\"><Real>)([-\d.e+]+)",
                  lambda m: m.group(1) + "%.6g" % (float(m.group(2)) * shift), head)
    return head + tail


if __name__ == "__main__":
    main()
