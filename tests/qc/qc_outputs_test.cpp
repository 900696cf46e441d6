// The network check's files as a CI server, a script or a spreadsheet reads
// them: exact CSV, JSON and JUnit XML that parse back to the findings, and
// the same bytes whatever order the findings came in.

#include "qc/qc_outputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "qc/sample_epochs.h"
#include "support/test_files.h"

namespace {

const char* const file_names[] = {"summary.csv", "summary.json", "junit.xml", "index.html"};

TEST(QcOutputs, CsvHasARowPerEpochAndCheckInFileOrder) {
  TempDir dir;
  ASSERT_EQ(0, write_qc_outputs(dir.dir(), sample_epochs()));
  EXPECT_EQ(
      "channel,start,end,check,result,value,limit,message,picture\r\n"
      "GE.WLF..HHE,2015-03-04T00:00:00,,sensitivity-gain,pass,0.4 %,5 %,agree \xEF\xBF\xBD,"
      "GE.WLF..HHE.png\r\n"
      "IU.ANMO.00.BHZ,2010-01-01T00:00:00,,sensitivity-gain,pass,0.1 %,5 %,stated and computed "
      "agree,IU.ANMO.00.BHZ_2010.png\r\n"
      "IU.ANMO.00.BHZ,2010-01-01T00:00:00,,a0-normalisation,fail,12 %,2 %,A0 gives 1.12 at 1 "
      "Hz,IU.ANMO.00.BHZ_2010.png\r\n"
      "\"XX.A<&\"\"B.,.HHZ\",2001-01-01T00:00:00,2002-01-01T00:00:00,units-chain,not-checked,,,"
      "\"line one\nline \"\"two\"\"\x01, end\",pics/odd #1 \xD0\x96.png\r\n"
      "\"XX.A<&\"\"B.,.HHZ\",2001-01-01T00:00:00,2002-01-01T00:00:00,pole-zero-roots,pass,,,"
      "stable,pics/odd #1 \xD0\x96.png\r\n",
      read_file(dir.path("summary.csv")));
}

// Any order of the same findings, the same bytes in every file.
TEST(QcOutputs, OrderOfFindingsChangesNoByte) {
  TempDir first, other;
  std::vector<QcEpoch> epochs = sample_epochs();
  ASSERT_EQ(0, write_qc_outputs(first.dir(), epochs));
  std::reverse(epochs.begin(), epochs.end());
  std::rotate(epochs.begin(), epochs.begin() + 1, epochs.end());
  ASSERT_EQ(0, write_qc_outputs(other.dir(), epochs));
  for (const char* name : file_names) {
    EXPECT_TRUE(read_file(first.path(name)) == read_file(other.path(name))) << name;
  }
}

// Parsed by Python's own readers, each file gives the findings back.
TEST(QcOutputs, JsonAndJunitParseBackToTheFindings) {
  TempDir dir;
  ASSERT_EQ(0, write_qc_outputs(dir.dir(), sample_epochs()));
  write_file(
      dir.path("read.py"),
      "import json, xml.etree.ElementTree as ET\n"
      "d = json.load(open('summary.json', encoding='utf-8'))\n"
      "e = d['epochs']\n"
      "print(len(e), [x['channel'] for x in e][3], e[3]['picture'])\n"
      "print(json.dumps(e[3]['findings'][0]['message']), len(e[1]['findings']))\n"
      "s = ET.parse('junit.xml').getroot()\n"
      "print(s.tag, s.get('tests'), s.get('failures'), s.get('skipped'))\n"
      "for c in s:\n"
      "  f = c.find('failure')\n"
      "  print(c.get('classname'), c.get('name'), f.text if f is not None else\n"
      "        [k.get('message') for k in c.findall('skipped')], c.findtext('system-out'))\n");
  RunResult r = run_shell(dir.dir(), "PYTHONIOENCODING=utf-8 python3 read.py");
  ASSERT_EQ(0, r.status) << "python3 is needed";
  EXPECT_EQ(
      "4 XX.A<&\"B.,.HHZ pics/odd #1 \xD0\x96.png\n"
      "\"line one\\nline \\\"two\\\"\\u0001, end\" 0\n"
      "testsuite 4 1 1\n"
      "GE.WLF GE.WLF..HHE 2015-03-04T00:00:00 [] None\n"
      "IU.ANMO IU.ANMO.00.BHZ 2005-06-01T00:00:00 ['no check applies'] None\n"
      "IU.ANMO IU.ANMO.00.BHZ 2010-01-01T00:00:00 a0-normalisation: 12 % (limit 2 %): A0 gives "
      "1.12 at 1 Hz\n None\n"
      "XX.A<&\"B XX.A<&\"B.,.HHZ 2001-01-01T00:00:00 [] not checked: units-chain\n",
      r.out);
  EXPECT_EQ(0, run_shell(dir.dir(), "xmllint --noout junit.xml").status);
}

}  // namespace
