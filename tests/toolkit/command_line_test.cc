// Word splitting and the switch readers, against the rules every tool shares.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/switches.h"
#include "toolkit/words.h"

namespace kinet::toolkit {
namespace {

using Words = std::vector<std::string>;

// A switch table shaped like the compressor's.
constexpr KnownSwitch kTable[] = {
    {'#', SwitchKind::kNumber}, {'#', SwitchKind::kFlag},   {'J', SwitchKind::kNumber},
    {'M', SwitchKind::kFlag},   {'N', SwitchKind::kNumber}, {'K', SwitchKind::kNumber},
    {'V', SwitchKind::kFlag},   {'G', SwitchKind::kFlag},   {'@', SwitchKind::kText},
    {'O', SwitchKind::kFlag},   {'Q', SwitchKind::kNumber}, {'H', SwitchKind::kNumber},
    {'&', SwitchKind::kText},   {'L', SwitchKind::kNumber}, {'T', SwitchKind::kNumber},
};

SwitchLine Line(std::string_view text) { return SwitchLine(SplitCommandWords(text), kTable); }

TEST(FirstWord, QuotedNameKeepsItsBlanks) {
  FirstWord w = TakeFirstWord("  \"my walk.flc\"   out.knt  ");
  EXPECT_EQ(w.word, "my walk.flc");
  EXPECT_EQ(w.rest, "out.knt");
  // Without a closing quote the whole rest of the line is the word.
  w = TakeFirstWord("\"open name.flc out.knt");
  EXPECT_EQ(w.word, "open name.flc out.knt");
  EXPECT_EQ(w.rest, "");
}

TEST(FirstWord, CommaRule) {
  EXPECT_EQ(TakeFirstWord("a.flc , b.knt").rest, "b.knt");
  EXPECT_EQ(TakeFirstWord("a.flc,b.knt").word, "a.flc,b.knt");  // a comma alone ends nothing
  EXPECT_EQ(TakeFirstWord("a.flc ,, b.knt").rest, ", b.knt");   // only one comma goes
  EXPECT_EQ(TakeFirstWord("\t\x01 a.flc\tb").word, "a.flc");    // every code up to 32 is blank
  FirstWord empty = TakeFirstWord("   ");
  EXPECT_EQ(empty.word, "");
  EXPECT_EQ(empty.rest, "");
}

TEST(RestAsName, QuotesRemovedOnlyWhenTheyEnclose) {
  EXPECT_EQ(TakeRestAsName("  \"out file.knt\" "), "out file.knt");
  EXPECT_EQ(TakeRestAsName("\"out.knt"), "\"out.knt");
  EXPECT_EQ(TakeRestAsName("\""), "\"");
  EXPECT_EQ(TakeRestAsName("\"\""), "");
}

TEST(SplitCommandWords, QuotesGroupAndNamesLoseThem) {
  EXPECT_EQ(SplitCommandWords(" \"a b.flc\" out.knt /@\"my hints.txt\" , /O"),
            (Words{"a b.flc", "out.knt", "/@\"my hints.txt\"", "/O"}));
  EXPECT_EQ(SplitCommandWords(""), Words{});
}

TEST(Switches, NumbersTakeTheFirstOccurrenceWithANumber) {
  SwitchLine line = Line("in.flc out.knt /N /n500 /N700 -L-1 /j0");
  EXPECT_EQ(line.TakeNumber('N'), 500);
  EXPECT_EQ(line.TakeNumber('l'), -1);
  EXPECT_EQ(line.TakeNumber('J'), 0);
  EXPECT_EQ(line.TakeNumber('K'), std::nullopt);
  EXPECT_EQ(line.names(), (Words{"in.flc", "out.knt"}));
  // "/N" without a number and the second "/N700" are left over.
  EXPECT_EQ(line.TakeNumber('N'), 700);
  EXPECT_TRUE(line.HasLeftover());
}

TEST(Switches, NumberWithoutDigitsIsLeftOver) {
  SwitchLine line = Line("in.flc out.knt /Q");
  EXPECT_EQ(line.TakeNumber('Q'), std::nullopt);
  EXPECT_TRUE(line.HasLeftover());
  EXPECT_EQ(line.names().size(), 2u);  // "/Q" is not taken for a name
  SwitchLine dash = Line("in.flc -N- out.knt");
  EXPECT_EQ(dash.TakeNumber('N'), std::nullopt);
  EXPECT_TRUE(dash.HasLeftover());
}

TEST(Switches, NumbersOutsideThe32BitRangeAreLeftOver) {
  SwitchLine line = Line("-N2147483647 -K-2147483648 -J2147483648");
  EXPECT_EQ(line.TakeNumber('N'), 2147483647);
  EXPECT_EQ(line.TakeNumber('K'), -2147483647 - 1);
  EXPECT_EQ(line.TakeNumber('J'), std::nullopt);
  EXPECT_TRUE(line.HasLeftover());
}

TEST(Switches, TrailingCharactersAfterANumberAreLeftOver) {
  SwitchLine line = Line("-N100x");
  EXPECT_EQ(line.TakeNumber('N'), 100);
  EXPECT_TRUE(line.HasLeftover());
}

TEST(Switches, FlagsNeedACharacterBelowZero) {
  SwitchLine line = Line("/O/M /V5 -G");
  EXPECT_TRUE(line.TakeFlag('o'));  // followed by another '/'
  EXPECT_TRUE(line.TakeFlag('M'));  // followed by the end
  EXPECT_TRUE(line.TakeFlag('G'));
  EXPECT_FALSE(line.TakeFlag('M'));  // taken already
  // "/V5" is no flag: it has the shape of a switch, so it is left over rather than a name.
  EXPECT_FALSE(line.TakeFlag('V'));
  EXPECT_TRUE(line.names().empty());
  EXPECT_TRUE(line.HasLeftover());
}

TEST(Switches, FlagFollowedByAQuoteLeavesTheQuotedText) {
  SwitchLine line(Words{"-O\"x\""}, kTable);
  EXPECT_TRUE(line.TakeFlag('O'));
  EXPECT_TRUE(line.HasLeftover());
}

TEST(Switches, TextSwitches) {
  SwitchLine line = Line("/@\"my hints.txt\"/O -&/home/me/pal.bmp");
  EXPECT_EQ(line.TakeText('@'), "my hints.txt");
  EXPECT_TRUE(line.TakeFlag('O'));
  EXPECT_EQ(line.TakeText('&'), "/home/me/pal.bmp");  // a '-' text runs to the end of the word
  EXPECT_FALSE(line.HasLeftover());

  SwitchLine slash = Line("/@*hints.txt/G");
  EXPECT_EQ(slash.TakeText('@'), "*hints.txt");  // a '/' text runs up to the next '/'
  EXPECT_TRUE(slash.TakeFlag('G'));
  EXPECT_FALSE(slash.HasLeftover());

  SwitchLine bare = Line("-@ out.knt");
  EXPECT_EQ(bare.TakeText('@'), "");  // a letter followed by the end is no text switch
  EXPECT_TRUE(bare.HasLeftover());
}

TEST(Switches, PathsStayNames) {
  SwitchLine line = Line("/home/me/walk.flc anims/walk.flc ./out.knt /tmp/x.knt -N5");
  EXPECT_EQ(line.names(),
            (Words{"/home/me/walk.flc", "anims/walk.flc", "./out.knt", "/tmp/x.knt"}));
  EXPECT_EQ(line.TakeNumber('N'), 5);
  EXPECT_FALSE(line.HasLeftover());
}

TEST(Switches, UnknownSwitchesAreLeftOver) {
  SwitchLine slash = Line("in.flc out.knt /Z5");  // Z is not in this table
  EXPECT_EQ(slash.names().size(), 2u);
  EXPECT_TRUE(slash.HasLeftover());
  SwitchLine dash = Line("in.flc out.knt -Zed");
  EXPECT_TRUE(dash.HasLeftover());
}

TEST(Switches, ReportSwitches) {
  SwitchLine line = Line("in.flc out.knt /#12345/#");
  ReportSwitches report = TakeReportSwitches(line);
  EXPECT_EQ(report.channel, 12345u);
  EXPECT_TRUE(report.close_when_done);
  EXPECT_FALSE(line.HasLeftover());

  SwitchLine dash = Line("-#77 in.flc");
  report = TakeReportSwitches(dash);
  EXPECT_EQ(report.channel, 77u);
  EXPECT_FALSE(report.close_when_done);

  SwitchLine negative = Line("/#-3");
  EXPECT_EQ(TakeReportSwitches(negative).channel, std::nullopt);
  EXPECT_FALSE(negative.HasLeftover());
}

}  // namespace
}  // namespace kinet::toolkit
