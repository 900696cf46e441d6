// index.html as a reader meets it in Chromium: worst epochs first, the
// filters set from the address's hash, every thumbnail and link leading to
// a picture beside the page, names shown as text, and no request leaving the
// machine.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "qc/qc_outputs.h"
#include "qc/sample_epochs.h"
#include "support/test_files.h"

namespace {

// Headless Chromium, offline: every host name fails to resolve. The browser
// itself may still try its own services; those requests name no origin.
std::string chromium_command(const std::string& profile) {
  return "chromium --headless --no-sandbox --disable-gpu --disable-background-networking "
         "--user-data-dir='" +
         profile + "' --host-resolver-rules='MAP * ~NOTFOUND' ";
}

bool have_chromium() {
  return run_shell("/", "command -v chromium >/dev/null").status == 0;
}

// The page as Chromium holds it once its script ran.
std::string page_dom(const TempDir& dir, const std::string& hash) {
  return run_shell(dir.dir(), chromium_command(dir.path("profile")) + "--dump-dom 'file://" +
                                  dir.path("index.html") + hash + "' 2>/dev/null")
      .out;
}

// The rows shown, by verdict, in page order.
std::vector<std::string> shown_rows(const std::string& dom) {
  std::vector<std::string> rows;
  const std::string row = "<tr data-verdict=\"";
  for (size_t at = dom.find(row); at != std::string::npos; at = dom.find(row, at + 1)) {
    size_t word = at + row.size();
    rows.push_back(dom.substr(word, dom.find('"', word) - word));
  }
  return rows;
}

// Every href="..." and src="..." value of the page, percent-decoded.
std::vector<std::string> targets(const std::string& page) {
  std::vector<std::string> found;
  for (const std::string attribute : {" href=\"", " src=\""}) {
    for (size_t at = page.find(attribute); at != std::string::npos;
         at = page.find(attribute, at + 1)) {
      size_t begin = at + attribute.size();
      std::string url = page.substr(begin, page.find('"', begin) - begin), name;
      for (size_t i = 0; i < url.size(); ++i) {
        bool escaped = url[i] == '%' && i + 2 < url.size();
        name += escaped ? static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16)) : url[i];
        if (escaped) i += 2;
      }
      found.push_back(name);
    }
  }
  return found;
}

class QcPage : public testing::Test {
 protected:
  void SetUp() override {
    run_shell(dir_.dir(), "mkdir pics");
    ASSERT_EQ(0, write_qc_outputs(dir_.dir(), sample_epochs()));
    for (const QcEpoch& e : sample_epochs()) {
      if (!e.picture.empty()) write_file(dir_.path(e.picture), "picture");
    }
    page_ = read_file(dir_.path("index.html"));
  }
  TempDir dir_;
  std::string page_;
};

TEST_F(QcPage, NeedsNothingButThePicturesBesideIt) {
  EXPECT_EQ(std::string::npos, page_.find("://"));
  EXPECT_EQ(std::string::npos, page_.find("A<&"));  // no markup from a name, even in the data
  if (!have_chromium()) SKIP_OUTSIDE_CI("chromium is not installed");
  std::string dom = page_dom(dir_, "");
  EXPECT_NE(std::string::npos, dom.find("<td>XX.A&lt;&amp;\"B.,.HHZ</td>"));
  EXPECT_NE(std::string::npos, dom.find("<img loading=\"lazy\" src=\""));
  EXPECT_NE(std::string::npos, dom.find("a0-normalisation</span> fail: A0 gives 1.12 at 1 Hz<span "
                                        "class=\"number\"> (12 % against 2 %)</span>"));
  std::vector<std::string> linked = targets(dom);
  EXPECT_EQ(6u, linked.size());  // a link and a thumbnail for each of three pictures
  for (const std::string& name : linked) {
    struct stat st;
    EXPECT_EQ(0, stat(dir_.path(name).c_str(), &st)) << name;
  }
}

TEST_F(QcPage, FiltersFollowTheAddress) {
  if (!have_chromium()) SKIP_OUTSIDE_CI("chromium is not installed");
  using Rows = std::vector<std::string>;
  const struct {
    const char* hash;
    Rows rows;
  } cases[] = {
      {"", {"fail", "not-checked", "not-checked", "pass"}},
      {"#verdict=fail", {"fail"}},
      {"#verdict=not-checked", {"not-checked", "not-checked"}},
      {"#net=IU", {"fail", "not-checked"}},
      {"#net=XX&sta=A%3C%26%22B", {"not-checked"}},
      {"#verdict=pass&net=IU", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.rows, shown_rows(page_dom(dir_, c.hash))) << c.hash;
}

// The network log lists each request a page made with the page's origin
// as its initiator; the browser's own requests name none. A page that asks
// for something on the network shows that the log catches it.
TEST_F(QcPage, NoRequestLeavesTheMachine) {
  if (!have_chromium()) SKIP_OUTSIDE_CI("chromium is not installed");
  write_file(dir_.path("requests.py"),
             "import json, sys\n"
             "log = json.load(open(sys.argv[1]))\n"
             "start = log['constants']['logEventTypes']['URL_REQUEST_START_JOB']\n"
             "for e in log['events']:\n"
             "  p = e.get('params', {})\n"
             "  if e['type'] == start and 'url' in p and p['initiator'] != 'not an origin':\n"
             "    if not p['url'].startswith('file:'): print(p['url'])\n");
  write_file(dir_.path("online.html"), "<img src=\"http://example.invalid/a.png\">");
  for (const char* page : {"index.html", "online.html"}) {
    std::string log = dir_.path(std::string(page) + ".netlog");
    run_shell(dir_.dir(), chromium_command(dir_.path("profile")) + "--log-net-log='" + log +
                              "' --dump-dom 'file://" + dir_.path(page) + "' >/dev/null 2>&1");
    RunResult r = run_shell(dir_.dir(), "python3 requests.py '" + log + "'");
    EXPECT_EQ(0, r.status) << page;
    EXPECT_EQ(page == std::string("index.html") ? "" : "http://example.invalid/a.png\n", r.out);
  }
}

}  // namespace
