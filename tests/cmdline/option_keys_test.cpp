#include "cmdline/option_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdline/nearest_key.h"
#include "cmdline/parse_cmd.h"
#include "core/last_error.h"
#include "support/test_files.h"

namespace {

struct Parsed {
  int result;
  Warnings warnings;
};

Parsed parse(std::vector<std::string> args) {
  std::vector<const char*> argv{"afcdraw", "IN=a.txt", "OUT=b.gif"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  PlotOptions o;
  Parsed p;
  p.result = parse_cmd(static_cast<int>(argv.size()), argv.data(), o, p.warnings);
  return p;
}

bool mentions(const Warnings& warnings, const std::string& what) {
  for (const std::string& w : warnings) {
    if (w.find(what) != std::string::npos) return true;
  }
  return false;
}

// Every spelling of every entry, with the entry it belongs to.
struct Spelling {
  const OptionKey* entry;
  int input;
  std::string key;
};

std::vector<Spelling> every_spelling() {
  std::vector<Spelling> all;
  for (size_t e = 0; e < option_key_count; ++e) {
    const OptionKey& k = option_keys[e];
    for (int i = first_input_of(k); i < end_input_of(k); ++i) {
      all.push_back({&k, i, option_spelling(k, i)});
    }
  }
  return all;
}

// A typing slip: the last letter of the key doubled ("TOLL=", "-fitt").
std::string slip(const std::string& key) {
  size_t at = key.back() == '=' ? key.size() - 2 : key.size() - 1;
  return key.substr(0, at + 1) + key[at] + key.substr(at + 1);
}

// The misuse of each option, generated from the table: a slip gets the key
// suggested; a value with something after it is never used in part without
// a word; an option with nothing to act on says so.
TEST(OptionKeys, EveryMisuseIsNamed) {
  for (const Spelling& s : every_spelling()) {
    const char* near = nearest_key(slip(s.key).c_str());
    EXPECT_EQ(s.key, near ? near : "(none)") << slip(s.key);
    if (s.entry->read == nullptr) continue;
    if (s.entry->example != nullptr) {
      Parsed whole = parse({"IN2=c.txt", s.key + s.entry->example});
      EXPECT_FALSE(mentions(whole.warnings, "value")) << s.key;
      Parsed junk = parse({"IN2=c.txt", s.key + s.entry->example + "@x"});
      Parsed long_text = parse({"IN2=c.txt", s.key + std::string(1100, 'x')});
      bool refused = junk.result < 0 || mentions(junk.warnings, s.key + " value");
      bool cut = long_text.result < 0 || mentions(long_text.warnings, s.key + " cut");
      EXPECT_TRUE(refused || cut) << s.key;
    }
    bool needs_something =
        s.entry->needs != need_nothing && !(s.entry->needs == need_input && s.input == 0);
    if (needs_something) {
      std::string arg = s.key + (s.entry->example ? s.entry->example : "");
      EXPECT_TRUE(mentions(parse({arg}).warnings, s.key + " has no effect")) << s.key;
    }
  }
}

// What the rest of the command line takes away: each says so, and where it
// is given its effect no warning.
TEST(OptionKeys, OptionsOtherOptionsUndoAreNamed) {
  const struct {
    std::vector<std::string> args;
    bool warned;
  } cases[] = {
      {{"-report", "FORMAT=FAP"}, true},
      {{"/report", "OUT=c.fap"}, true},
      {{"-report"}, false},
      {{"IN2=c.txt", "IN2_UNITS=VEL"}, true},
      {{"IN2=c.txt", "IN2_UNITS=VEL", "UNITS=ACC"}, false},
      {{"IN2=c.txt", "IN2_UNITS=VEL", "-diff"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.warned, mentions(parse(c.args).warnings, "has no effect")) << c.args.back();
  }
}

TEST(OptionKeys, SlipsOfEveryReleaseGetTheirKey) {
  const struct {
    const char* arg;
    const char* key;
  } cases[] = {
      {"TOLL=1", "TOL="},
      {"UNIT=vel", "UNITS="},
      {"NORN=1", "NORM="},
      {"NYQIST=100", "NYQUIST="},
      {"D_AXES=-1;1", "D_AXIS="},
      {"-dif", "-diff"},
      {"/Dif", "-diff"},
      {"SUBGRID=10", "SUB_GRID="},
      {"DIMDD=x", "DIMD="},
      // The input's number names the key: never another input's.
      {"IN2UNITS=vel", "IN2_UNITS="},
      {"IN_UNITS2=vel", "IN2_UNITS="},
      {"CHANEL3=x", "CHANNEL3="},
      {"TOL2=1", "TOL="},
  };
  for (const auto& c : cases) {
    const char* near = nearest_key(c.arg);
    ASSERT_NE(nullptr, near) << c.arg;
    EXPECT_STREQ(c.key, near) << c.arg;
  }
}

// README and the manual page name every key the table holds, and the help
// text lists every one added since the first release.
TEST(OptionKeys, DocumentsNameEveryKey) {
  const std::string readme = read_file(AFCDRAW_EXAMPLES "/../README.md");
  std::string manual = read_file(AFCDRAW_EXAMPLES "/../docs/afcdraw.1");
  for (const std::string roff : {" Ns ", "\\"}) {
    for (size_t at = manual.find(roff); at != std::string::npos; at = manual.find(roff, at)) {
      manual.erase(at, roff.size());
    }
  }
  RunResult help = run_afcdraw({"--help"}, {"LC_ALL=C.UTF-8"});
  for (const Spelling& s : every_spelling()) {
    EXPECT_NE(std::string::npos, readme.find("`" + s.key)) << s.key << " in README.md";
    // The manual page writes "Cm PHASE2 Ns = Ns Ar file" and "Fl fit".
    bool in_manual = manual.find(s.key) != std::string::npos ||
                     (s.key[0] == '-' && manual.find("Fl " + s.key.substr(1)) != std::string::npos);
    EXPECT_TRUE(in_manual) << s.key << " in docs/afcdraw.1";
    if (s.entry->help != nullptr) {
      EXPECT_NE(std::string::npos, help.out.find("  " + help_spelling(*s.entry) + " "))
          << s.key << " in the help text";
    }
  }
}

}  // namespace
