// StationXML read into the channel epoch model: the reference file's stages
// and numbers, namespace forms, the stage kinds, which epochs a filter keeps,
// and hostile files that must end with a reason and no channel.

#include "metadata/read_stationxml.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/test_files.h"

namespace {

const std::string tita1_path = std::string(AFCDRAW_TEST_DATA) + "/station-metadata/TITA1.HGZ";

ChannelFilter any_channel() {
  return ChannelFilter();
}

// A one-channel inventory (XX.S1.00.HHZ from 2010) whose Response holds `response`.
std::string inventory(const std::string& response, const std::string& prolog = "") {
  return prolog +
         "<FDSNStationXML xmlns=\"http://www.fdsn.org/xml/station/1\" schemaVersion=\"1.2\">\n"
         "<Network code=\"XX\"><Station code=\"S1\">\n"
         "<Channel code=\"HHZ\" locationCode=\"00\" startDate=\"2010-01-01T00:00:00\">\n"
         "<Response>" +
         response + "</Response></Channel></Station></Network></FDSNStationXML>\n";
}

std::string stage(const std::string& body, int number = 1) {
  return "<Stage number=\"" + std::to_string(number) + "\">" + body + "</Stage>";
}

// Every element of the default namespace moved to the prefix "fsx".
std::string with_prefix(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] != '<') continue;
    if (text[i + 1] == '/') out += text[++i];
    if (isalpha(static_cast<unsigned char>(text[i + 1]))) out += "fsx:";
  }
  size_t at = out.find("xmlns=");
  return out.replace(at, 6, "xmlns:fsx=");
}

std::string without_namespace(std::string text) {
  std::string declaration = " xmlns=\"http://www.fdsn.org/xml/station/1\"";
  return text.erase(text.find(declaration), declaration.size());
}

std::vector<ChannelResponse> read_text(const std::string& text, int expected_status = 0,
                                       const ChannelFilter& filter = any_channel()) {
  std::vector<ChannelResponse> out;
  std::string why;
  EXPECT_EQ(read_stationxml_text(text, "test.xml", filter, out, why), expected_status) << why;
  return out;
}

struct StageRow {
  int number;
  StageKind kind;
  const char *input, *output;
  size_t numerators;
  double gain, input_rate;
  int factor;
  double delay;
};

TEST(ReadStationXml, ReferenceFileGivesItsStagesAndNumbers) {
  std::vector<ChannelResponse> out;
  std::string why;
  ASSERT_EQ(read_stationxml(tita1_path, any_channel(), out, why), 0) << why;
  ASSERT_EQ(out.size(), 1u);
  const ChannelResponse& c = out[0];
  EXPECT_EQ(c.network + "." + c.station + "." + c.location + "." + c.channel, "XX.TITA1..HGZ");
  EXPECT_EQ(c.start, "2018-05-31T13:00:00.000000");
  EXPECT_EQ(c.end, "");
  EXPECT_EQ(c.sample_rate, 200);
  EXPECT_EQ(c.source, tita1_path);
  EXPECT_TRUE(c.has_sensitivity);
  EXPECT_EQ(c.sensitivity, 408000);
  EXPECT_EQ(c.sensitivity_frequency, 1);
  EXPECT_EQ(c.sensitivity_input_units, "M/S**2");
  EXPECT_EQ(c.sensitivity_output_units, "COUNTS");

  const StageRow rows[] = {
      {1, StageKind::laplace_rad, "M/S**2", "V", 0, 1.02, 0, 1, 0},
      {2, StageKind::gain_only, "V", "COUNTS", 0, 1, 30000, 1, 0},
      {3, StageKind::fir, "COUNTS", "COUNTS", 1, 400000, 30000, 1, 0},
      {4, StageKind::fir, "COUNTS", "COUNTS", 173, 1, 30000, 15, 0.002866667},
      {5, StageKind::fir, "COUNTS", "COUNTS", 95, 1, 2000, 5, 0.0235},
      {6, StageKind::fir, "COUNTS", "COUNTS", 223, 1, 400, 2, 0.2775},
  };
  ASSERT_EQ(c.stages.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const StageRow& row = rows[i];
    const Stage& s = c.stages[i];
    SCOPED_TRACE("stage " + std::to_string(row.number));
    EXPECT_EQ(s.number, row.number);
    EXPECT_EQ(s.kind, row.kind);
    EXPECT_EQ(s.input_units, row.input);
    EXPECT_EQ(s.output_units, row.output);
    EXPECT_EQ(s.numerators.size(), row.numerators);
    EXPECT_TRUE(s.has_gain);
    EXPECT_EQ(s.gain, row.gain);
    EXPECT_EQ(s.has_decimation, i > 0);
    EXPECT_EQ(s.input_sample_rate, row.input_rate);
    EXPECT_EQ(s.decimation_factor, row.factor);
    EXPECT_EQ(s.delay, row.delay);
    EXPECT_EQ(s.correction, row.delay);
    EXPECT_EQ(s.symmetry, FirSymmetry::none);
  }
  const Stage& pz = c.stages[0];
  EXPECT_EQ(pz.a0, 1.0077e+18);
  EXPECT_EQ(pz.a0_frequency, 1);
  EXPECT_EQ(pz.gain_frequency, 1);
  ASSERT_EQ(pz.zeros.size(), 1u);
  EXPECT_EQ(pz.zeros[0], std::complex<double>(-515, 0));
  ASSERT_EQ(pz.poles.size(), 6u);
  EXPECT_EQ(pz.poles[0], std::complex<double>(-977, 328));
  EXPECT_EQ(pz.poles[5], std::complex<double>(-5736, -4946));
  EXPECT_EQ(c.stages[3].numerators.front(), -4.362506e-10);
  EXPECT_EQ(c.stages[3].numerators[86], 0.05892815);
  EXPECT_EQ(c.stages[5].numerators.back(), -2.487704e-10);
}

bool same_model(const ChannelResponse& a, const ChannelResponse& b) {
  if (a.stages.size() != b.stages.size() || a.sensitivity != b.sensitivity) return false;
  for (size_t i = 0; i < a.stages.size(); ++i) {
    const Stage &x = a.stages[i], &y = b.stages[i];
    if (x.kind != y.kind || x.numerators != y.numerators || x.poles != y.poles ||
        x.input_units != y.input_units || x.gain != y.gain || x.delay != y.delay) {
      return false;
    }
  }
  return true;
}

TEST(ReadStationXml, NamespaceFormsReadAlike) {
  const std::string text = read_file(tita1_path);
  std::vector<ChannelResponse> plain = read_text(text);
  ASSERT_EQ(plain.size(), 1u);
  ASSERT_EQ(plain[0].stages.size(), 6u);
  // An extension element of another namespace is passed over, whatever its name.
  std::string extended = text;
  extended.insert(extended.find("<Stage number=\"1\">"),
                  "<ext:Stage xmlns:ext=\"urn:x\" number=\"9\"><ext:FIR/></ext:Stage>");
  for (const std::string& variant :
       {with_prefix(text), without_namespace(text), extended, "\xEF\xBB\xBF" + text}) {
    EXPECT_TRUE(is_stationxml(variant)) << variant.substr(0, 120);
    std::vector<ChannelResponse> out = read_text(variant);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(same_model(out[0], plain[0])) << variant.substr(0, 120);
  }
}

TEST(ReadStationXml, WhatIsStationXml) {
  const std::string tita1 = read_file(tita1_path);
  const struct {
    std::string text;
    bool stationxml;
  } cases[] = {
      {tita1, true},
      {with_prefix(tita1), true},
      {"<!-- inventory --><?pi x?>\n<FDSNStationXML/>", true},
      {"<!DOCTYPE FDSNStationXML [<!ENTITY a \"b\">]><FDSNStationXML>", true},
      {"0.1 1 0\n1 2 3\n", false},
      {"ZEROS 2\nPOLES 2\n-1 0\n", false},
      {"#\t\t<< IRIS SEED Reader >>\nB050F03     Station:     CGV\n", false},
      {"<?xml version=\"1.0\"?><FDSNStationXMLx/>", false},
      {"<?xml version=\"1.0\"?><quakeml/>", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_stationxml(c.text), c.stationxml) << c.text;
}

TEST(ReadStationXml, EachResponseElementGivesItsKind) {
  const std::string units =
      "<InputUnits><Name>m/s</Name></InputUnits>"
      "<OutputUnits><Name>V</Name></OutputUnits>";
  const std::string root = "<Real>-1</Real><Imaginary>2</Imaginary>";
  const struct {
    std::string body;
    StageKind kind;
    size_t values;  // roots, coefficients or list points
  } cases[] = {
      {"<PolesZeros>" + units +
           "<PzTransferFunctionType>LAPLACE (HERTZ)</PzTransferFunctionType>"
           "<Pole>" +
           root + "</Pole></PolesZeros>",
       StageKind::laplace_hz, 1},
      {"<PolesZeros>" + units +
           "<PzTransferFunctionType>DIGITAL (Z-TRANSFORM)"
           "</PzTransferFunctionType><Zero>" +
           root + "</Zero><Pole>" + root + "</Pole></PolesZeros>",
       StageKind::digital_pz, 2},
      {"<Coefficients>" + units +
           "<CfTransferFunctionType>DIGITAL</CfTransferFunctionType>"
           "<Numerator>0.5</Numerator><Numerator>0.5</Numerator></Coefficients>",
       StageKind::fir, 2},
      {"<Coefficients>" + units +
           "<CfTransferFunctionType>DIGITAL</CfTransferFunctionType>"
           "<Numerator>1</Numerator><Denominator>1</Denominator><Denominator>-0.5</Denominator>"
           "</Coefficients>",
       StageKind::iir, 3},
      {"<Coefficients>" + units + "</Coefficients>", StageKind::gain_only, 0},
      {"<FIR>" + units +
           "<Symmetry>EVEN</Symmetry><NumeratorCoefficient i=\"1\">0.25"
           "</NumeratorCoefficient></FIR>",
       StageKind::fir, 1},
      {"<ResponseList>" + units +
           "<ResponseListElement><Frequency>1</Frequency><Amplitude>2"
           "</Amplitude><Phase>-90</Phase></ResponseListElement><ResponseListElement><Frequency>2"
           "</Frequency><Amplitude>3</Amplitude><Phase>45</Phase></ResponseListElement>"
           "</ResponseList>",
       StageKind::list, 2},
      {"<Polynomial>" + units +
           "<Coefficient number=\"0\">0.1</Coefficient>"
           "<Coefficient number=\"1\">2</Coefficient></Polynomial>",
       StageKind::polynomial, 2},
      {"", StageKind::gain_only, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    std::vector<ChannelResponse> out =
        read_text(inventory(stage(c.body + "<StageGain><Value>7</Value><Frequency>1"
                                           "</Frequency></StageGain>")));
    ASSERT_EQ(out.size(), 1u);
    ASSERT_EQ(out[0].stages.size(), 1u);
    const Stage& s = out[0].stages[0];
    EXPECT_EQ(s.kind, c.kind);
    EXPECT_EQ(s.zeros.size() + s.poles.size() + s.numerators.size() + s.denominators.size() +
                  s.list.size() + s.polynomial.size(),
              c.values);
    EXPECT_EQ(s.gain, 7);
    EXPECT_EQ(s.input_units, c.body.empty() ? "" : "m/s");
  }
  const std::vector<ChannelResponse> fir = read_text(inventory(stage(cases[5].body)));
  EXPECT_EQ(fir[0].stages[0].symmetry, FirSymmetry::even);
  const std::vector<ChannelResponse> list = read_text(inventory(stage(cases[6].body)));
  EXPECT_EQ(list[0].stages[0].list[1].phase_deg, 45);
}

TEST(ReadStationXml, StagesComeInSequenceOrder) {
  std::vector<ChannelResponse> out =
      read_text(inventory(stage("", 3) + stage("", 1) + stage("", 2)));
  ASSERT_EQ(out.size(), 1u);
  ASSERT_EQ(out[0].stages.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(out[0].stages[i].number, i + 1);
}

TEST(ReadStationXml, FilterKeepsTheMatchingEpochs) {
  const std::string text =
      "<FDSNStationXML xmlns=\"http://www.fdsn.org/xml/station/1\" schemaVersion=\"1.1\">"
      "<Network code=\"XX\"><Station code=\"S1\">"
      "<Channel code=\"HHZ\" locationCode=\"00\" startDate=\"2010-01-01T00:00:00\" "
      "endDate=\"2015-01-01T00:00:00Z\"/>"
      "<Channel code=\"HHZ\" locationCode=\"00\" startDate=\"2015-01-01T00:00:00\"/>"
      "<Channel code=\"HHN\" locationCode=\"\" startDate=\"2010-01-01\"/>"
      "</Station><Station code=\"S2\"><Channel code=\"BHZ\" locationCode=\"10\" "
      "startDate=\"2012-06-01T00:00:00+00:00\"/></Station></Network>"
      "<Network code=\"YY\"><Station code=\"S1\"><Channel code=\"HHZ\" locationCode=\"00\" "
      "startDate=\"2010-01-01\"/></Station></Network></FDSNStationXML>";
  const struct {
    const char *pattern, *time;
    std::vector<std::string> kept;  // NET.STA.LOC.CHA start
  } cases[] = {
      {"*.*.*.*",
       "",
       {"XX.S1.00.HHZ 2010", "XX.S1.00.HHZ 2015", "XX.S1..HHN 2010", "XX.S2.10.BHZ 2012",
        "YY.S1.00.HHZ 2010"}},
      {"XX.S1.00.HHZ", "2014-12-31T23:59:59", {"XX.S1.00.HHZ 2010"}},
      {"XX.S1.00.HHZ", "2015-01-01", {"XX.S1.00.HHZ 2015"}},
      {"xx.s?.*.hh?", "2016-01-01", {"XX.S1.00.HHZ 2015", "XX.S1..HHN 2010"}},
      {"*.S1.--.*", "", {"XX.S1..HHN 2010"}},
      {"*.*.*.BHZ", "2012-01-01", {}},
      {"ZZ.*.*.*", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " " + c.time);
    ChannelFilter filter;
    ASSERT_TRUE(parse_channel_pattern(c.pattern, filter));
    filter.time = *c.time ? normal_time(c.time) : "";
    std::vector<std::string> kept;
    for (const ChannelResponse& r : read_text(text, 0, filter)) {
      kept.push_back(r.network + "." + r.station + "." + r.location + "." + r.channel + " " +
                     r.start.substr(0, 4));
    }
    EXPECT_EQ(kept, c.kept);
  }
}

// The bodies of channels not asked for are passed over by a quick search for
// their end tag: markup that merely looks like one must not end them early,
// and positions after them must still name the right line and column.
TEST(ReadStationXml, ChannelsNotAskedForArePassedOverWhole) {
  const std::string fir =
      "<Stage number=\"1\"><FIR><Symmetry>NONE</Symmetry>"
      "<NumeratorCoefficient>0.5</NumeratorCoefficient></FIR></Stage>";
  const std::string decoys =
      "<!-- </Channel> --><![CDATA[ </Channel> ]]><?pi </Channel> ?>"
      "<Comment note=\"a > b\" x='/>'><Value>1</Value></Comment>"
      "<ext:Channel xmlns:ext=\"urn:x\" code='X'>\n<Channel/></ext:Channel>"
      "<Channel code=\"Y\"><Response/></Channel>";
  const std::string head =
      "<FDSNStationXML xmlns=\"http://www.fdsn.org/xml/station/1\">\n"
      "<Network code=\"XX\"><Station code=\"S1\">\n"
      "<Channel code=\"HHN\" locationCode=\"\" startDate=\"2010-01-01\"/>\n"
      "<Channel code=\"HHE\" locationCode=\"\" startDate=\"2010-01-01\">\n" +
      decoys + "<Response>\n" + fir + "</Response></Channel>\n";
  const std::string tail = "</Station></Network></FDSNStationXML>\n";
  auto asked = [](const char* pattern) {
    ChannelFilter filter;
    parse_channel_pattern(pattern, filter);
    return filter;
  };
  const std::string wanted =
      "<Channel code=\"HHZ\" locationCode=\"\" startDate=\"2010-01-01\">"
      "<Response>" +
      fir + "</Response></Channel>\n";
  for (const char* pattern : {"XX.S1..HHZ", "XX.S1..HHE", "*.*.*.*"}) {
    SCOPED_TRACE(pattern);
    std::vector<ChannelResponse> out = read_text(head + wanted + tail, 0, asked(pattern));
    ASSERT_EQ(out.size(), std::string(pattern) == "*.*.*.*" ? 3u : 1u);
    EXPECT_EQ(out.back().channel, std::string(pattern) == "XX.S1..HHE" ? "HHE" : "HHZ");
    ASSERT_EQ(out.back().stages.size(), 1u);
    EXPECT_EQ(out.back().stages[0].numerators, std::vector<double>{0.5});
  }
  // Passed over unparsed: a bare ampersand there goes unnoticed, unless the
  // channel is asked for.
  std::string loose = head;
  loose.insert(loose.find("<Response>\n"), "<Comment>R&D</Comment>");
  EXPECT_EQ(read_text(loose + wanted + tail, 0, asked("XX.S1..HHZ")).size(), 1u);
  EXPECT_EQ(read_text(loose + wanted + tail, -1, asked("XX.S1..HHE")).size(), 0u);
  std::string bad = wanted;
  bad.replace(bad.find("0.5"), 3, "0.5x");
  std::vector<ChannelResponse> out;
  std::string why;
  EXPECT_EQ(read_stationxml_text(head + bad + tail, "t.xml", asked("XX.S1..HHZ"), out, why), -1);
  EXPECT_EQ(why, "t.xml, line 8, column 144, <NumeratorCoefficient>: \"0.5x\" is not a number");
}

std::string nested(int depth) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) open += "<a>\n", close += "</a>";
  return inventory(stage(open + close));
}

TEST(ReadStationXml, HostileFilesEndWithAReason) {
  TempDir dir;
  write_file(dir.path("secret"), "<Value>1</Value>");
  const std::string laughs =
      "<!DOCTYPE FDSNStationXML [<!ENTITY lol \"lol\">"
      "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
      "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">"
      "<!ENTITY lol9 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">]>\n";
  const std::string tita1 = read_file(tita1_path);
  const std::string fir = "<FIR><Symmetry>NONE</Symmetry><NumeratorCoefficient>";
  const struct {
    const char* name;
    std::string text;
    const char* reason;
  } cases[] = {
      {"billion laughs", inventory(stage("<FIR><Symmetry>&lol9;</Symmetry></FIR>"), laughs),
       "line 1, column 40: the document type declares the entity \"lol\""},
      {"external entity",
       inventory(stage("&x;"), "<!DOCTYPE FDSNStationXML [<!ENTITY x SYSTEM \"file://" +
                                   dir.path("secret") + "\">]>\n"),
       "declares the entity \"x\": entities are refused"},
      {"undeclared entity", inventory(stage("&x;")), "line 4, column 29: undefined entity"},
      {"deep nesting", nested(100000),
       "line 98, column 1, <a>: elements nest deeper than 100 levels"},
      {"cut short", tita1.substr(0, tita1.size() / 2), "cut short"},
      {"not a number", inventory(stage(fir + "0.5x</NumeratorCoefficient></FIR>")),
       "line 4, column 85, <NumeratorCoefficient>: \"0.5x\" is not a number"},
      {"number out of range", inventory(stage(fir + "1e999</NumeratorCoefficient></FIR>")),
       "\"1e999\" is out of range"},
      {"huge value text",
       inventory(stage(fir + std::string(100000, '1') + "</NumeratorCoefficient></FIR>")),
       "<NumeratorCoefficient>: text longer than 256 characters"},
      {"stage number", inventory("<Stage number=\"99999999999\"/>"),
       "<Stage>: number \"99999999999\" is out of range (0 to 9999)"},
      {"no stage number", inventory("<Stage/>"), "<Stage>: the stage has no number"},
      {"decimation factor",
       inventory(stage("<Decimation><InputSampleRate>1</InputSampleRate><Factor>0</Factor>"
                       "</Decimation>")),
       "<Factor>: \"0\" is out of range"},
      {"symmetry", inventory(stage("<FIR><Symmetry>HALF</Symmetry></FIR>")),
       "\"HALF\" is not a symmetry"},
      {"pole-zero type",
       inventory(stage("<PolesZeros><PzTransferFunctionType>LAPLACE</PzTransferFunctionType>"
                       "</PolesZeros>")),
       "\"LAPLACE\" is not a pole-zero transfer function type"},
      {"two responses in a stage", inventory(stage("<FIR><Symmetry>NONE</Symmetry></FIR><FIR/>")),
       "<FIR>: a second response in one stage"},
      {"analog coefficients",
       inventory(stage("<Coefficients><CfTransferFunctionType>ANALOG (HERTZ)"
                       "</CfTransferFunctionType><Numerator>1</Numerator></Coefficients>")),
       "analog coefficients are not evaluated"},
      {"start date",
       [] {
         std::string t = inventory("");
         return t.replace(t.find("2010-01-01T"), 4, "20x0");
       }(),
       "<Channel>: startDate \"20x0-01-01T00:00:00\" is not a time"},
      {"list frequencies falling",
       inventory(stage("<ResponseList><ResponseListElement><Frequency>2</Frequency>"
                       "</ResponseListElement><ResponseListElement><Frequency>1</Frequency>"
                       "</ResponseListElement></ResponseList>")),
       "<ResponseListElement>: list frequencies must rise"},
      {"a stage missing", inventory(stage("", 1) + stage("", 3)),
       "<Channel>: stage 2 missing (stage 3 follows)"},
      {"a stage given twice", inventory(stage("", 1) + stage("", 2) + stage("", 2)),
       "<Channel>: stage 2 given twice"},
      {"another root", "<FDSNStationXMLx/>", "<FDSNStationXMLx>: the root element is not"},
      {"empty", "", "no element found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ChannelResponse> out(1);
    std::string why;
    auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(read_stationxml_text(c.text, "hostile.xml", any_channel(), out, why), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1));
    EXPECT_EQ(out.size(), 1u);
    EXPECT_EQ(why.rfind("hostile.xml, line ", 0), 0u) << why;
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
  }
}

TEST(ReadStationXml, DeclaredNumbersAllocateNothing) {
  std::string roots;
  for (int i = 0; i < 10; ++i) {
    roots += "<Zero number=\"1000000\"><Real>-1</Real><Imaginary>0</Imaginary></Zero>";
  }
  std::vector<ChannelResponse> out = read_text(inventory(stage(
      "<PolesZeros><PzTransferFunctionType>LAPLACE (RADIANS/SECOND)</PzTransferFunctionType>" +
      roots + "</PolesZeros>")));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].stages[0].zeros.size(), 10u);
}

TEST(ReadStationXml, PipeIsReadWhole) {
  TempDir dir;
  const std::string fifo = dir.path("inventory");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { write_file(fifo, read_file(tita1_path)); });
  std::vector<ChannelResponse> out;
  std::string why;
  EXPECT_EQ(read_stationxml(fifo, any_channel(), out, why), 0) << why;
  writer.join();
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].stages.size(), 6u);
}

TEST(ReadStationXml, MissingFileIsNamed) {
  std::vector<ChannelResponse> out;
  std::string why;
  EXPECT_EQ(read_stationxml("/nonexistent/inventory.xml", any_channel(), out, why), -1);
  EXPECT_EQ(why, "/nonexistent/inventory.xml: No such file or directory");
}

}  // namespace
