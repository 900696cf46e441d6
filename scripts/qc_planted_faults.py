#!/usr/bin/env python3
"""Plants faults of every kind in a made-up network and checks that
`afcdraw --qc` fails each planted fault with the right check and fails no
clean channel.

    python3 scripts/qc_planted_faults.py build/afcdraw [workdir]

The network is written twice, as StationXML (three files) and as RESP (one
file per channel plus one file holding several). Its clean channels take
their stage data from public metadata in tests/data: the broadband sensor,
digitizer gain and FIR cascade of RESP.Z.CGV..HYZ, the accelerometer and
FIR stages of TITA1.HGZ, the response list of RESP.IM.ATTU..BHE; the
geophone, short-period (Hz poles), digital high-pass and SOH channels are
textbook responses. Besides the faults, copies lack data (expected
not-checked) or cannot be read (a number that is none, a stage missing:
expected a failed evaluate row, the run going on). Prints a table of what
was planted against what was found, then every clean channel that failed;
exits 1 when anything was missed or falsely failed.
"""

import cmath
import copy
import csv
import math
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data")

# ---------------------------------------------------------------- sources


def cgv_stages():
    """CGV's sensor, gain and FIR cascade (stages 1-11) as model stages."""
    text = open(os.path.join(DATA, "resp", "RESP.Z.CGV..HYZ")).read()
    blocks = re.split(r"\n(?=B05[3478]F03|B053F03)", text)
    stages = {}
    for b in blocks:
        m = re.match(r"B05(\d)F03", b)
        if not m:
            continue
        kind = m.group(1)
        num = re.search(r"B05\dF0[34]\s+Stage sequence number:\s+(\d+)", b)
        if not num:
            continue
        n = int(num.group(1))
        s = stages.setdefault(n, {"gain": 1.0, "dec": None})
        if kind == "3":
            s.update(kind="pz", type="A", a0=None, a0f=float(re.search(r"Normalization frequency:\s+(\S+)", b).group(1)),
                     zeros=[complex(float(a), float(c)) for a, c in re.findall(r"B053F10-13\s+\d+\s+(\S+)\s+(\S+)", b)],
                     poles=[complex(float(a), float(c)) for a, c in re.findall(r"B053F15-18\s+\d+\s+(\S+)\s+(\S+)", b)],
                     inu="M/S", outu="V")
        elif kind == "4":
            coefs = [float(c) for c in re.findall(r"B054F08-09\s+\d+\s+(\S+)", b)]
            s.update(kind="fir", sym="NONE", coefs=coefs,
                     inu="V" if n == 3 else "COUNTS", outu="COUNTS")
        elif kind == "7":
            s["dec"] = [float(re.search(r"Input sample rate:\s+(\S+)", b).group(1)),
                        int(re.search(r"Decimation factor:\s+(\S+)", b).group(1))]
        elif kind == "8" and n > 0:
            s["gain"] = float(re.search(r"Gain:\s+(\S+)", b).group(1))
    out = []
    for n in sorted(stages):
        if n == 0:
            continue
        s = stages[n]
        if "kind" not in s:
            s.update(kind="gain", inu="V", outu="V")
        out.append(s)
    return out


def tita_stages():
    """TITA1's accelerometer and FIR stages as model stages."""
    ns = {"s": "http://www.fdsn.org/xml/station/1"}
    root = ET.parse(os.path.join(DATA, "station-metadata", "TITA1.HGZ")).getroot()
    out = []
    for st in root.iterfind(".//s:Stage", ns):
        s = {"gain": float(st.find("s:StageGain/s:Value", ns).text), "dec": None}
        d = st.find("s:Decimation", ns)
        if d is not None:
            s["dec"] = [float(d.find("s:InputSampleRate", ns).text), int(d.find("s:Factor", ns).text)]
        pz = st.find("s:PolesZeros", ns)
        fir = st.find("s:FIR", ns)
        if pz is not None:
            s.update(kind="pz", type="A", a0=None, a0f=1.0, inu="M/S**2", outu="V",
                     zeros=[complex(float(z.find("s:Real", ns).text), float(z.find("s:Imaginary", ns).text))
                            for z in pz.iterfind("s:Zero", ns)],
                     poles=[complex(float(z.find("s:Real", ns).text), float(z.find("s:Imaginary", ns).text))
                            for z in pz.iterfind("s:Pole", ns)])
        elif fir is not None:
            s.update(kind="fir", sym="NONE", inu="COUNTS", outu="COUNTS",
                     coefs=[float(c.text) for c in fir.iterfind("s:NumeratorCoefficient", ns)])
        else:
            s.update(kind="gain", inu="V", outu="COUNTS")
        out.append(s)
    return out


def attu_list():
    text = open(os.path.join(DATA, "resp", "RESP.IM.ATTU..BHE")).read()
    first = text[: text.find("B050F03", text.find("B050F03") + 1)]
    return [(float(f), float(a), float(p)) for f, a, _, p, _ in
            re.findall(r"B055F07-11\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)", first)]


# ---------------------------------------------------------------- responses


def pz_value(s, f, dt=None):
    if s["type"] == "A":
        x = 2j * math.pi * f
    elif s["type"] == "B":
        x = 1j * f
    else:
        x = cmath.exp(2j * math.pi * f * dt)
    h = 1
    for z in s["zeros"]:
        h *= x - z
    for p in s["poles"]:
        h /= x - p
    return h


def normalise(ch):
    """A0 of each pole-zero stage at its frequency; the sensitivity as the
    product of the stage gains (all quoted at the sensitivity frequency)."""
    g = 1
    for s in ch["stages"]:
        s.setdefault("gf", ch["sens_f"])
        if s["kind"] == "pz" and s.get("a0") is None:
            dt = 1 / s["dec"][0] if s["type"] == "D" else None
            s["a0"] = 1 / abs(pz_value(s, s["a0f"], dt))
        g *= s["gain"] if s["gain"] is not None else 1
    if ch.get("sens") is None and ch.get("has_sens", True):
        ch["sens"] = g
    return ch


# ---------------------------------------------------------------- the network


def channel(sta, cha, rate, sens_f, stages, loc="00", start="2020-01-01T00:00:00", end="", net="XA"):
    return {"net": net, "sta": sta, "loc": loc, "cha": cha, "rate": rate, "sens_f": sens_f,
            "stages": stages, "start": start, "end": end, "sens": None,
            "sens_in": stages[0]["inu"], "sens_out": stages[-1]["outu"]}


def broadband(sta="BB01", **kw):
    st = cgv_stages()
    for s in st:
        s["gf"] = 1.0
    st[0]["a0f"] = 1.0
    return channel(sta, "HHZ", 100, 1.0, st, **kw)


def broadband_40(sta="BB40"):
    sym = tita_stages()[-1]["coefs"]  # a symmetric FIR of odd length
    half = sym[: len(sym) // 2 + 1]
    sensor = cgv_stages()[0]
    sensor["a0f"] = 1.0
    st = [sensor,
          {"kind": "gain", "inu": "V", "outu": "COUNTS", "gain": 629129.0, "dec": [80.0, 1]},
          {"kind": "fir", "sym": "ODD", "coefs": half, "inu": "COUNTS", "outu": "COUNTS",
           "gain": 1.0, "dec": [80.0, 2]}]
    return channel(sta, "BHZ", 40, 1.0, st)


def broadband_even(sta="BBEV"):
    # The 40 sps channel with an EVEN-symmetry last stage: a 6-tap
    # smoothing filter given by its first half (sums to 1 as a whole).
    ch = broadband_40(sta)
    ch["cha"] = "BHN"
    ch["stages"][-1].update(sym="EVEN", coefs=[0.1, 0.15, 0.25])
    return ch


def accelerometer(sta="SM01"):
    st = tita_stages()
    return channel(sta, "HNZ", 200, 1.0, st, loc="")


def geophone(sta="GP01", damping=0.3, f0=4.5, sens_f=10.0):
    w = 2 * math.pi * f0
    p = complex(-damping * w, w * math.sqrt(1 - damping**2))
    st = [{"kind": "pz", "type": "A", "inu": "M/S", "outu": "V", "a0": None, "a0f": sens_f,
           "zeros": [0j, 0j], "poles": [p, p.conjugate()], "gain": 28.8, "dec": None},
          {"kind": "gain", "inu": "V", "outu": "COUNTS", "gain": 419430, "dec": [200.0, 1]}]
    return channel(sta, "EHZ", 200, sens_f, st, loc="10")


def short_period_hz(sta="SP01"):
    # An L-4C-like 1 Hz sensor, damping 0.7, poles and zeros in Hz.
    p = complex(-0.7, math.sqrt(1 - 0.49))
    st = [{"kind": "pz", "type": "B", "inu": "M/S", "outu": "V", "a0": None, "a0f": 5.0,
           "zeros": [0j, 0j], "poles": [p, p.conjugate()], "gain": 171.5, "dec": None},
          {"kind": "gain", "inu": "V", "outu": "COUNTS", "gain": 1e6, "dec": [40.0, 1]}]
    return channel(sta, "SHZ", 40, 5.0, st)


def digital_highpass(sta="DH01"):
    # An accelerometer flat to DC, then a digitizer's DC-removal filter in z.
    st = [{"kind": "pz", "type": "A", "inu": "M/S**2", "outu": "V", "a0": None, "a0f": 1.0,
           "zeros": [], "poles": [complex(-600, 600), complex(-600, -600)], "gain": 2.5, "dec": None},
          {"kind": "gain", "inu": "V", "outu": "COUNTS", "gain": 1e6, "dec": [100.0, 1]},
          {"kind": "pz", "type": "D", "inu": "COUNTS", "outu": "COUNTS", "a0": None, "a0f": 1.0,
           "zeros": [1 + 0j], "poles": [0.995 + 0j], "gain": 1.0, "dec": [100.0, 1]}]
    return channel(sta, "HNE", 100, 1.0, st)


def response_list(sta="RL01"):
    # As the public file: the list's amplitudes hold the gain; no stage gain.
    st = [{"kind": "list", "inu": "NM", "outu": "COUNTS", "points": attu_list(), "gain": None, "dec": None}]
    ch = channel(sta, "BHE", 20, 1.0, st)
    ch["sens"] = 5e-3
    return ch


def soh(sta="BB01"):
    st = [{"kind": "gain", "inu": "V", "outu": "COUNTS", "gain": 1e3, "dec": None}]
    ch = channel(sta, "VEI", 1, 0.0, st, loc="")
    return ch


def clean_channels():
    out = [broadband(end="2020-01-01T00:00:00", start="2018-01-01T00:00:00"), broadband(),
           broadband_40(), broadband_even(), accelerometer(), geophone(), short_period_hz(), digital_highpass(),
           response_list(), soh()]
    return [normalise(c) for c in out]


def renamed(ch, sta):
    c = copy.deepcopy(ch)
    c["sta"] = sta
    return c


def first(ch, kind):
    return next(s for s in ch["stages"] if s["kind"] == kind)


def fault_table():
    """(station, base, change, check, formats): each a copy of a clean
    channel with one fault planted; formats the forms that can state it."""
    bb, acc, gp, sp, dh, b40 = broadband(), accelerometer(), geophone(), short_period_hz(), digital_highpass(), broadband_40()

    def sens(c, k): c["sens"] *= k
    def a0(c, k): first(c, "pz")["a0"] *= k
    def units(c): c["stages"][2]["inu"] = "A"  # the digitizer takes amperes
    def sens_units(c): c["sens_in"] = "M/S**2"
    def sens_out(c): c["sens_out"] = "V"
    def freq(c, f): c["sens_f"] = f
    def rhp(c): first(c, "pz")["poles"][0] = complex(0.037, 0.037); first(c, "pz")["poles"][1] = complex(0.037, -0.037)
    def unpaired(c): first(c, "pz")["poles"][1] = complex(first(c, "pz")["poles"][1].real, -0.040)
    def unpaired_zero(c): first(c, "pz")["zeros"] = [complex(-1, 2), complex(-1, -2.1)]
    def outside_unit(c): c["stages"][2]["poles"] = [1.002 + 0j]
    def fir(c, k, which=-1):
        s = [s for s in c["stages"] if s["kind"] == "fir" and len(s["coefs"]) > 1][which]
        s["coefs"] = [x * k for x in s["coefs"]]
    def rate(c, r): c["rate"] = r
    def mid_rate(c): c["stages"][5]["dec"][0] *= 2
    def a0_rad(c):  # A0 computed at the corner as if the Hz poles were rad/s
        s = first(c, "pz"); s["a0f"] = 1.0; t = dict(s, type="A"); s["a0"] = 1 / abs(pz_value(t, 1.0))
    def digital_a0(c): c["stages"][2]["a0"] *= 1.05
    def no_sensitivity(c): c["sens"] = None; c["has_sens"] = False
    def bad_number(c): c["edit"] = {"x": ("<Real>-0.7</Real>", "<Real>-0.7x</Real>"),
                                    "r": ("-7.00000000E-01", "-7.0000000xE-01")}
    def corner(c):  # a sensor of another corner, consistent in itself
        p = first(c, "pz"); p["poles"][0] = complex(-0.074, 0.074); p["poles"][1] = complex(-0.074, -0.074); p["a0"] = None

    rows = [
        ("SENSG", bb, lambda c: sens(c, 1.06), "sensitivity-gain", "xr"),
        ("SENSA", acc, lambda c: sens(c, 0.93), "sensitivity-gain", "xr"),
        ("AZERO", bb, lambda c: a0(c, 1.03), "a0-normalisation", "xr"),
        ("AZHZ", sp, a0_rad, "a0-normalisation", "xr"),
        ("AZDIG", dh, digital_a0, "a0-normalisation", "xr"),
        ("UNITS", bb, units, "units-chain", "xr"),
        ("SUNIT", bb, sens_units, "units-chain", "x"),
        ("SUOUT", bb, sens_out, "units-chain", "x"),
        ("NYQ", bb, lambda c: freq(c, 60.0), "sensitivity-frequency", "xr"),
        ("NYQ40", b40, lambda c: freq(c, 20.0), "sensitivity-frequency", "xr"),
        ("BANDL", bb, lambda c: freq(c, 0.001), "sensitivity-frequency", "xr"),
        ("BANDH", bb, lambda c: freq(c, 48.0), "sensitivity-frequency", "xr"),
        ("BANDG", gp, lambda c: freq(c, 1.0), "sensitivity-frequency", "xr"),
        ("ROOT", bb, rhp, "pole-zero-roots", "xr"),
        ("PAIR", bb, unpaired, "pole-zero-roots", "xr"),
        ("ZPAIR", sp, unpaired_zero, "pole-zero-roots", "xr"),
        ("ZROOT", dh, outside_unit, "pole-zero-roots", "xr"),
        ("FIR", bb, lambda c: fir(c, 1.03), "fir-normalised", "xr"),
        ("FIRA", acc, lambda c: fir(c, 0.97, 0), "fir-normalised", "xr"),
        ("FODD", b40, lambda c: fir(c, 1.03), "fir-normalised", "xr"),
        ("FEVEN", broadband_even(), lambda c: fir(c, 1.03), "fir-normalised", "xr"),
        ("RATE", bb, lambda c: rate(c, 50), "decimation-chain", "xr"),
        ("RATEA", acc, lambda c: rate(c, 100), "decimation-chain", "xr"),
        ("MIDR", bb, mid_rate, "decimation-chain", "xr"),
        ("NOMBB", bb, corner, "nominal", "xr"),
        # Data the file lacks: not-checked, never pass.
        ("NOSNX", sp, no_sensitivity, "sensitivity-gain", "x", "not-checked"),
        ("NORAT", bb, lambda c: rate(c, 0), "decimation-chain", "xr", "not-checked"),
        # An epoch that cannot be read: its failed row, never the run's end.
        ("NOSNR", sp, no_sensitivity, "evaluate", "r"),
        ("BADNM", sp, bad_number, "evaluate", "xr"),
        ("GAP", bb, lambda c: c.update(gap=True), "evaluate", "xr"),
    ]
    out = []
    for sta, base, change, check, forms, *expected in rows:
        c = normalise(renamed(base, sta))
        change(c)
        normalise(c)
        out.append((c, check, forms, expected[0] if expected else "fail"))
    return out


# ---------------------------------------------------------------- writers


def xml_units(u):
    return "<Name>%s</Name>" % u


def xml_stage(n, s):
    io = "<InputUnits>%s</InputUnits><OutputUnits>%s</OutputUnits>" % (xml_units(s["inu"]), xml_units(s["outu"]))
    if s["kind"] == "pz":
        t = {"A": "LAPLACE (RADIANS/SECOND)", "B": "LAPLACE (HERTZ)", "D": "DIGITAL (Z-TRANSFORM)"}[s["type"]]
        body = "<PolesZeros>%s<PzTransferFunctionType>%s</PzTransferFunctionType><NormalizationFactor>%.9g</NormalizationFactor><NormalizationFrequency>%g</NormalizationFrequency>" % (io, t, s["a0"], s["a0f"])
        body += "".join('<Zero number="%d"><Real>%.9g</Real><Imaginary>%.9g</Imaginary></Zero>' % (i, z.real, z.imag) for i, z in enumerate(s["zeros"]))
        body += "".join('<Pole number="%d"><Real>%.9g</Real><Imaginary>%.9g</Imaginary></Pole>' % (i, p.real, p.imag) for i, p in enumerate(s["poles"]))
        body += "</PolesZeros>"
    elif s["kind"] == "fir":
        body = "<FIR>%s<Symmetry>%s</Symmetry>%s</FIR>" % (io, s["sym"], "".join(
            '<NumeratorCoefficient i="%d">%.9g</NumeratorCoefficient>' % (i, c) for i, c in enumerate(s["coefs"])))
    elif s["kind"] == "list":
        body = "<ResponseList>%s%s</ResponseList>" % (io, "".join(
            "<ResponseListElement><Frequency>%g</Frequency><Amplitude>%g</Amplitude><Phase>%g</Phase></ResponseListElement>" % p
            for p in s["points"]))
    elif s["dec"]:
        body = "<Coefficients>%s<CfTransferFunctionType>DIGITAL</CfTransferFunctionType></Coefficients>" % io
    else:
        body = ""  # a gain alone
    if s["dec"]:
        body += "<Decimation><InputSampleRate>%g</InputSampleRate><Factor>%d</Factor><Offset>0</Offset><Delay>0</Delay><Correction>0</Correction></Decimation>" % tuple(s["dec"])
    if s["gain"] is not None:
        body += "<StageGain><Value>%.9g</Value><Frequency>%g</Frequency></StageGain>" % (s["gain"], s.get("gf", 1.0))
    return '<Stage number="%d">%s</Stage>' % (n, body)


def xml_channel(c):
    end = ' endDate="%s"' % c["end"] if c["end"] else ""
    sens = ""
    if c.get("sens") is not None:
        sens = "<InstrumentSensitivity><Value>%.9g</Value><Frequency>%g</Frequency><InputUnits>%s</InputUnits><OutputUnits>%s</OutputUnits></InstrumentSensitivity>" % (
            c["sens"], c["sens_f"], xml_units(c["sens_in"]), xml_units(c["sens_out"]))
    stages = "".join(xml_stage(stage_number(c, i), s) for i, s in enumerate(c["stages"]))
    text = '<Channel code="%s" locationCode="%s" startDate="%s"%s><SampleRate>%g</SampleRate><Response>%s%s</Response></Channel>' % (
        c["cha"], c["loc"], c["start"], end, c["rate"], sens, stages)
    return edited(c, "x", text)


def stage_number(c, i):
    """Stage numbers from 1; with a planted gap, stage 2 is missing."""
    return i + 1 if not c.get("gap") or i == 0 else i + 2


def edited(c, form, text):
    edit = c.get("edit", {}).get(form)
    return text.replace(*edit, 1) if edit else text


def xml_document(channels):
    by_station = {}
    for c in channels:
        by_station.setdefault((c["net"], c["sta"]), []).append(c)
    nets = {}
    for (net, sta), cs in by_station.items():
        nets.setdefault(net, []).append('<Station code="%s">%s</Station>' % (sta, "".join(xml_channel(c) for c in cs)))
    body = "".join('<Network code="%s">%s</Network>' % (n, "".join(s)) for n, s in nets.items())
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<FDSNStationXML xmlns="http://www.fdsn.org/xml/station/1" schemaVersion="1.1">'
            "<Source>planted</Source><Created>2026-01-01T00:00:00</Created>%s</FDSNStationXML>\n" % body)


def resp_time(t):
    if not t:
        return "No Ending Time"
    y, mo, d = int(t[:4]), int(t[5:7]), int(t[8:10])
    doy = (datetime_ordinal(y, mo, d) - datetime_ordinal(y, 1, 1)) + 1
    return "%04d,%03d,%s" % (y, doy, t[11:19])


def datetime_ordinal(y, m, d):
    import datetime
    return datetime.date(y, m, d).toordinal()


def resp_channel(c):
    L = ["B050F03     Station:     %s" % c["sta"], "B050F16     Network:     %s" % c["net"],
         "B052F03     Location:    %s" % (c["loc"] or "??"), "B052F04     Channel:     %s" % c["cha"],
         "B052F18     Sample rate:                           %E" % c["rate"],
         "B052F22     Start date:  %s" % resp_time(c["start"]), "B052F23     End date:    %s" % resp_time(c["end"])]
    for i, s in enumerate(c["stages"]):
        n = stage_number(c, i)
        if s["kind"] == "pz":
            t = {"A": "A [Laplace Transform (Rad/sec)]", "B": "B [Analog (Hz)]", "D": "D [Digital (Z-transform)]"}[s["type"]]
            L += ["B053F03     Transfer function type:                %s" % t, "B053F04     Stage sequence number:                 %d" % n,
                  "B053F05     Response in units lookup:              %s" % s["inu"], "B053F06     Response out units lookup:             %s" % s["outu"],
                  "B053F07     A0 normalization factor:               %.9E" % s["a0"], "B053F08     Normalization frequency:               %g" % s["a0f"],
                  "B053F09     Number of zeroes:                      %d" % len(s["zeros"]), "B053F14     Number of poles:                       %d" % len(s["poles"])]
            L += ["B053F10-13  %3d %15.8E %15.8E 0.0 0.0" % (i, z.real, z.imag) for i, z in enumerate(s["zeros"])]
            L += ["B053F15-18  %3d %15.8E %15.8E 0.0 0.0" % (i, p.real, p.imag) for i, p in enumerate(s["poles"])]
        elif s["kind"] == "fir" and s["sym"] != "NONE":
            L += ["B061F03     Stage sequence number:                 %d" % n, "B061F04     Response Name:                         FIR_%d" % n,
                  "B061F05     Symmetry Code:                         %s" % {"ODD": "B", "EVEN": "C"}[s["sym"]],
                  "B061F06     Response in units lookup:              %s" % s["inu"], "B061F07     Response out units lookup:             %s" % s["outu"],
                  "B061F08     Number of Coefficients:                %d" % len(s["coefs"])]
            L += ["B061F09    %3d %15.8E" % (i, x) for i, x in enumerate(s["coefs"])]
        elif s["kind"] == "fir":
            L += ["B054F03     Transfer function type:                D", "B054F04     Stage sequence number:                 %d" % n,
                  "B054F05     Response in units lookup:              %s" % s["inu"], "B054F06     Response out units lookup:             %s" % s["outu"],
                  "B054F07     Number of numerators:                  %d" % len(s["coefs"]), "B054F10     Number of denominators:                0"]
            L += ["B054F08-09  %3d %15.8E 0.0" % (i, x) for i, x in enumerate(s["coefs"])]
        elif s["kind"] == "list":
            L += ["B055F03     Stage sequence number:                 %d" % n, "B055F04     Response in units lookup:              %s" % s["inu"],
                  "B055F05     Response out units lookup:             %s" % s["outu"], "B055F06     Number of responses:                   %d" % len(s["points"])]
            L += ["B055F07-11  %E %E 0.0 %E 0.0" % p for p in s["points"]]
        elif s["dec"]:  # a digitizer: one coefficient of 1, as rdseed writes it
            L += ["B054F03     Transfer function type:                D", "B054F04     Stage sequence number:                 %d" % n,
                  "B054F05     Response in units lookup:              %s" % s["inu"], "B054F06     Response out units lookup:             %s" % s["outu"],
                  "B054F07     Number of numerators:                  1", "B054F10     Number of denominators:                0",
                  "B054F08-09    0  1.000000E+00  0.000000E+00"]
        if s["dec"]:
            L += ["B057F03     Stage sequence number:                 %d" % n, "B057F04     Input sample rate:                     %E" % s["dec"][0],
                  "B057F05     Decimation factor:                     %d" % s["dec"][1], "B057F06     Decimation offset:                     0",
                  "B057F07     Estimated delay (seconds):             0.0", "B057F08     Correction applied (seconds):          0.0"]
        if s["gain"] is not None:
            L += ["B058F03     Stage sequence number:                 %d" % n, "B058F04     Gain:                                  %.9E" % s["gain"],
                  "B058F05     Frequency of gain:                     %g HZ" % s.get("gf", 1.0), "B058F06     Number of calibrations:                0"]
    if c.get("sens") is not None:
        L += ["B058F03     Stage sequence number:                 0", "B058F04     Sensitivity:                           %.9E" % c["sens"],
              "B058F05     Frequency of sensitivity:              %g HZ" % c["sens_f"], "B058F06     Number of calibrations:                0"]
    if not c["rate"]:
        L = [x for x in L if not x.startswith("B052F18")]
    return edited(c, "r", "\n".join(L) + "\n")


# ---------------------------------------------------------------- the run


def results(outdir):
    got = {}
    with open(os.path.join(outdir, "summary.csv"), newline="") as f:
        for row in csv.DictReader(f):
            got.setdefault(row["channel"] + " " + row["start"], {})[row["check"]] = row["result"]
    return got


def main():
    afcdraw = os.path.abspath(sys.argv[1])
    work = sys.argv[2] if len(sys.argv) > 2 else "/tmp/qc_planted"
    os.makedirs(work, exist_ok=True)
    clean = clean_channels()
    faults = fault_table()
    nominal = os.path.join(work, "nominal.xml")
    open(nominal, "w").write(xml_document([normalise(broadband("NOM", start="2000-01-01T00:00:00"))]))
    table = os.path.join(work, "nominal.table")
    open(table, "w").write("XA.*.00.HHZ nominal.xml\n")
    # StationXML: clean channels in two files, the faults in a third.
    xml_files = []
    # An epoch that cannot be read goes in a file of its own, so that a run
    # refusing its file whole is seen refusing only that one.
    alone = [f for f in faults if f[1] == "evaluate"]
    for name, cs in (("clean_a.xml", clean[:5]), ("clean_b.xml", clean[5:]),
                     ("faults.xml", [f[0] for f in faults if "x" in f[2] and f not in alone])):
        xml_files.append(os.path.join(work, name))
        open(xml_files[-1], "w").write(xml_document(cs))
    for c, check, forms, _ in alone:
        if "x" in forms:
            xml_files.append(os.path.join(work, "broken_%s.xml" % c["sta"]))
            open(xml_files[-1], "w").write(xml_document([c]))
    # RESP: a file per channel, the faults all in one.
    resp_files = []
    for c in clean:
        resp_files.append(os.path.join(work, "RESP.%s.%s.%s.%s.%s" % (c["net"], c["sta"], c["loc"], c["cha"], c["start"][:4])))
        open(resp_files[-1], "w").write(resp_channel(c))
    resp_files.append(os.path.join(work, "RESP.faults"))
    open(resp_files[-1], "w").write("".join(resp_channel(f[0]) for f in faults
                                            if "r" in f[2] and f[1] not in ("units-chain", "evaluate")))
    for c, check, forms, _ in faults:
        if "r" in forms and check in ("units-chain", "evaluate"):
            resp_files.append(os.path.join(work, "RESP.%s.%s" % (c["sta"], c["cha"])))
            open(resp_files[-1], "w").write(resp_channel(c))
    missed = false_fail = 0
    print("%-8s %-24s %-12s %-12s" % ("station", "planted fault (check)", "XML", "RESP"))
    found = {}
    for form, files in (("x", xml_files), ("r", resp_files)):
        out = os.path.join(work, "out_" + form)
        while True:
            r = subprocess.run([afcdraw, "--qc", *files, "OUTDIR=" + out, "NOMINAL=" + table, "JOBS=2"],
                               capture_output=True, text=True)
            refused = [f for f in files if r.returncode > 1 and (f + ":" in r.stderr or f + "," in r.stderr)]
            if not refused:
                break
            # The whole run refused for one file: leave it out to check the others.
            print("ABORT: the whole run ended %d for %s" % (r.returncode, os.path.basename(refused[0])))
            false_fail += 1
            files = [f for f in files if f != refused[0]]
        if r.returncode not in (0, 1):
            print("run", form, "ended", r.returncode, r.stdout, r.stderr)
            return 2
        found[form] = results(out)
    for c, check, forms, expected in faults:
        key = "%s.%s.%s.%s %s" % (c["net"], c["sta"], c["loc"], c["cha"], c["start"])
        cells = []
        for form in "xr":
            if form not in forms:
                cells.append("n/a")
                continue
            got = found[form].get(key, {}).get(check, "absent")
            cells.append(("found" if expected == "fail" else expected) if got == expected else "MISSED(" + got + ")")
            missed += got != expected
        print("%-8s %-24s %-12s %-12s" % (c["sta"], check, cells[0], cells[1]))
    for form in "xr":
        for c in clean:
            key = "%s.%s.%s.%s %s" % (c["net"], c["sta"], c["loc"], c["cha"], c["start"])
            rows = found[form].get(key)
            if rows is None:
                print("ABSENT clean channel", form, key)
                false_fail += 1
                continue
            for check, result in rows.items():
                if result == "fail":
                    print("FALSE FAILURE", {"x": "XML", "r": "RESP"}[form], key, check)
                    false_fail += 1
    print("missed %d, false failures %d" % (missed, false_fail))
    return 1 if missed or false_fail else 0


if __name__ == "__main__":
    sys.exit(main())
