// The settings file's lookup rules, and writes that keep the rest of the file as it was.
#include "platform/settings/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kinet::platform {
namespace {

TEST(IniFile, LooksUpSectionsAndKeysIgnoringCaseAndTrimsValues) {
  const IniFile ini = IniFile::Parse(
      "Stray=before any section\r\n"
      "[Kinet]\r\n"
      "; NormalRate=1\r\n"
      "  normalrate =  240000  \r\n"
      "NormalRate=999\r\n"
      "Quoted=\" two words \"\r\n"
      "no equals sign here\r\n"
      "[ kinet ]\r\n"
      "Late=1\r\n");
  EXPECT_EQ(ini.GetString("KINET", "NormalRate", "x"), "240000");  // the first key wins
  EXPECT_EQ(ini.GetString("Kinet", "Quoted", ""), " two words ");
  EXPECT_EQ(ini.GetString("Kinet", "Late", "absent"), "absent");  // the first section wins
  EXPECT_EQ(ini.GetString("", "Stray", "none"), "none");
  EXPECT_EQ(ini.GetString("Kinet", "no equals sign here", "none"), "none");
  EXPECT_EQ(ini.Keys("kinet"), (std::vector<std::string>{"normalrate", "NormalRate", "Quoted"}));
}

TEST(IniFile, IntegersReadTheLeadingNumberAndTheDefaultOnlyWhenAbsent) {
  const IniFile ini = IniFile::Parse("[S]\nA=42abc\nB=-7\nC=abc\nD=\nE=99999999999\n");
  EXPECT_EQ(ini.GetInt("S", "A", 5), 42);
  EXPECT_EQ(ini.GetInt("S", "B", 5), -7);
  EXPECT_EQ(ini.GetInt("S", "C", 5), 0);
  EXPECT_EQ(ini.GetInt("S", "D", 5), 0);
  EXPECT_EQ(ini.GetInt("S", "E", 5), 0x7fffffff);
  EXPECT_EQ(ini.GetInt("S", "Missing", 5), 5);
  EXPECT_EQ(ini.GetInt("Missing", "A", 8888), 8888);
}

TEST(IniFile, WritingReplacesTheKeyInPlaceAndKeepsOtherLines) {
  IniFile ini = IniFile::Parse("; kept\n[A]\nx=1\n; note\ny=2\n\n[B]\nz=3\n");
  ini.SetString("a", "X", "10");
  ini.SetInt("A", "w", -4);
  ini.SetString("C", "new", "v");
  EXPECT_EQ(ini.Text(), "; kept\n[A]\nX=10\n; note\ny=2\nw=-4\n\n[B]\nz=3\n[C]\nnew=v\n");
  ini.EraseSection("b");
  EXPECT_EQ(ini.Find("B", "z"), std::nullopt);
  EXPECT_EQ(IniFile::Parse(ini.Text()).GetInt("A", "w", 0), -4);
}

TEST(IniFile, SavesIntoNewDirectoriesAndLoadsBack) {
  const auto dir = std::filesystem::temp_directory_path() / "kinet-ini-test";
  std::filesystem::remove_all(dir);
  const std::string path = (dir / "deeper" / "Kinetor.INI").string();
  EXPECT_EQ(IniFile::Load(path).Text(), "");
  IniFile ini;
  ini.SetString("KinetMain", "CurrentTab", "3");
  ASSERT_TRUE(ini.Save(path));
  EXPECT_EQ(IniFile::Load(path).GetInt("kinetmain", "currenttab", 0), 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "deeper"), {}), 1)
      << "no temporary file left behind";
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kinet::platform
