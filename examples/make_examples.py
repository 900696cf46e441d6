#!/usr/bin/env python3
"""Writes the bundled example responses from pole-zero models of our own.

Each file is written as instrument-response programs write theirs:
"%.6E  %.6E  %.6E" per line (frequency in Hz, amplitude, phase in degrees)
at log-spaced frequencies, no heading.
"""
import cmath
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))


def response(zeros, poles, gain, f):
    s = 2j * math.pi * f
    h = gain
    for z in zeros:
        h *= s - z
    for p in poles:
        h /= s - p
    return h


def damped_pair(f0, h):
    w0 = 2 * math.pi * f0
    re, im = -h * w0, w0 * math.sqrt(1 - h * h)
    return [complex(re, im), complex(re, -im)]


def butterworth(fc, order):
    wc = 2 * math.pi * fc
    return [wc * cmath.exp(1j * math.pi * (2 * k + order + 1) / (2 * order)) for k in range(order)]


def write(name, zeros, poles, gain, f_lo, f_hi, count):
    with open(os.path.join(HERE, name), "w", newline="\n") as out:
        for i in range(count):
            f = f_lo * (f_hi / f_lo) ** (i / (count - 1))
            h = response(zeros, poles, gain, f)
            out.write("%.6E  %.6E  %.6E\n" % (f, abs(h), math.degrees(cmath.phase(h))))


def write_db(name, zeros, poles, gain, f_lo, f_hi, count):
    """The same lines with the amplitude in dB (20 log10 of it)."""
    with open(os.path.join(HERE, name), "w", newline="\n") as out:
        for i in range(count):
            f = f_lo * (f_hi / f_lo) ** (i / (count - 1))
            h = response(zeros, poles, gain, f)
            out.write("%.6E  %.6E  %.6E\n" % (f, 20 * math.log10(abs(h)), math.degrees(cmath.phase(h))))


def write_measured(name, zeros, poles, gain, f_lo, f_hi, count, noise, seed):
    """A response as a calibration measures it: amplitudes off by a random
    relative error of about `noise` (normal, fixed seed), phase as modelled."""
    rng = random.Random(seed)
    with open(os.path.join(HERE, name), "w", newline="\n") as out:
        for i in range(count):
            f = f_lo * (f_hi / f_lo) ** (i / (count - 1))
            h = response(zeros, poles, gain, f)
            amplitude = abs(h) * (1 + rng.gauss(0, noise))
            out.write("%.6E  %.6E  %.6E\n" % (f, amplitude, math.degrees(cmath.phase(h))))


def write_pole_zero(name, zeros, poles, constant, comment):
    """The model as a pole-zero file: roots in rad/s, zeros at the origin
    only counted, as such files leave them."""
    listed = [z for z in zeros if z != 0]
    with open(os.path.join(HERE, name), "w", newline="\n") as out:
        out.write("* %s\n" % comment)
        out.write("ZEROS %d\n" % len(zeros))
        for z in listed:
            out.write("%+.6E %+.6E\n" % (z.real, z.imag))
        out.write("POLES %d\n" % len(poles))
        for p in poles:
            out.write("%+.6E %+.6E\n" % (p.real, p.imag))
        out.write("CONSTANT %.6E\n" % constant)


def write_amp_phase(amp_name, phase_name, zeros, poles, gain, f_lo, f_hi, count):
    """The two files a response evaluator writes: frequency and amplitude,
    and, at every third frequency, frequency and phase in degrees, wrapped."""
    with open(os.path.join(HERE, amp_name), "w", newline="\n") as amp, \
            open(os.path.join(HERE, phase_name), "w", newline="\n") as phase:
        for i in range(count):
            f = f_lo * (f_hi / f_lo) ** (i / (count - 1))
            h = response(zeros, poles, gain, f)
            amp.write("%.6E  %.6E\n" % (f, abs(h)))
            if i % 3 == 0:
                phase.write("%.6E  %.6E\n" % (f, math.degrees(cmath.phase(h))))


def comparison():
    # Two geophones of the 1 Hz type as a shake table measures them, to set
    # against the nominal response: one slightly soft and underdamped, one
    # stiff and overdamped, with 2 % measurement noise.
    write_measured("geophone_unit_a.txt", [0, 0], damped_pair(0.9, 0.55), 27.0, 0.1, 100.0, 120,
                   0.02, 1)
    write_measured("geophone_unit_b.txt", [0, 0], damped_pair(1.15, 0.85), 30.5, 0.1, 100.0, 120,
                   0.02, 2)


def main():
    # Broadband velocity seismometer: 120 s corner, 0.707 damping, 1500 V/(m/s),
    # and a fourth-order anti-alias roll-off at 40 Hz.
    aa = butterworth(40.0, 4)
    aa_gain = (2 * math.pi * 40.0) ** 4
    write("broadband_120s.txt", [0, 0], damped_pair(1 / 120, 0.707) + aa, 1500 * aa_gain,
          0.0001, 100.0, 1200)
    # Short-period geophone: 1 Hz natural frequency, 0.7 damping, 28.8 V/(m/s).
    write("geophone_1hz.txt", [0, 0], damped_pair(1.0, 0.7), 28.8, 0.01, 1000.0, 1000)
    # Accelerometer: 2.5 V/g, flat to 50 Hz, then a fourth-order Butterworth roll-off at 200 Hz.
    lp = butterworth(200.0, 4)
    write("accelerometer_50hz.txt", [], lp, 2.5 * (2 * math.pi * 200.0) ** 4, 0.01, 1000.0, 1000)
    # Exploration geophone: 4.5 Hz natural frequency, 0.6 damping, 28.8 V/(m/s), over its
    # working band; the amplitude stays within 28.8 to 30.
    write("geophone_4_5hz.txt", [0, 0], damped_pair(4.5, 0.6), 28.8, 10.0, 1000.0, 500)
    # The accelerometer again, its amplitude in dB re 1 V/g.
    write_db("accelerometer_50hz_db.txt", [], lp, 2.5 * (2 * math.pi * 200.0) ** 4, 1.0, 1000.0,
             600)
    comparison()
    # The broadband seismometer as a pole-zero file: its displacement
    # response, one more zero at the origin.
    write_pole_zero("broadband_120s.pz", [0, 0, 0], damped_pair(1 / 120, 0.707) + aa,
                    1500 * aa_gain, "broadband seismometer, 120 s: displacement, m and rad/s")
    # The 4.5 Hz geophone as an evaluator's pair of files, with its anti-alias
    # filter at 100 Hz.
    aa100 = butterworth(100.0, 4)
    write_amp_phase("AMP.XX.GEO.00.HHZ", "PHASE.XX.GEO.00.HHZ", [0, 0],
                    damped_pair(4.5, 0.6) + aa100, 28.8 * (2 * math.pi * 100.0) ** 4, 0.5, 250.0,
                    300)


if __name__ == "__main__":
    main()
