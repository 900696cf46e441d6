// Faults planted in small channel epochs, each found by its check, and
// clean channels that once failed, passed: one row per case, each run end
// to end as `afcdraw --qc` meets it. scripts/qc_planted_faults.py plants
// every kind of fault in a whole network, StationXML and RESP.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "qc/summary_rows.h"
#include "support/test_files.h"

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << from;
    return text;
  }
  return text.replace(at, from.size(), to);
}

std::string stationxml(const std::string& channel) {
  return "<?xml version=\"1.0\"?>\n<FDSNStationXML xmlns=\"http://www.fdsn.org/xml/station/1\" "
         "schemaVersion=\"1.1\"><Source>test</Source><Created>2020-01-01T00:00:00</Created>"
         "<Network code=\"XX\"><Station code=\"STA\">" +
         channel + "</Station></Network></FDSNStationXML>\n";
}

// A 4.5 Hz geophone damped at 0.3 (a resonance 4.9 dB above its flat
// level), sampled at 200 Hz, its sensitivity quoted at @F Hz.
const std::string geophone_channel =
    R"(<Channel code="EHZ" locationCode="" startDate="2020-01-01T00:00:00"><SampleRate>200</SampleRate><Response>
<InstrumentSensitivity><Value>3e6</Value><Frequency>@F</Frequency><InputUnits><Name>M/S</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits></InstrumentSensitivity>
<Stage number="1"><PolesZeros><InputUnits><Name>M/S</Name></InputUnits><OutputUnits><Name>V</Name></OutputUnits><PzTransferFunctionType>LAPLACE (RADIANS/SECOND)</PzTransferFunctionType><NormalizationFactor>0.841966</NormalizationFactor><NormalizationFrequency>10</NormalizationFrequency>
<Zero number="0"><Real>0</Real><Imaginary>0</Imaginary></Zero><Zero number="1"><Real>0</Real><Imaginary>0</Imaginary></Zero>
<Pole number="0"><Real>-8.4823</Real><Imaginary>26.972</Imaginary></Pole><Pole number="1"><Real>-8.4823</Real><Imaginary>-26.972</Imaginary></Pole></PolesZeros><StageGain><Value>30</Value><Frequency>10</Frequency></StageGain></Stage>
<Stage number="2"><Coefficients><InputUnits><Name>V</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits><CfTransferFunctionType>DIGITAL</CfTransferFunctionType></Coefficients><Decimation><InputSampleRate>200</InputSampleRate><Factor>1</Factor><Offset>0</Offset><Delay>0</Delay><Correction>0</Correction></Decimation><StageGain><Value>100000</Value><Frequency>10</Frequency></StageGain></Stage>
</Response></Channel>)";
const std::string geophone = stationxml(geophone_channel);

// A velocity sensor stated in nanometres as a response list (as older
// networks publish it): amplitude rising with frequency, flat in velocity.
const std::string displacement_list = stationxml(
    R"(<Channel code="BHE" locationCode="" startDate="2020-01-01T00:00:00"><SampleRate>40</SampleRate><Response>
<InstrumentSensitivity><Value>0.001</Value><Frequency>1</Frequency><InputUnits><Name>NM</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits></InstrumentSensitivity>
<Stage number="1"><ResponseList><InputUnits><Name>NM</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits>
<ResponseListElement><Frequency>0.1</Frequency><Amplitude>0.0001</Amplitude><Phase>90</Phase></ResponseListElement>
<ResponseListElement><Frequency>0.5</Frequency><Amplitude>0.0005</Amplitude><Phase>90</Phase></ResponseListElement>
<ResponseListElement><Frequency>1</Frequency><Amplitude>0.001</Amplitude><Phase>90</Phase></ResponseListElement>
<ResponseListElement><Frequency>2</Frequency><Amplitude>0.002</Amplitude><Phase>90</Phase></ResponseListElement>
<ResponseListElement><Frequency>5</Frequency><Amplitude>0.005</Amplitude><Phase>90</Phase></ResponseListElement>
<ResponseListElement><Frequency>15</Frequency><Amplitude>0.015</Amplitude><Phase>90</Phase></ResponseListElement>
</ResponseList></Stage></Response></Channel>)");

// A RESP epoch as rdseed prints it: a sensor, a digitizer at 100 Hz
// (V to counts) and the sensitivity; @R is the header's sample-rate line.
const std::string resp_epoch =
    "B050F03     Station:     @S\n"
    "B050F16     Network:     XX\n"
    "B052F03     Location:    ??\n"
    "B052F04     Channel:     HHZ\n"
    "@R"
    "B052F22     Start date:  2020,001,00:00:00.0000\n"
    "B052F23     End date:    No Ending Time\n"
    "B053F03     Transfer function type:                A [Laplace Transform (Rad/sec)]\n"
    "B053F04     Stage sequence number:                 1\n"
    "B053F05     Response in units lookup:              M/S - Velocity in Meters Per Second\n"
    "B053F06     Response out units lookup:             V - Volts\n"
    "B053F07     A0 normalization factor:               6.36620\n"
    "B053F08     Normalization frequency:               1\n"
    "B053F09     Number of zeroes:                      0\n"
    "B053F14     Number of poles:                       1\n"
    "B053F15-18    0 -1.000000E+00  0.000000E+00  0.000000E+00  0.000000E+00\n"
    "B058F03     Stage sequence number:                 1\n"
    "B058F04     Gain:                                  2.000000E+03\n"
    "B058F05     Frequency of gain:                     1.000000E+00 HZ\n"
    "B054F03     Transfer function type:                D\n"
    "B054F04     Stage sequence number:                 2\n"
    "B054F05     Response in units lookup:              V - Volts\n"
    "B054F06     Response out units lookup:             COUNTS - Digital Counts\n"
    "B054F07     Number of numerators:                  1\n"
    "B054F10     Number of denominators:                0\n"
    "B054F08-09    0  1.000000E+00  0.000000E+00\n"
    "B057F03     Stage sequence number:                 2\n"
    "B057F04     Input sample rate:                     1.000000E+02\n"
    "B057F05     Decimation factor:                     1\n"
    "B057F06     Decimation offset:                     0\n"
    "B057F07     Estimated delay (seconds):             0.000000E+00\n"
    "B057F08     Correction applied (seconds):          0.000000E+00\n"
    "B058F03     Stage sequence number:                 0\n"
    "B058F04     Sensitivity:                           2.000000E+03\n"
    "B058F05     Frequency of sensitivity:              1.000000E+00 HZ\n";

std::string resp(const std::string& station, const std::string& rate_line) {
  return replaced(replaced(resp_epoch, "@S", station), "@R", rate_line);
}

const std::string rate_100 = "B052F18     Sample rate:                           1.000000E+02\n";
const std::string rate_50 = "B052F18     Sample rate:                           5.000000E+01\n";

// A RESP epoch whose digitizer takes amperes from a sensor putting out volts.
std::string resp_broken_units(const std::string& station) {
  return replaced(resp(station, rate_100), "lookup:              V - Volts",
                  "lookup:              A - Amperes");
}

// The sensitivity's line in resp_epoch, stating `value`.
std::string stated(const std::string& value) {
  return "Sensitivity:                           " + value;
}

// A geophone epoch beside one (channel BAD) whose pole is no number.
const std::string bad_number = stationxml(
    replaced(geophone_channel, "@F", "10") +
    replaced(replaced(replaced(geophone_channel, "@F", "10"), "code=\"EHZ\"", "code=\"BAD\""),
             "<Real>-8.4823</Real>", "<Real>-8.48x</Real>"));

// A RESP epoch cut before its sensitivity, then a whole one.
std::string cut_before_sensitivity(const std::string& epoch) {
  return epoch.substr(0, epoch.find("B058F03     Stage sequence number:                 0"));
}
const std::string no_sensitivity =
    cut_before_sensitivity(resp("NOS", rate_100)) + resp("STA", rate_100);

// A RESP epoch whose pole row holds no number, then a whole one.
const std::string bad_resp_line =
    replaced(resp("BAD", rate_100), "-1.000000E+00  0.0", "-1.0000x0E+00  0.0") +
    resp("STA", rate_100);

TEST(QcPlantedFaults, EachFaultFoundAndNoCleanChannelFailed) {
  struct Row {
    const char* name;
    std::string inventory;
    const char *channel, *check, *result, *message;
  };
  const Row rows[] = {
      // A resonance peak above the flat level is no edge of the passband.
      {"geophone flat above its resonance", replaced(geophone, "@F", "10"), "XX.STA..EHZ",
       "sensitivity-frequency", "pass", "flat (its own units"},
      {"geophone below its resonance", replaced(geophone, "@F", "1"), "XX.STA..EHZ",
       "sensitivity-frequency", "fail", "not flat"},
      // Flat in the motion it measures, though stated in another.
      {"velocity sensor stated in nanometres", displacement_list, "XX.STA..BHE",
       "sensitivity-frequency", "pass", "flat (velocity"},
      // A first-order skirt (1 Hz above a 0.16 Hz pole) is in no passband,
      // though it would be flat in displacement.
      {"first-order skirt", resp("STA", rate_100), "XX.STA..HHZ", "sensitivity-frequency", "fail",
       "not flat"},
      // RESP: the header's rate, not the one the stages give themselves.
      {"RESP rate as its header states", resp("STA", rate_100), "XX.STA..HHZ", "decimation-chain",
       "pass", "samples at 100 Hz"},
      {"RESP chain ending off its header's rate", resp("STA", rate_50), "XX.STA..HHZ",
       "decimation-chain", "fail", "samples at 50 Hz"},
      {"RESP without its header's rate", resp("STA", ""), "XX.STA..HHZ", "decimation-chain",
       "not-checked", "no sample rate"},
      {"RESP sensitivity without units", resp("STA", rate_100), "XX.STA..HHZ", "units-chain",
       "pass", "no sensitivity units"},
      {"RESP stage without a gain named beside the product", resp("STA", rate_100), "XX.STA..HHZ",
       "sensitivity-gain", "pass", "stage 2 states no gain (taken as 1)"},
      // RESP units that do not chain: that epoch's finding, not the run's end.
      {"RESP units not chaining", resp_broken_units("BAD") + resp("STA", rate_100), "XX.BAD..HHZ",
       "units-chain", "fail", "stage 1 puts out V but stage 2 takes A"},
      {"RESP beside units not chaining", resp_broken_units("BAD") + resp("STA", rate_100),
       "XX.STA..HHZ", "evaluate", "pass", "can be computed"},
      // An epoch its file states wrongly fails alone; nothing of it is judged further.
      {"XML number that is none", bad_number, "XX.STA..BAD", "evaluate", "fail", "not read: "},
      {"XML unreadable epoch judged no further", bad_number, "XX.STA..BAD", "sensitivity-gain",
       "not-checked", "could not be read"},
      {"XML unreadable epoch not drawn", bad_number, "XX.STA..BAD", "picture", "fail", "not drawn"},
      {"XML beside a number that is none", bad_number, "XX.STA..EHZ", "evaluate", "pass",
       "can be computed"},
      {"RESP epoch without its sensitivity", no_sensitivity, "XX.NOS..HHZ", "evaluate", "fail",
       "without its sensitivity"},
      {"RESP beside an epoch without its sensitivity", no_sensitivity, "XX.STA..HHZ", "evaluate",
       "pass", "can be computed"},
      {"RESP line that is no number", bad_resp_line, "XX.BAD..HHZ", "evaluate", "fail",
       "not read: line 16: not a number"},
      {"RESP beside a line that is no number", bad_resp_line, "XX.STA..HHZ", "evaluate", "pass",
       "can be computed"},
      {"negative A0",
       replaced(resp("STA", rate_100), "factor:               6.36620",
                "factor:               -6.36620"),
       "XX.STA..HHZ", "a0-normalisation", "pass", "normalises"},
      {"negative A0 off",
       replaced(resp("STA", rate_100), "factor:               6.36620",
                "factor:               -6.6"),
       "XX.STA..HHZ", "a0-normalisation", "fail", "A0 -6.6"},
      // A reversed polarity states the sensitivity negative: its size is judged.
      {"negative sensitivity off",
       replaced(resp("STA", rate_100), stated("2.000000E+03"), stated("-3.000000E+03")),
       "XX.STA..HHZ", "sensitivity-gain", "fail", "stated sensitivity is -3000"},
      {"negative sensitivity and stage gain",
       replaced(replaced(resp("STA", rate_100), stated("2.000000E+03"), stated("-2.000000E+03")),
                "Gain:                                  2",
                "Gain:                                  -2"),
       "XX.STA..HHZ", "sensitivity-gain", "pass", "stated sensitivity is -2000"},
  };
  for (const Row& row : rows) {
    TempDir dir;
    write_file(dir.path("inventory"), row.inventory);
    RunResult r = run_afcdraw({"--qc", dir.path("inventory"), "OUTDIR=" + dir.path("out")});
    EXPECT_LE(r.status, 1) << row.name << r.out << r.err;
    auto got = summary_rows(read_file(dir.path("out/summary.csv")));
    const SummaryRow& f = got[{row.channel, row.check}];
    EXPECT_EQ(row.result, f.result) << row.name << ": " << f.line;
    EXPECT_NE(std::string::npos, f.line.find(row.message)) << row.name << ": " << f.line;
  }
}

// The same epoch in two inventories, and codes that differ only in
// characters a file name escapes: each row its own picture.
TEST(QcPlantedFaults, EachEpochDrawsItsOwnPicture) {
  TempDir dir;
  const std::string epoch = replaced(geophone_channel, "@F", "10");
  write_file(dir.path("a.xml"), stationxml(epoch));
  write_file(dir.path("b.xml"), stationxml(replaced(epoch, "code=\"EHZ\"", "code=\"E/Z\"") +
                                           replaced(epoch, "code=\"EHZ\"", "code=\"E_Z\"")));
  RunResult r = run_afcdraw({"--qc", dir.path("a.xml"), dir.path("a.xml"), dir.path("b.xml"),
                             "OUTDIR=" + dir.path("out"), "JOBS=2"});
  EXPECT_EQ(0, r.status) << r.out << r.err;
  const std::string csv = read_file(dir.path("out/summary.csv"));
  for (const char* picture :
       {"XX.STA..EHZ_2020-01-01T000000.png", "XX.STA..EHZ_2020-01-01T000000_2.png",
        "XX.STA..E_2FZ_2020-01-01T000000.png", "XX.STA..E_5FZ_2020-01-01T000000.png"}) {
    EXPECT_NE(std::string::npos, csv.find(std::string(",") + picture + "\r\n")) << picture;
    EXPECT_FALSE(read_file(dir.path("out/") + picture).empty()) << picture;
  }
}

}  // namespace
