#include "platform/program_info/program_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kinet::platform {
namespace {

constexpr std::string_view kBoxes[] = {"Syntax:  tool <in>\r\n  /A - first\r\n", "  /B - second"};
const ProgramInfo kTool{"tool", kBoxes};

std::optional<std::string> Answer(std::vector<std::string> words) {
  return InfoAnswer(words, kTool);
}

TEST(ProgramInfoTest, HelpIsEveryUsageBoxWithTerminalLineEnds) {
  EXPECT_EQ(Answer({"--help"}), "Syntax:  tool <in>\n  /A - first\n  /B - second\n");
}

TEST(ProgramInfoTest, VersionIsNamePackageAndVersion) {
  EXPECT_EQ(Answer({"--version"}), "tool (Kinetor) " + std::string(PackageVersion()) + "\n");
  EXPECT_FALSE(PackageVersion().empty());
}

TEST(ProgramInfoTest, TheFirstQuestionAnywhereOnTheLineDecides) {
  EXPECT_EQ(Answer({"in.knt", "--version", "--help"}), Answer({"--version"}));
  EXPECT_EQ(Answer({"/O", "--help", "--version"}), Answer({"--help"}));
}

TEST(ProgramInfoTest, OtherWordsAskNothing) {
  EXPECT_EQ(Answer({}), std::nullopt);
  EXPECT_EQ(Answer({"in.knt", "-help", "/H", "--helpme", "--Version", "-V"}), std::nullopt);
}

}  // namespace
}  // namespace kinet::platform
