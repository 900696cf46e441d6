#!/usr/bin/python3
"""Draws a three-column response (frequency, amplitude, phase) as a Bode
figure with matplotlib's defaults, beside which README shows the same data
drawn by `afcdraw -report -fit -phase`.

Usage: examples/matplotlib_bode.py RESPONSE.txt OUT.png|.svg|.pdf [CAPTION]
Needs Debian's python3-matplotlib.
"""
import sys

import matplotlib

matplotlib.use("Agg")  # no display: a file only
import matplotlib.pyplot as plt


def read_response(path):
    freq, amp, phase = [], [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if len(fields) < 3:
                continue
            try:
                values = [float(v) for v in fields[:3]]
            except ValueError:
                continue
            freq.append(values[0])
            amp.append(values[1])
            phase.append(values[2])
    return freq, amp, phase


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    freq, amp, phase = read_response(sys.argv[1])
    # Only what a user would type: the defaults draw the rest.
    fig, (top, bottom) = plt.subplots(2, 1, sharex=True)
    top.loglog(freq, amp)
    top.set_ylabel("V/(m/s)")
    top.grid(True, which="both")
    bottom.semilogx(freq, phase)
    bottom.set_xlabel("Frequency, Hz")
    bottom.set_ylabel("Phase, deg")
    bottom.grid(True, which="both")
    if len(sys.argv) > 3:
        top.set_title(sys.argv[3])
    # Metadata off so that the same data gives the same bytes.
    fig.savefig(sys.argv[2], metadata={"Software": None} if sys.argv[2].endswith(".png") else None)


if __name__ == "__main__":
    main()
