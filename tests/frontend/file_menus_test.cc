// The file, directory and drive lists' menus on the option pages: their captions and keys,
// the commands they run in the list's directory, the errors before any command, viewing each
// kind of file, and the help topic of every page.
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QTabBar>
#include <filesystem>

#include "tests/frontend/desk_fixture.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;
using Hand = testing::ModalHand;

class FileMenus : public testing::DeskTest {
 protected:
  // The Kinet page in front, `name` highlighted alone in its file list.
  void OpenKinetPage(MainWindow& window, const char* name = nullptr) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    window.ShowPage(kKinetPage);
    files_ = Find<QListWidget>(window, "kinetfile");
    dirs_ = Find<QListWidget>(window, "kinetdir");
    files_->setFocus();  // the menus' keys work while the list has the focus
    if (name) Highlight(name);
  }
  void Highlight(const QString& name) {
    files_->clearSelection();
    for (QListWidgetItem* item : files_->findItems(name, Qt::MatchExactly)) {
      files_->setCurrentItem(item);
      item->setSelected(true);
    }
  }
  // A key pressed in `list`, its window active again after any dialog.
  static void Key(QWidget* list, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    list->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(list->window()));
    list->setFocus();
    QTest::keyClick(list, key, modifiers);
  }
  static QAction* Item(QWidget* list, const char* caption) {
    for (QAction* a : list->actions())
      if (a->text() == caption) return a;
    ADD_FAILURE() << "no menu item " << caption;
    static QAction none;
    return &none;
  }
  static QStringList Captions(QWidget* list) {
    QStringList captions;
    for (const QAction* a : list->actions())
      captions << a->text() + " " + a->shortcut().toString();
    return captions;
  }
  // The lines the history gained since `before` characters.
  static std::string HistorySince(MainWindow& window, size_t before) {
    return window.runner().history.Text().substr(before);
  }

  QListWidget *files_ = nullptr, *dirs_ = nullptr;
};

TEST_F(FileMenus, EachListHasItsItemsWithTheirKeys) {
  MainWindow window(Setup());
  OpenKinetPage(window);
  EXPECT_EQ(Captions(files_),
            (QStringList{"&View Ctrl+V", "&Copy Ctrl+C", "R&ename/Move Ctrl+E", "&Delete Del",
                         "&Attributes Ctrl+A", "P&roperties Ctrl+R", "Create a &list file Ctrl+L",
                         "&Switch to a specific file Ctrl+S", "&Find a file Ctrl+F",
                         "Recen&t files Ctrl+T"}));
  EXPECT_EQ(Captions(dirs_),
            (QStringList{"&Make new... Ctrl+M", "R&ename Ctrl+E", "&Delete Del",
                         "P&roperties Ctrl+R", "&Switch to a specific directory Ctrl+S",
                         "Recen&t directories Ctrl+T"}));
  EXPECT_EQ(Captions(Find<QComboBox>(window, "kinetdrive")), QStringList{"P&roperties Ctrl+R"});
  EXPECT_EQ(files_->toolTip(), "Right click for file managment options.");
  // Every picker of every page has them.
  for (const auto& [page, list] : {std::pair{kMixerPage, "mixkinetfile"}, {kMixerPage, "mixwavefile"},
                                   {kPlayerPage, "playfile"}, {kScriptorPage, "scriptfile"},
                                   {kGraphicsPage, "graphicsfile"}, {kSoundPage, "wavefile"}}) {
    window.ShowPage(page);
    EXPECT_EQ(Find<QListWidget>(window, list)->actions().size(), 10) << list;
  }
}

TEST_F(FileMenus, FileOperationsNeedOneHighlightedFileBeforeAnyCommandRuns) {
  for (const char* name : {"a.bmp", "b.bmp"}) dir_.Write(name, "BM");
  MainWindow window(Setup());
  OpenKinetPage(window);
  const size_t before = window.runner().history.Text().size();
  {
    Hand hand({Hand::Press(QMessageBox::Ok), Hand::Press(QMessageBox::Ok), Hand::Press(QMessageBox::Ok)});
    for (const char* item : {"&View", "&Delete", "P&roperties"}) Item(files_, item)->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>(3, "Error, you must highlight a file."));
  }
  Highlight("a.bmp");
  files_->findItems("b.bmp", Qt::MatchExactly).front()->setSelected(true);
  {
    Hand hand({Hand::Press(QMessageBox::Ok), Hand::Press(QMessageBox::Ok)});
    Item(files_, "&Copy")->trigger();
    Item(files_, "R&ename/Move")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>(
                             2, "Error, only one file can be copied, renamed, or moved at a time."));
  }
  EXPECT_EQ(HistorySince(window, before), "");
  EXPECT_TRUE(starter_.started.empty());
}

TEST_F(FileMenus, CopyRenameAndDeleteRunAsCommandsInTheListsDirectory) {
  dir_.Write("walk.flc", "flic");
  MainWindow window(Setup());
  OpenKinetPage(window, "walk.flc");
  {
    Hand hand({Hand::Type("my copy.flc")});
    Item(files_, "&Copy")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Copy a File|C&opy"});
  }
  EXPECT_EQ(dir_.Read("my copy.flc"), "flic");
  EXPECT_NE(window.runner().history.Text().find("> Copy walk.flc \"my copy.flc\"\n"),
            std::string::npos);
  Highlight("my copy.flc");
  {
    Hand hand({Hand::Type("moved.flc")});
    Item(files_, "R&ename/Move")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Rename or Move a File|&Rename"});
  }
  EXPECT_NE(window.runner().history.Text().find("> Ren \"my copy.flc\" moved.flc\n"),
            std::string::npos)
      << window.runner().history.Text();
  EXPECT_TRUE(files_->findItems("my copy.flc", Qt::MatchExactly).empty()) << "the list is re-read";
  Highlight("moved.flc");
  Hand confirm({Hand::Press(QMessageBox::Yes)});
  Key(files_, Qt::Key_Delete);
  EXPECT_EQ(confirm.seen, std::vector<std::string>{"Delete the file: " + (dir_ / "moved.flc") + " ?"});
  EXPECT_FALSE(fs::exists(dir_ / "moved.flc"));
  EXPECT_EQ(files_->count(), 1);
}

TEST_F(FileMenus, AttributesPropertiesAndANewListFile) {
  for (const char* name : {"a.bmp", "b.bmp"}) dir_.Write(name, "BM");
  MainWindow window(Setup());
  OpenKinetPage(window, "a.bmp");
  {
    Hand hand({[](QWidget* w) {
      w->findChild<QCheckBox*>("attrreadonly")->setChecked(true);
      static_cast<QDialog*>(w)->accept();
    }});
    Item(files_, "&Attributes")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Change File Attributes|OK"});
  }
  EXPECT_NE(window.runner().history.Text().find("> Attr +r a.bmp\n"), std::string::npos);
  EXPECT_EQ(fs::status(dir_ / "a.bmp").permissions() & fs::perms::owner_write, fs::perms::none);
  {
    Hand hand({[](QWidget* w) { static_cast<QDialog*>(w)->accept(); }});  // nothing changed
    Item(files_, "&Attributes")->trigger();
  }
  EXPECT_EQ(window.runner().history.Text().find("Attr -r"), std::string::npos) << "no command";
  Item(files_, "P&roperties")->trigger();
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0], "/opt/kinet/bin/kntinfow a.bmp" + Report(window));

  files_->findItems("b.bmp", Qt::MatchExactly).front()->setSelected(true);
  {
    Hand hand({Hand::Cancel()});
    Item(files_, "Create a &list file")->trigger();
    ASSERT_EQ(hand.seen.size(), 1u);
    EXPECT_EQ(hand.seen[0].rfind("List File Editor - " + (dir_ / "a.lst"), 0), 0u) << hand.seen[0];
  }
  EXPECT_EQ(dir_.Read("a.lst"), "a.bmp\nb.bmp\n");
  EXPECT_NE(window.runner().history.Text().find("> ListEdit a.lst\n"), std::string::npos);
  ASSERT_EQ(files_->selectedItems().size(), 1);
  EXPECT_EQ(files_->selectedItems().front()->text(), "a.lst");
}

TEST_F(FileMenus, ViewingGoesToTheEditorThePlayerTheViewerOrTheDesktop) {
  for (const char* name : {"walk.lst", "walk.knt", "walk.bmp", "tune.wav"}) dir_.Write(name, "x");
  MainWindow window(Setup());
  std::vector<std::string> pictures;
  window.view_picture = [&](const std::string& path) {
    pictures.push_back(path);
    return path.ends_with(".bmp");
  };
  OpenKinetPage(window);
  auto* filter = Find<QComboBox>(window, "kinetfilter");
  filter->setCurrentIndex(filter->count() - 1);  // all files
  Highlight("walk.lst");
  {
    Hand hand({Hand::Cancel()});
    Item(files_, "&View")->trigger();
    ASSERT_EQ(hand.seen.size(), 1u);
    EXPECT_EQ(hand.seen[0].rfind("List File Editor - " + (dir_ / "walk.lst"), 0), 0u) << hand.seen[0];
  }
  Highlight("walk.knt");
  Key(files_, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0], "/opt/kinet/bin/kinetplayw walk.knt" + Report(window));
  Highlight("walk.bmp");
  Key(files_, Qt::Key_Return);  // as a double click
  EXPECT_EQ(pictures, std::vector<std::string>{dir_ / "walk.bmp"});
  EXPECT_EQ(starter_.started.size(), 1u) << "the viewer showed it";
  Highlight("tune.wav");
  Item(files_, "&View")->trigger();
  ASSERT_EQ(starter_.started.size(), 2u);
  EXPECT_EQ(starter_.started[1], "xdg-open tune.wav") << "no report switch: not a tool";
  // The play page plays on a double click instead.
  window.ShowPage(kPlayerPage);
  auto* play = Find<QListWidget>(window, "playfile");
  play->setCurrentRow(0);
  Key(play, Qt::Key_Return);
  ASSERT_EQ(starter_.started.size(), 3u);
  EXPECT_EQ(starter_.started[2], "/opt/kinet/bin/kinetplayw walk.knt" + Report(window));
}

TEST_F(FileMenus, SwitchFindAndRecentFilesSelectTheFileWhereverItIs) {
  fs::create_directory(dir_ / "deep");
  for (const char* name : {"walk.flc", "run1.bmp", "run2.bmp", "deep/hidden.tga"}) dir_.Write(name, "x");
  MainWindow window(Setup());
  OpenKinetPage(window);
  {
    Hand hand({Hand::Type("run2.bmp")});
    Item(files_, "&Switch to a specific file")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Enter a File Name:|Switch to file:|&Switch"});
  }
  ASSERT_EQ(files_->selectedItems().size(), 1);
  EXPECT_EQ(files_->selectedItems().front()->text(), "run2.bmp");
  {
    Hand hand({Hand::Type("run*")});
    Item(files_, "&Switch to a specific file")->trigger();
  }
  EXPECT_EQ(files_->count(), 2) << "a wildcard becomes the list's mask";
  {
    Hand hand({Hand::Type("*.tga"), Hand::Choose(0)});
    Item(files_, "&Find a file")->trigger();
    ASSERT_EQ(hand.seen.size(), 2u);
    EXPECT_EQ(hand.seen[0], "Find a File Name:|Find what file:|&Find");
    EXPECT_EQ(hand.seen[1], "List of Found Files:|OK");
  }
  EXPECT_EQ(Find<QListWidget>(window, "kinetfile")->selectedItems().front()->text(), "hidden.tga");
  {
    Hand hand({Hand::Type("nothing*.xyz"), Hand::Press(QMessageBox::Ok)});
    Item(files_, "&Find a file")->trigger();
    EXPECT_EQ(hand.seen.back(), "Error, no matching files found.");
  }
  window.runner().recent_files.Add(dir_ / "walk.flc");
  {
    Hand hand({Hand::Choose(0)});
    Key(files_, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(hand.seen, std::vector<std::string>{"List of Recent Files:|OK"});
  }
  EXPECT_EQ(files_->selectedItems().front()->text(), "walk.flc");
  EXPECT_EQ(Find<QLineEdit>(window, "kinetout")->text(), "walk.knt") << "proposed from it";
}

TEST_F(FileMenus, DirectoryMakeRenameRemoveAndTheirRefusalsAtTheRoot) {
  MainWindow window(Setup());
  OpenKinetPage(window);
  {
    Hand hand({Hand::Type("my clips")});
    Item(dirs_, "&Make new...")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Make New Directory:|Make in " + dir_.path() +
                                                  ":|&Make Dir."});
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "my clips"));
  EXPECT_NE(window.runner().history.Text().find("> MD \"my clips\"\n"), std::string::npos);
  ASSERT_EQ(dirs_->findItems("my clips", Qt::MatchExactly).size(), 1);
  dirs_->setCurrentItem(dirs_->findItems("my clips", Qt::MatchExactly).front());
  {
    Hand hand({Hand::Type("movies")});
    Item(dirs_, "R&ename")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Rename Directory To:|Rename " + (dir_ / "my clips") +
                                                  " to:|&Rename"});
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "movies"));
  EXPECT_NE(window.runner().history.Text().find("> Ren \"my clips\" movies\n"), std::string::npos);
  dirs_->setCurrentItem(dirs_->findItems("movies", Qt::MatchExactly).front());
  {
    Hand hand({Hand::Press(QMessageBox::No)});
    Item(dirs_, "&Delete")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Remove directory " + (dir_ / "movies") + " ?"});
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "movies"));
  {
    Hand hand({Hand::Press(QMessageBox::Yes)});
    dirs_->setCurrentItem(dirs_->findItems("movies", Qt::MatchExactly).front());
    Item(dirs_, "&Delete")->trigger();
  }
  EXPECT_FALSE(fs::exists(dir_ / "movies"));
  EXPECT_NE(window.runner().history.Text().find("> RD movies\n"), std::string::npos);
  {
    Hand hand({Hand::Type("/"), Hand::Press(QMessageBox::Ok), Hand::Press(QMessageBox::Ok)});
    Item(dirs_, "&Switch to a specific directory")->trigger();
    dirs_->clearSelection();
    const size_t before = window.runner().history.Text().size();
    Item(dirs_, "R&ename")->trigger();
    Item(dirs_, "&Delete")->trigger();
    EXPECT_EQ(hand.seen, (std::vector<std::string>{"Enter a Directory Name:|Switch to directory:|&Switch",
                                                   "Error, the root directory can't be renamed.",
                                                   "Error, the root directory can't be removed."}));
    EXPECT_EQ(HistorySince(window, before), "") << "refused before any command";
  }
}

TEST_F(FileMenus, PropertiesOfADirectoryAndADriveAndRecentDirectories) {
  fs::create_directory(dir_ / "sub");
  dir_.Write("sub/one.bmp", "12345");
  MainWindow window(Setup());
  OpenKinetPage(window);
  dirs_->setCurrentItem(dirs_->findItems("sub", Qt::MatchExactly).front());
  {
    Hand hand({Hand::Press(QMessageBox::Ok), Hand::Press(QMessageBox::Ok)});
    Item(dirs_, "P&roperties")->trigger();
    Item(Find<QComboBox>(window, "kinetdrive"), "P&roperties")->trigger();
    ASSERT_EQ(hand.seen.size(), 2u);
    EXPECT_EQ(hand.seen[0], "Directory summary on " + (dir_ / "sub") +
                                ":\n  Total files: 1\n  Total bytes: 5\n  Total subdirectories: 0");
    EXPECT_EQ(hand.seen[1].rfind("Drive summary on /", 0), 0u) << hand.seen[1];
  }
  window.runner().recent_dirs.Add(dir_ / "sub");
  {
    Hand hand({Hand::Choose(0)});
    Item(dirs_, "Recen&t directories")->trigger();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"List of Recent Directories:|OK"});
  }
  ASSERT_EQ(files_->count(), 1);
  EXPECT_EQ(files_->item(0)->text(), "one.bmp");
}

TEST_F(FileMenus, HelpOpensThePageTopicAndHowDoIThePageOfTheDesktop) {
  MainWindow window(Setup());
  std::vector<std::string> urls;
  window.open_url = [&](const QUrl& url) {
    urls.push_back(url.toString().toStdString());
    return true;
  };
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (int page = 0; page < kPageCount; ++page) {
    window.ShowPage(page);
    QTest::keyClick(&window, Qt::Key_F1);
    Ticks();
  }
  EXPECT_EQ(urls, (std::vector<std::string>{"man:kinetdesk(1)", "man:kinetpackw(1)", "man:kinetmixw(1)",
                                            "man:kinetplayw(1)", "man:kinetscriptw(1)",
                                            "man:pixworkw(1)", "man:tonworkw(1)", "man:kinetdesk(1)"}));
  window.ShowPage(kMixerPage);
  Find<QPushButton>(window, "help")->click();
  Find<QPushButton>(window, "howdoi")->click();
  EXPECT_EQ(urls[8], "man:kinetmixw(1)");
  EXPECT_EQ(urls[9], "man:kinetdesk(1)");
}

}  // namespace
}  // namespace kinet::desk
