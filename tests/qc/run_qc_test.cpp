// afcdraw --qc as a network operator meets it: each check fails the
// channel epoch made to fail it and passes the one made to pass it, a
// check without its data is never a pass, the exit status follows the
// findings, shards split the channels exactly, and each picture is the one
// its own command line draws.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "qc/summary_rows.h"
#include "support/test_files.h"

namespace {

// A broadband channel (120 s corner, flat at 1 Hz) that passes every check:
// 1500 V/(m/s), 400000 counts/V, a 3-tap FIR decimating 1000 Hz by 10.
const char* const good_channel =
    R"(<Station code="@"><Channel code="HHZ" locationCode="" startDate="2020-01-01T00:00:00"><SampleRate>100</SampleRate><Response>
<InstrumentSensitivity><Value>6e8</Value><Frequency>1</Frequency><InputUnits><Name>M/S</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits></InstrumentSensitivity>
<Stage number="1"><PolesZeros><InputUnits><Name>M/S</Name></InputUnits><OutputUnits><Name>V</Name></OutputUnits><PzTransferFunctionType>LAPLACE (RADIANS/SECOND)</PzTransferFunctionType><NormalizationFactor>1</NormalizationFactor><NormalizationFrequency>1</NormalizationFrequency>
<Zero number="0"><Real>0</Real><Imaginary>0</Imaginary></Zero><Zero number="1"><Real>0</Real><Imaginary>0</Imaginary></Zero>
<Pole number="0"><Real>-0.037</Real><Imaginary>0.037</Imaginary></Pole><Pole number="1"><Real>-0.037</Real><Imaginary>-0.037</Imaginary></Pole></PolesZeros><StageGain><Value>1500</Value><Frequency>1</Frequency></StageGain></Stage>
<Stage number="2"><Coefficients><InputUnits><Name>V</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits><CfTransferFunctionType>DIGITAL</CfTransferFunctionType></Coefficients><Decimation><InputSampleRate>1000</InputSampleRate><Factor>1</Factor><Offset>0</Offset><Delay>0</Delay><Correction>0</Correction></Decimation><StageGain><Value>400000</Value><Frequency>1</Frequency></StageGain></Stage>
<Stage number="3"><FIR><InputUnits><Name>COUNTS</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits><Symmetry>NONE</Symmetry><NumeratorCoefficient i="0">0.25</NumeratorCoefficient><NumeratorCoefficient i="1">0.5</NumeratorCoefficient><NumeratorCoefficient i="2">0.25</NumeratorCoefficient></FIR><Decimation><InputSampleRate>1000</InputSampleRate><Factor>10</Factor><Offset>0</Offset><Delay>0</Delay><Correction>0</Correction></Decimation><StageGain><Value>1</Value><Frequency>1</Frequency></StageGain></Stage>
</Response></Channel></Station>
)";

// A pole-zero stage alone: no sensitivity, sample rate, FIR or decimation.
const char* const bare_channel =
    R"(<Station code="BARE"><Channel code="HHZ" locationCode="00" startDate="2020-01-01T00:00:00"><Response>
<Stage number="1"><PolesZeros><InputUnits><Name>M/S</Name></InputUnits><OutputUnits><Name>V</Name></OutputUnits><PzTransferFunctionType>LAPLACE (RADIANS/SECOND)</PzTransferFunctionType><NormalizationFactor>1</NormalizationFactor><NormalizationFrequency>1</NormalizationFrequency>
<Zero number="0"><Real>0</Real><Imaginary>0</Imaginary></Zero><Zero number="1"><Real>0</Real><Imaginary>0</Imaginary></Zero>
<Pole number="0"><Real>-0.037</Real><Imaginary>0.037</Imaginary></Pole><Pole number="1"><Real>-0.037</Real><Imaginary>-0.037</Imaginary></Pole></PolesZeros><StageGain><Value>1500</Value><Frequency>1</Frequency></StageGain></Stage>
</Response></Channel></Station>
)";

std::string replaced(std::string text,
                     const std::vector<std::pair<std::string, std::string>>& edits) {
  for (const auto& [from, to] : edits) {
    size_t at = text.find(from);
    if (at == std::string::npos)
      ADD_FAILURE() << "no " << from;
    else
      text.replace(at, from.size(), to);
  }
  return text;
}

std::string document(const std::string& stations) {
  return "<?xml version=\"1.0\"?>\n<FDSNStationXML xmlns=\"http://www.fdsn.org/xml/station/1\" "
         "schemaVersion=\"1.1\"><Source>test</Source><Created>2020-01-01T00:00:00</Created>"
         "<Network code=\"XX\">" +
         stations + "</Network></FDSNStationXML>\n";
}

// A station made from the good channel by edits.
struct Variant {
  std::string station;
  std::vector<std::pair<std::string, std::string>> edits;
};

const std::vector<Variant> variants = {
    {"GOOD", {}},
    {"SENS", {{"<Value>6e8", "<Value>7e8"}}},
    {"AZERO", {{"<NormalizationFactor>1<", "<NormalizationFactor>2<"}}},
    {"UNITS",
     {{"<Name>V</Name></InputUnits><OutputUnits><Name>COUNTS",
       "<Name>A</Name></InputUnits><OutputUnits><Name>COUNTS"}}},
    {"SUNIT",
     {{"<Name>M/S</Name></InputUnits><OutputUnits><Name>COUNTS",
       "<Name>M/S**2</Name></InputUnits><OutputUnits><Name>COUNTS"}}},
    {"NYQ", {{"<Frequency>1</Frequency><InputUnits>", "<Frequency>60</Frequency><InputUnits>"}}},
    {"BAND",
     {{"<Frequency>1</Frequency><InputUnits>", "<Frequency>0.001</Frequency><InputUnits>"}}},
    {"ROOT", {{"<Real>-0.037</Real><Imaginary>0.037", "<Real>0.037</Real><Imaginary>0.037"}}},
    {"PAIR", {{"<Imaginary>-0.037<", "<Imaginary>-0.040<"}}},
    {"FIR", {{"\">0.25</NumeratorCoefficient></FIR>", "\">0.35</NumeratorCoefficient></FIR>"}}},
    {"FODD", {{"NONE", "ODD"}, {"<NumeratorCoefficient i=\"2\">0.25</NumeratorCoefficient>", ""}}},
    {"RATE", {{"<SampleRate>100<", "<SampleRate>50<"}}},
    {"LOUD", {{"<Value>6e8", "<Value>1.2e9"}, {"<Value>400000", "<Value>800000"}}},
};

std::string inventory_text() {
  std::string stations;
  for (const Variant& v : variants) {
    auto edits = v.edits;
    edits.insert(edits.begin(), {"@", v.station});
    stations += replaced(good_channel, edits);
  }
  return document(stations + bare_channel);
}

// summary.csv as result words by channel and check.
std::map<std::pair<std::string, std::string>, std::string> results(const std::string& csv) {
  std::map<std::pair<std::string, std::string>, std::string> out;
  for (const auto& [key, row] : summary_rows(csv)) out[key] = row.result;
  return out;
}

std::set<std::string> channels(const std::string& csv) {
  std::set<std::string> out;
  for (const auto& [key, result] : results(csv)) out.insert(key.first);
  return out;
}

}  // namespace

TEST(Qc, EachCheckFailsItsFaultAndPassesTheGoodChannel) {
  TempDir dir;
  const std::string xml = dir.path("net.xml");
  write_file(xml, inventory_text());
  write_file(dir.path("good.xml"), document(replaced(good_channel, {{"@", "GOOD"}})));
  write_file(dir.path("table.txt"), "# nominal responses\nXX.GOOD.*.HH? good.xml\nXX.LOUD..HHZ " +
                                        dir.path("good.xml") + "\n");
  RunResult r = run_afcdraw(
      {"--qc", xml, "OUTDIR=" + dir.path("out"), "NOMINAL=" + dir.path("table.txt"), "JOBS=2"});
  EXPECT_EQ(1, r.status) << r.out << r.err;
  EXPECT_EQ("", r.out);
  auto got = results(read_file(dir.path("out/summary.csv")));
  struct Row {
    const char *channel, *check, *result;
  };
  const Row rows[] = {
      {"XX.GOOD..HHZ", "evaluate", "pass"},
      {"XX.GOOD..HHZ", "sensitivity-gain", "pass"},
      {"XX.GOOD..HHZ", "a0-normalisation", "pass"},
      {"XX.GOOD..HHZ", "units-chain", "pass"},
      {"XX.GOOD..HHZ", "sensitivity-frequency", "pass"},
      {"XX.GOOD..HHZ", "pole-zero-roots", "pass"},
      {"XX.GOOD..HHZ", "fir-normalised", "pass"},
      {"XX.GOOD..HHZ", "decimation-chain", "pass"},
      {"XX.GOOD..HHZ", "nominal", "pass"},
      {"XX.SENS..HHZ", "sensitivity-gain", "fail"},
      {"XX.SENS..HHZ", "a0-normalisation", "pass"},
      {"XX.AZERO..HHZ", "a0-normalisation", "fail"},
      {"XX.AZERO..HHZ", "sensitivity-gain", "pass"},
      {"XX.UNITS..HHZ", "units-chain", "fail"},
      {"XX.UNITS..HHZ", "evaluate", "fail"},
      {"XX.UNITS..HHZ", "picture", "fail"},
      {"XX.SUNIT..HHZ", "units-chain", "fail"},
      {"XX.NYQ..HHZ", "sensitivity-frequency", "fail"},
      {"XX.BAND..HHZ", "sensitivity-frequency", "fail"},
      {"XX.ROOT..HHZ", "pole-zero-roots", "fail"},
      {"XX.PAIR..HHZ", "pole-zero-roots", "fail"},
      {"XX.FIR..HHZ", "fir-normalised", "fail"},
      {"XX.FODD..HHZ", "fir-normalised", "pass"},
      {"XX.RATE..HHZ", "decimation-chain", "fail"},
      {"XX.LOUD..HHZ", "sensitivity-gain", "pass"},
      {"XX.LOUD..HHZ", "nominal", "fail"},
      {"XX.SENS..HHZ", "nominal", "not-checked"},
      {"XX.BARE.00.HHZ", "evaluate", "pass"},
      {"XX.BARE.00.HHZ", "sensitivity-gain", "not-checked"},
      {"XX.BARE.00.HHZ", "sensitivity-frequency", "not-checked"},
      {"XX.BARE.00.HHZ", "fir-normalised", "not-checked"},
      {"XX.BARE.00.HHZ", "decimation-chain", "not-checked"},
      {"XX.BARE.00.HHZ", "nominal", "not-checked"},
  };
  for (const Row& row : rows) {
    const std::pair<std::string, std::string> key = {row.channel, row.check};
    EXPECT_EQ(row.result, got[key]) << row.channel << " " << row.check;
  }
  EXPECT_EQ(0u, got.count({"XX.GOOD..HHZ", "picture"}));
}

TEST(Qc, ExitStatusFollowsTheFindings) {
  TempDir dir;
  const std::string xml = dir.path("net.xml");
  write_file(xml, inventory_text());
  write_file(dir.path("good.xml"), document(replaced(good_channel, {{"@", "GOOD"}})));
  write_file(dir.path("points.txt"), "1 1\n2 2\n");
  write_file(dir.path("bad.table"), "XX.GOOD..HHZ good.xml\nno-file-named\n");
  const std::string out = "OUTDIR=" + dir.path("out");
  const std::string good = "CHANNEL=XX.GOOD..HHZ";
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{xml, out, good}, 0},  // nominal not checked
      {{xml, out, good, "-strict"}, 1},
      {{xml, out, good, "NOMINAL=" + dir.path("good.xml"), "-strict", "FORMAT=SVG"}, 0},
      {{xml, out, "CHANNEL=XX.SENS..HHZ"}, 1},
      {{xml, out, "SHARD=0/3"}, 255},
      {{xml, out, "SHARD=4/3"}, 255},
      {{xml, out, "SHARD=1"}, 255},
      {{xml, out, "JOBS=0"}, 255},
      {{xml, out, "FORMAT=GIF"}, 255},
      {{xml, out, "TOL=-1"}, 255},
      {{xml, out, "COLOUR=red"}, 255},
      {{xml}, 255},
      {{out}, 255},
      {{xml, "OUTDIR=" + xml}, 255},
      {{dir.path("missing.xml"), out}, 254},
      {{dir.path("points.txt"), out}, 253},
      {{xml, out, "CHANNEL=XX.NONE..HHZ"}, 253},
      {{xml, out, "NOMINAL=" + dir.path("missing.txt")}, 254},
      {{xml, out, "NOMINAL=" + dir.path("bad.table")}, 253},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--qc"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    std::string line;
    for (const std::string& a : args) line += a + " ";
    EXPECT_EQ(c.status, r.status) << line << r.out << r.err;
    EXPECT_EQ(c.status >= 252, !r.out.empty()) << line;
  }
  EXPECT_NE(std::string::npos,
            read_file(dir.path("out/XX.GOOD..HHZ_2020-01-01T000000.svg")).find("<svg"));
}

TEST(Qc, ShardsSplitTheChannelsExactly) {
  TempDir dir;
  const std::string xml = dir.path("net.xml");
  write_file(xml, inventory_text());
  std::set<std::string> whole, joined;
  size_t parts = 0;
  for (const char* shard : {"", "SHARD=1/3", "SHARD=2/3", "SHARD=3/3"}) {
    std::vector<std::string> args = {"--qc", xml,
                                     "OUTDIR=" + dir.path("o" + std::to_string(parts))};
    if (*shard != '\0') args.push_back(shard);
    RunResult r = run_afcdraw(args);
    ASSERT_LE(r.status, 1) << shard << r.out << r.err;
    std::set<std::string> got =
        channels(read_file(dir.path("o" + std::to_string(parts) + "/summary.csv")));
    ++parts;
    if (*shard == '\0') {
      whole = got;
      continue;
    }
    for (const std::string& c : got) EXPECT_TRUE(joined.insert(c).second) << c << " in two shards";
  }
  EXPECT_EQ(variants.size() + 1, whole.size());
  EXPECT_EQ(whole, joined);
}

TEST(Qc, PictureIsWhatItsCommandLineDraws) {
  TempDir dir;
  const std::string xml = dir.path("net.xml");
  write_file(xml, inventory_text());
  write_file(dir.path("good.xml"), document(replaced(good_channel, {{"@", "GOOD"}})));
  RunResult r = run_afcdraw({"--qc", xml, "OUTDIR=" + dir.path("out"), "CHANNEL=XX.*..HHZ",
                             "TIME=2021-06-01", "NOMINAL=" + dir.path("good.xml"), "JOBS=1"});
  EXPECT_EQ(1, r.status) << r.err;
  const std::string picture = read_file(dir.path("out/XX.GOOD..HHZ_2020-01-01T000000.png"));
  ASSERT_FALSE(picture.empty());
  RunResult alone = run_afcdraw({"IN=" + xml, "CHANNEL=XX.GOOD.--.HHZ", "TIME=2020-01-01T00:00:00",
                                 "OUT=" + dir.path("alone.png"), "FORMAT=PNG", "-report", "-fit",
                                 "-phase", "IN2=" + dir.path("good.xml"), "TOL=1"});
  EXPECT_EQ(0, alone.status) << alone.out << alone.err;
  EXPECT_TRUE(read_file(dir.path("alone.png")) == picture);
}

// The public files the evaluation is proven on state what they state
// rightly: nothing of theirs fails.
TEST(Qc, PublicMetadataFailsNoCheck) {
  TempDir dir;
  const std::string data = AFCDRAW_TEST_DATA;
  RunResult r =
      run_afcdraw({"--qc", data + "/station-metadata/TITA1.HGZ", data + "/resp/RESP.Z.CGV..HYZ",
                   data + "/resp/RESP.IM.ATTU..BHE", "OUTDIR=" + dir.path("out")});
  EXPECT_EQ(0, r.status) << r.out << r.err;
  auto got = results(read_file(dir.path("out/summary.csv")));
  EXPECT_EQ(3u, channels(read_file(dir.path("out/summary.csv"))).size());
  for (const char* check :
       {"sensitivity-gain", "a0-normalisation", "units-chain", "sensitivity-frequency",
        "pole-zero-roots", "fir-normalised", "decimation-chain"}) {
    EXPECT_EQ("pass", (got[{"XX.TITA1..HGZ", check}])) << check;
    // Its RESP header states no sample rate: the chain's end has nothing
    // of the file's own to be held against.
    const bool unstated = std::string(check) == "decimation-chain";
    EXPECT_EQ(unstated ? "not-checked" : "pass", (got[{"Z.CGV..HYZ", check}])) << check;
  }
}
