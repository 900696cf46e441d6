#!/usr/bin/env bash
# Draws the bundled responses into docs/, as shown in the README.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${AFCDRAW:-build/afcdraw}
"$bin" IN=examples/broadband_120s.txt OUT=docs/broadband_120s.gif "X_AXIS=0.0001;100" \
  SUB_GRID=10 "CAPTION=Broadband seismometer, 120 s" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
"$bin" IN=examples/geophone_1hz.txt OUT=docs/geophone_1hz.gif "X_AXIS=0.01;1000" SUB_GRID=10 \
  "CAPTION=Geophone, 1 Hz" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
"$bin" IN=examples/accelerometer_50hz.txt OUT=docs/accelerometer_50hz.gif "X_AXIS=0.01;1000" \
  SUB_GRIDX=10 SUB_GRIDY=5 -linY "SIZE=800;480" "CAPTION=Accelerometer, flat to 50 Hz" \
  "DIMX=Frequency, Hz" "DIMY=V/g"
# Two measured geophones against the nominal response, as a PNG with a legend.
"$bin" IN=examples/geophone_1hz.txt IN2=examples/geophone_unit_a.txt \
  IN3=examples/geophone_unit_b.txt OUT=docs/geophone_comparison.png FORMAT=PNG \
  "X_AXIS=0.1;100" SUB_GRID=10 "CAPTION=Geophones, 1 Hz: nominal and measured" \
  "DIMX=Frequency, Hz" "DIMY=V/(m/s)" "NAME=nominal" "NAME2=unit A, measured" \
  "NAME3=unit B, measured"
# Axes fitted to the data (-fit), and a Bode plot (-phase).
"$bin" IN=examples/geophone_4_5hz.txt OUT=docs/geophone_4_5hz_fit.gif -fit \
  "CAPTION=Geophone, 4.5 Hz, -fit" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
"$bin" IN=examples/broadband_120s.txt OUT=docs/broadband_120s_fit.gif -fit SUB_GRIDX=10 \
  "CAPTION=Broadband seismometer, 120 s, -fit" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
"$bin" IN=examples/accelerometer_50hz_db.txt OUT=docs/accelerometer_50hz_db_fit.gif -fit -linY \
  "CAPTION=Accelerometer in dB, -fit -linY" "DIMX=Frequency, Hz" "DIMY=dB re 1 V/g"
"$bin" IN=examples/broadband_120s.txt OUT=docs/broadband_120s_bode.gif -fit -phase -unwrap \
  SUB_GRIDX=10 "SIZE=800;700" "CAPTION=Broadband seismometer, 120 s, -fit -phase -unwrap" \
  "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
# The measured geophones' deviation from the nominal one, with a 1 dB tolerance.
"$bin" IN=examples/geophone_1hz.txt IN2=examples/geophone_unit_a.txt \
  IN3=examples/geophone_unit_b.txt OUT=docs/geophone_deviation.png FORMAT=PNG -fit \
  "X_AXIS=0.1;100" TOL=1 "SIZE=800;700" "CAPTION=Geophones, 1 Hz: measured against nominal" \
  "DIMX=Frequency, Hz" "DIMY=V/(m/s)" "NAME=nominal" "NAME2=unit A" "NAME3=unit B" LEGEND=br ||
  [ $? -eq 1 ]  # outside the tolerance: the picture shows where
# The files engineers have: a pole-zero file drawn for velocity with the
# Nyquist line, an evaluator's AMP/PHASE pair as a Bode plot, and two
# instruments normalised at 1 Hz in dB.
"$bin" IN=examples/broadband_120s.pz OUT=docs/broadband_120s_pz.png FORMAT=PNG UNITS=dis,vel \
  NYQUIST=200 -fit -phase "SIZE=800;700" \
  "CAPTION=Broadband seismometer from its poles and zeros, for velocity" \
  "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
"$bin" IN=examples/AMP.XX.GEO.00.HHZ PHASE=examples/PHASE.XX.GEO.00.HHZ \
  OUT=docs/geophone_amp_phase.png FORMAT=PNG -fit -unwrap "SIZE=800;700" \
  "CAPTION=Geophone, 4.5 Hz: AMP and PHASE files" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
"$bin" IN=examples/geophone_1hz.txt IN2=examples/broadband_120s.txt OUT=docs/normalised_db.png \
  FORMAT=PNG NORM=1 -dB "X_AXIS=0.001;100" "CAPTION=Normalised at 1 Hz" \
  "DIMX=Frequency, Hz" "DIMY=dB re 1 Hz" "NAME=geophone, 1 Hz" "NAME2=broadband, 120 s" LEGEND=br
# Text beyond ASCII in today's fixed-cell fonts.
"$bin" IN=examples/geophone_1hz.txt OUT=docs/geophone_cyrillic.gif "X_AXIS=0.01;1000" SUB_GRID=10 \
  "CAPTION=Геофон, 1 Гц" "DIMX=Частота, Гц" "DIMY=Чувствительность, В/(м/с)"
# The report style: anti-aliased, with scalable text, as PNG, SVG or PDF.
"$bin" IN=examples/broadband_120s.txt OUT=docs/broadband_120s_report.png -report -fit -phase \
  -unwrap SUB_GRIDX=10 "SIZE=1200;1050" "CAPTION=Broadband seismometer, 120 s" \
  "DIMX=Frequency, Hz" "DIMY=V/(m/s)" "DIMP=Phase, °"
"$bin" IN=examples/geophone_1hz.txt IN2=examples/geophone_unit_a.txt \
  IN3=examples/geophone_unit_b.txt OUT=docs/geophone_deviation_report.svg -fit -diff \
  "X_AXIS=0.1;100" TOL=1 "SIZE=800;700" "CAPTION=Геофоны, 1 Гц: измеренные и номинал" \
  "DIMX=Частота, Гц" "DIMY=В/(м/с)" "NAME=номинал" "NAME2=№ 1" "NAME3=№ 2" LEGEND=br ||
  [ $? -eq 1 ]
# Station metadata read directly: the full chain beside its poles and zeros.
"$bin" IN=examples/metadata/RESP.Z.CGV..HYZ IN2=examples/metadata/RESP.Z.CGV..HYZ STAGES2=1 \
  OUT=docs/metadata_cgv.png -report -fit -phase "SIZE=800;700" "NAME=full chain" \
  "NAME2=stage 1, poles and zeros" "DIMX=Frequency, Hz"
"$bin" IN=examples/metadata/TITA1.HGZ OUT=docs/metadata_tita1.png -report -fit -phase \
  "SIZE=800;700" UNITS=acc "DIMX=Frequency, Hz"
"$bin" IN=examples/metadata/RESP.IM.ATTU..BHE TIME=1998,057 OUT=docs/metadata_attu.png -report \
  -fit -phase "SIZE=800;700" UNITS=vel "DIMX=Frequency, Hz"
# The report style beside matplotlib's defaults, on the same data.
"$bin" IN=examples/broadband_120s.txt OUT=docs/compare_afcdraw.png -report -fit -phase \
  "CAPTION=Broadband seismometer, 120 s" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
if /usr/bin/python3 -c "import matplotlib" 2>/dev/null; then
  /usr/bin/python3 examples/matplotlib_bode.py examples/broadband_120s.txt \
    docs/compare_matplotlib.png "Broadband seismometer, 120 s"
else
  echo "python3-matplotlib is missing: docs/compare_matplotlib.png not redrawn" >&2
fi
