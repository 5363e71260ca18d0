// Settings: defaults on a first start, round trips through the file, numbered lists with gaps,
// the settings file named on the command line, and the recent lists' rules.
#include "frontend/core/settings.h"

#include <gtest/gtest.h>

#include "frontend/core/settings_location.h"
#include "tests/frontend/recording_host.h"

namespace kinet::desk {
namespace {

using platform::IniFile;

Settings Fresh() { return Settings({"/opt/kinetor/bin", "/home/me", 100, 50}); }

TEST(Settings, FirstStartGivesTheDefaults) {
  Settings s = Fresh();
  s.Read(IniFile::Parse(""));
  EXPECT_EQ(s.Integer("Kinet", "KeyCompressType"), 3);
  EXPECT_EQ(s.Text("Kinet", "NormalRate"), "240000");
  EXPECT_EQ(s.Text("Kinet", "KeyRate"), "300000");
  EXPECT_EQ(s.Text("Kinet", "AutoKeyFrame"), "95");
  EXPECT_EQ(s.Integer("KinetMix", "Track"), 1);
  EXPECT_EQ(s.Integer("KinetPlay", "Tracks"), 127);
  EXPECT_TRUE(s.Boolean("KinetMain", "ShowHints"));
  EXPECT_FALSE(s.Boolean("Kinet", "Overwrite"));
  EXPECT_EQ(s.Text("KinetMain", "Directory"), "/opt/kinetor/bin/");
  EXPECT_EQ(s.Text("KinetCommand", "Directory"), "/home/me");
  EXPECT_EQ(s.Integer("KinetMain", "X"), 100);
}

TEST(Settings, EveryKeyIsWrittenAndReadBackExceptShowHints) {
  Settings s = Fresh();
  s.SetText("Kinet", "Filename", "walk 01.bmp");
  s.SetBoolean("KinetPlay", "Loop", true);
  s.SetInteger("ToneProcessor", "InputType", 2);
  s.SetText("KinetMain", "Directory", "/usr/lib/kinetor");  // the slash is added at reading
  s.frame_specific = {"1-10 /N100", "11 /K"};
  s.recent_commands.Add("dir");
  IniFile ini;
  s.Write(ini);
  EXPECT_EQ(ini.Find("KinetMain", "ShowHints"), std::nullopt);
  EXPECT_EQ(ini.GetString("KinetPlay", "Loop", ""), "1");
  Settings back = Fresh();
  back.Read(IniFile::Parse(ini.Text()));
  for (const KeyInfo& key : SettingKeys())
    if (std::string(key.key) != "Directory" || std::string(key.section) != "KinetMain")
      EXPECT_EQ(back.Text(key.section, key.key), s.Text(key.section, key.key))
          << key.section << "/" << key.key;
  EXPECT_EQ(back.Text("KinetMain", "Directory"), "/usr/lib/kinetor/");
  EXPECT_EQ(back.frame_specific, s.frame_specific);
  EXPECT_EQ(back.recent_commands.entries(), std::vector<std::string>{"dir"});
}

TEST(Settings, NumberTextsAreCutToTheirLengthLimits) {
  Settings s = Fresh();
  s.Read(
      IniFile::Parse("[Kinet]\nNormalRate=1234567890123\nAutoKeyFrame=123456\n"
                     "StartNum=123456789012345\n[KinetMix]\nInputStartNum=1234567890\n"
                     "[ToneProcessor]\nSkipBytes=123456789012345\n"));
  EXPECT_EQ(s.Text("Kinet", "NormalRate"), "123456789");
  EXPECT_EQ(s.Text("Kinet", "AutoKeyFrame"), "1234");
  EXPECT_EQ(s.Text("Kinet", "StartNum"), "12345678901");
  EXPECT_EQ(s.Text("KinetMix", "InputStartNum"), "12345678");
  EXPECT_EQ(s.Text("ToneProcessor", "SkipBytes"), "12345678901");
  s.SetText("KinetPlay", "LoopNum", "1234567890");
  EXPECT_EQ(s.Text("KinetPlay", "LoopNum"), "12345678");
}

TEST(Settings, NumberedListsCloseTheirGapsAndAreRenumberedWhenWritten) {
  Settings s = Fresh();
  s.Read(
      IniFile::Parse("[KinetRecentFiles]\nFile0=/a/one\nFile5=  /a/two  \nFile7=   \n"
                     "File9=/a/three\nFile31=/a/beyond\n[KinetFrameSpecific]\nFrame256=last\n"
                     "Frame257=too far\n"));
  EXPECT_EQ(s.recent_files.entries(), (std::vector<std::string>{"/a/one", "/a/two", "/a/three"}));
  EXPECT_EQ(s.frame_specific, std::vector<std::string>{"last"});
  IniFile ini = IniFile::Parse("[KinetRecentFiles]\nFile9=stale\n");
  s.Write(ini);
  EXPECT_EQ(ini.Keys("KinetRecentFiles"), (std::vector<std::string>{"File0", "File1", "File2"}));
  EXPECT_EQ(ini.GetString("KinetRecentFiles", "File2", ""), "/a/three");
}

TEST(RecentList, KeepsThirtyNewestFirstAndMovesAReusedEntryToTheFront) {
  RecentList commands(RecentList::Compare::kIgnoringCase);
  for (int i = 1; i <= 31; ++i) commands.Add("cmd " + std::to_string(i));
  ASSERT_EQ(commands.entries().size(), 30u);
  EXPECT_EQ(commands.entries().front(), "cmd 31");
  EXPECT_EQ(commands.entries().back(), "cmd 2");  // the oldest went
  commands.Add("CMD 10");
  EXPECT_EQ(commands.entries().size(), 30u);
  EXPECT_EQ(commands.entries().front(), "CMD 10");
  EXPECT_EQ(std::count(commands.entries().begin(), commands.entries().end(), "cmd 10"), 0);

  RecentList files(RecentList::Compare::kExact);
  files.Add("/a/Walk.bmp");
  files.Add("/a/walk.bmp");
  EXPECT_EQ(files.entries().size(), 2u) << "file names that differ in case are two files";
  EXPECT_EQ(RecentFileEntry("walk.bmp", "/home/me"), "/home/me/walk.bmp");
  EXPECT_EQ(RecentFileEntry("/x/walk.bmp", "/home/me"), "/x/walk.bmp");
}

TEST(SettingsLocation, BatchFilesAndANamedSettingsFile) {
  testing::TempFolder dir;
  SettingsLocation plain = LocateSettings({}, dir.path());
  EXPECT_EQ(plain.read_path, dir / "Kinetor.INI");
  EXPECT_EQ(plain.write_path, plain.read_path);

  // A named file that does not exist yet: the default file is read, the named one written.
  SettingsLocation fresh = LocateSettings({"job.SBT", "mine", "other"}, dir.path());
  EXPECT_EQ(fresh.batch_files, std::vector<std::string>{"job.SBT"});
  EXPECT_EQ(fresh.read_path, dir / "Kinetor.INI");
  EXPECT_EQ(fresh.write_path, dir / "mine.INI");

  dir.Write("mine.INI", "[KinetMain]\nCurrentTab=0\n");
  dir.Write("keyless.cfg", "[KinetMain]\nX=1\n");
  EXPECT_EQ(LocateSettings({"mine", "b.sbt"}, dir.path()).read_path, dir / "mine.INI");
  EXPECT_TRUE(LocateSettings({"mine", "b.sbt"}, dir.path()).batch_files.empty());
  EXPECT_EQ(LocateSettings({dir / "keyless.cfg"}, "/nowhere").read_path, "/nowhere/Kinetor.INI");

  // A named file that holds something else is never written over; an empty one may be.
  dir.Write("walk.knt", "KNT video bytes");
  const SettingsLocation video = LocateSettings({dir / "walk.knt"}, "/nowhere");
  EXPECT_EQ(video.write_path, "/nowhere/Kinetor.INI");
  EXPECT_EQ(video.left_alone, dir / "walk.knt");
  dir.Write("empty.INI", "");
  EXPECT_EQ(LocateSettings({"empty"}, dir.path()).write_path, dir / "empty.INI");
  EXPECT_TRUE(LocateSettings({"empty"}, dir.path()).left_alone.empty());
  EXPECT_EQ(ConfigDirectory("/x/cfg", "/home/me"), "/x/cfg/kinetor");
  EXPECT_EQ(ConfigDirectory("", "/home/me"), "/home/me/.config/kinetor");
}

TEST(SettingsLocation, AStoredCommandDirectoryThatIsGoneFallsBackToTheStartDirectory) {
  testing::TempFolder dir;
  EXPECT_EQ(StartingCommandDirectory(dir.path(), "/start"), dir.path());
  EXPECT_EQ(StartingCommandDirectory(dir / "gone", "/start"), "/start");
  EXPECT_EQ(StartingCommandDirectory("", "/start"), "/start");
}

}  // namespace
}  // namespace kinet::desk
