// The list editor, the text editor, the viewer and the finder's list under the offscreen
// platform: what they show, how they rewrite, find and save, and what closing asks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>

#include "frontend/core/view_picture.h"
#include "frontend/gui/find_window.h"
#include "frontend/gui/list_editor.h"
#include "frontend/gui/text_commands.h"
#include "frontend/gui/text_editor.h"
#include "frontend/gui/viewer_window.h"
#include "platform/images/image.h"
#include "tests/frontend/desk_setup.h"

namespace kinet::desk {
namespace {

// Answers the next modal window (a message box or a chooser) once it is up: its caption and
// text are recorded, then it is accepted.
struct ModalAnswer {
  QString title, text;
  explicit ModalAnswer(int wait_ms = 50) {
    QTimer::singleShot(wait_ms, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      title = modal->windowTitle();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
    });
  }
};

ListDocument Loaded(const testing::TempFolder& dir, const std::string& name) {
  ListDocument list;
  EXPECT_TRUE(list.Load(platform::SystemFileSystem(), dir / name));
  return list;
}

TEST(ListEditor, ShowsTheSelectedLinesFramesAndRewritesIt) {
  testing::TempFolder dir;
  dir.Write("walk.lst", "walk.flc /S10 /E20\nrun.bmp\n");
  ListEditor editor(nullptr, Loaded(dir, "walk.lst"));
  EXPECT_EQ(editor.windowTitle().toStdString(), "List File Editor - " + dir / "walk.lst");
  auto* lines = editor.findChild<QListWidget*>("listlines");
  auto* start = editor.findChild<QLineEdit*>("liststart");
  auto* end = editor.findChild<QLineEdit*>("listend");
  ASSERT_TRUE(lines && start && end);
  EXPECT_EQ(lines->currentRow(), 0);
  EXPECT_EQ(start->text(), "10");
  EXPECT_EQ(end->text(), "20");
  start->selectAll();
  QTest::keyClick(start, Qt::Key_Backspace);
  EXPECT_EQ(lines->item(0)->text(), "walk.flc /e20");
  lines->setCurrentRow(1);
  EXPECT_EQ(start->text(), "");
  QTest::keyClicks(end, "456789");  // five digits at most
  EXPECT_EQ(end->text(), "45678");
  EXPECT_EQ(lines->item(1)->text(), "run.bmp /e45678");
  editor.findChild<QPushButton*>("listup")->click();
  EXPECT_EQ(lines->item(0)->text(), "run.bmp /e45678");
  EXPECT_EQ(lines->currentRow(), 0);

  std::vector<std::string> asked;
  editor.ask = [&](const std::string& q) {
    asked.push_back(q);
    return Answer::kYes;
  };
  EXPECT_TRUE(editor.CloseAsked());
  EXPECT_EQ(asked, std::vector<std::string>{"Save file " + dir / "walk.lst" + " ?"});
  EXPECT_EQ(dir.Read("walk.lst"), "run.bmp /e45678\nwalk.flc /e20\n");
}

TEST(ListEditor, ClosingAsksOnlyAfterChangesAndUntitledSavesThroughSaveAs) {
  testing::TempFolder dir;
  dir.Write("a.lst", "a.bmp\n");
  int asked = 0;
  {
    ListEditor unchanged(nullptr, Loaded(dir, "a.lst"));
    unchanged.ask = [&](const std::string&) { return ++asked, Answer::kCancel; };
    EXPECT_TRUE(unchanged.CloseAsked());
    EXPECT_EQ(asked, 0);
  }
  ListEditor fresh(nullptr, ListDocument::FromNames(dir.path(), {"x.bmp", "y.bmp"}));
  fresh.ask = [&](const std::string&) { return ++asked, Answer::kCancel; };
  EXPECT_FALSE(fresh.CloseAsked());  // Cancel stays
  EXPECT_EQ(asked, 1);
  fresh.ask = [](const std::string&) { return Answer::kYes; };
  int chosen = 0;
  fresh.choose_save_name = [&] { return ++chosen, std::string(); };  // Save As cancelled
  EXPECT_FALSE(fresh.CloseAsked());
  fresh.choose_save_name = [&] { return ++chosen, dir / "xy.lst"; };
  EXPECT_TRUE(fresh.CloseAsked());
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(dir.Read("xy.lst"), "x.bmp\ny.bmp\n");
  EXPECT_EQ(fresh.document().path(), dir / "xy.lst");
}

TEST(ListEditor, InsertPutsNamesRelativeToTheListBeforeTheSelection) {
  testing::TempFolder dir;
  dir.Write("a.lst", "a.bmp\nb.bmp\n");
  ListEditor editor(nullptr, Loaded(dir, "a.lst"));
  editor.choose_inserted = [&] { return std::vector<std::string>{dir / "n1.bmp", "/elsewhere/n2.bmp"}; };
  editor.findChild<QListWidget*>("listlines")->setCurrentRow(1);
  editor.findChild<QPushButton*>("listinsert")->click();
  EXPECT_EQ(editor.document().lines(),
            (std::vector<std::string>{"a.bmp", "n1.bmp", "/elsewhere/n2.bmp", "b.bmp"}));
  editor.findChild<QPushButton*>("listremove")->click();
  EXPECT_EQ(editor.findChild<QListWidget*>("listlines")->count(), 3);
}

TEST(TextEditor, FindsWithoutCaseFromTheCaretThenFromTheTop) {
  TextEditor editor(nullptr, nullptr);
  QPlainTextEdit& text = editor.text();
  text.setPlainText("one Walk\ntwo\nthree walk\nfour");
  EXPECT_TRUE(FindInText(text, "WALK"));
  EXPECT_EQ(text.textCursor().blockNumber(), 0);
  EXPECT_EQ(text.textCursor().selectedText(), "Walk");
  EXPECT_TRUE(FindInText(text, "walk"));  // from just after the caret
  EXPECT_EQ(text.textCursor().blockNumber(), 2);
  EXPECT_TRUE(FindInText(text, "walk"));  // past the last: from the start again
  EXPECT_EQ(text.textCursor().blockNumber(), 0);
  EXPECT_TRUE(GotoLineInText(text, "3"));
  EXPECT_FALSE(FindInText(text, "five"));
  EXPECT_EQ(text.textCursor().blockNumber(), 2);  // a miss leaves the caret
  EXPECT_EQ(text.textCursor().positionInBlock(), 0);
  EXPECT_TRUE(GotoLineInText(text, "99"));  // past the end: the last line
  EXPECT_EQ(text.textCursor().blockNumber(), 3);
  EXPECT_FALSE(GotoLineInText(text, "x"));
  EXPECT_EQ(text.textCursor().blockNumber(), 3);
  QTest::qWait(450);  // the line number follows the caret on the timer
  EXPECT_EQ(editor.line_status(), " Line: 4");
}

TEST(TextEditor, OpensAddingSbtSavesAndOffersUnsavedChanges) {
  testing::TempFolder dir;
  dir.Write("job.sbt", "rem one\n");
  TextEditor editor(nullptr, nullptr);
  EXPECT_EQ(editor.windowTitle(), "Kinetor Text Editor: Untitled");
  ASSERT_TRUE(editor.Open(dir / "job"));
  EXPECT_EQ(editor.windowTitle().toStdString(), "Kinetor Text Editor: " + dir / "job.sbt");
  EXPECT_EQ(editor.text().toPlainText(), "rem one\n");
  editor.text().appendPlainText("rem two");
  std::vector<std::string> asked;
  editor.ask_save = [&](const std::string& name) {
    asked.push_back(name);
    return Answer::kCancel;
  };
  EXPECT_FALSE(editor.OfferSaving());
  editor.ask_save = [&](const std::string& name) {
    asked.push_back(name);
    return Answer::kYes;
  };
  EXPECT_TRUE(editor.OfferSaving());
  EXPECT_EQ(asked, (std::vector<std::string>{dir / "job.sbt", dir / "job.sbt"}));
  EXPECT_EQ(dir.Read("job.sbt"), "rem one\n\nrem two");
  EXPECT_TRUE(editor.OfferSaving());  // saved: nothing asked
  EXPECT_EQ(asked.size(), 2u);

  editor.choose_save_name = [&] { return dir / "other.sbt"; };
  ASSERT_TRUE(editor.SaveAs());
  EXPECT_EQ(editor.file(), dir / "other.sbt");
  ModalAnswer error;
  EXPECT_FALSE(editor.Open(dir / "missing.txt"));
  EXPECT_EQ(error.text.toStdString(), "Error, cannot open file: " + dir / "missing.txt");
  EXPECT_EQ(editor.file(), dir / "other.sbt");
}

TEST(TextEditor, AFailedSaveSaysSoAndKeepsTheChanges) {
  testing::TempFolder dir;
  TextEditor editor(nullptr, nullptr);
  editor.text().insertPlainText("typed");
  editor.choose_save_name = [&] { return dir / "no/such/folder/a.sbt"; };
  ModalAnswer error;
  EXPECT_FALSE(editor.Save());  // untitled: through Save As
  EXPECT_EQ(error.text, kTextNotSaved);
  EXPECT_TRUE(editor.file().empty());
  EXPECT_TRUE(editor.text().document()->isModified());
}

platform::Image Blank(uint32_t width, uint32_t height, uint32_t bits = 8) {
  platform::Image picture;
  picture.width = width;
  picture.height = height;
  picture.bits = bits;
  EXPECT_TRUE(picture.Allocate());
  return picture;
}

std::string PictureFile(platform::ImageFormat format, const platform::Image& picture) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(platform::EncodeImage(format, picture, bytes));
  return std::string(bytes.begin(), bytes.end());
}

TEST(Viewer, ShowsPicturesWithTheirMarginAndCaptionAndClosesOnAKey) {
  testing::TempFolder dir;
  platform::Image eight = Blank(40, 30);
  eight.palette[3 * 7] = 255;
  eight.pixels.assign(eight.pixels.size(), 7);
  dir.Write("red.bmp", PictureFile(platform::ImageFormat::kBmp, eight));
  platform::Image deep = Blank(50, 20, 24);
  for (size_t i = 0; i < deep.pixels.size(); ++i) deep.pixels[i] = uint8_t(i * 13);
  dir.Write("deep.tga", PictureFile(platform::ImageFormat::kTga, deep));
  dir.Write("notes.txt", "no picture");

  QWidget owner;
  owner.move(100, 80);
  owner.show();
  QPointer<ViewerWindow> red = OpenViewer(&owner, dir / "red.bmp");
  ASSERT_TRUE(red);
  EXPECT_EQ(red->windowTitle().toStdString(), "View graphics file: " + dir / "red.bmp");
  EXPECT_EQ(red->size(), QSize(50, 40));
  EXPECT_EQ(red->image().format(), QImage::Format_Indexed8);
  EXPECT_EQ(red->image().pixel(3, 3), qRgb(255, 0, 0));
  QTest::keyClick(red, Qt::Key_Escape);
  QTest::qWait(20);
  EXPECT_FALSE(red);  // closed and deleted

  QPointer<ViewerWindow> colour = OpenViewer(&owner, dir / "deep.tga", 24);
  ASSERT_TRUE(colour);
  EXPECT_EQ(colour->image().format(), QImage::Format_RGB888);
  EXPECT_EQ(colour->image().pixel(1, 0), qRgb(39, 52, 65));
  colour->close();
  // The same picture on a 256-colour display: 236 colours of its own.
  QPointer<ViewerWindow> reduced = OpenViewer(&owner, dir / "deep.tga", 8);
  ASSERT_TRUE(reduced);
  EXPECT_EQ(reduced->image().format(), QImage::Format_Indexed8);
  int highest = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) highest = std::max(highest, reduced->image().pixelIndex(x, y));
  EXPECT_LT(highest, kReducedColours);
  reduced->close();
  EXPECT_EQ(OpenViewer(&owner, dir / "notes.txt"), nullptr);
}

TEST(Viewer, APictureLargerThanTheScreenScrollsWithItsKeys) {
  testing::TempFolder dir;
  dir.Write("big.bmp", PictureFile(platform::ImageFormat::kBmp, Blank(3000, 2000)));
  QWidget owner;
  owner.show();
  QPointer<ViewerWindow> viewer = OpenViewer(&owner, dir / "big.bmp");
  ASSERT_TRUE(viewer);
  const QSize room = owner.screen()->availableGeometry().size();
  EXPECT_LE(viewer->width(), room.width());
  EXPECT_LE(viewer->height(), room.height());
  auto bars = viewer->findChildren<QScrollBar*>();
  ASSERT_EQ(bars.size(), 2);
  QScrollBar* across = bars[0]->orientation() == Qt::Horizontal ? bars[0] : bars[1];
  QScrollBar* down = across == bars[0] ? bars[1] : bars[0];
  // The whole picture and its margins can be reached beside the vertical bar.
  EXPECT_EQ(across->maximum(), 3000 + 10 - (viewer->width() - down->width()));
  QTest::keyClick(viewer, Qt::Key_Right);
  QTest::qWait(20);
  ASSERT_TRUE(viewer);  // an arrow scrolls the picture instead of closing it
  EXPECT_GT(across->value(), 0);
  // A wheel's notch and a touchpad's fraction of one both move the picture.
  for (int turned : {-120, -30}) {
    const int before = down->value();
    QWheelEvent wheel(QPointF(50, 50), viewer->mapToGlobal(QPointF(50, 50)), {}, {0, turned},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer, &wheel);
    EXPECT_GT(down->value(), before) << turned;
  }
  QTest::keyClick(viewer, Qt::Key_End);  // not a scrolling key: closes, as on a small picture
  QTest::qWait(20);
  EXPECT_FALSE(viewer);
}

TEST(FindWindow, TheMenusListGivesTheChosenFileOrSaysNoneWasFound) {
  testing::TempFolder dir;
  dir.Write("one.knt", "k");
  std::filesystem::create_directory(dir / "sub");
  dir.Write("sub/two.knt", "k");
  QWidget owner;
  ModalAnswer list(300);
  EXPECT_EQ(FindAndChoose(&owner, dir / "*.knt"), dir / "one.knt");
  EXPECT_EQ(list.title, "List of Found Files:");
  ModalAnswer none(300);
  EXPECT_EQ(FindAndChoose(&owner, dir / "*.none"), "");
  EXPECT_EQ(none.text, "Error, no matching files found.");
}

TEST(EditorCommands, EditAndListeditOpenTheEditors) {
  testing::TempFolder dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  dir.Write("job.sbt", "rem\n");
  dir.Write("walk.lst", "walk.flc\n");
  platform::RecordingProgramStarter starter(1);
  MainWindow main(testing::TestDeskSetup(dir, starter));
  main.show();
  main.ShowPage(kCommandPage);
  main.Run("", "edit job");
  auto* editor = main.findChild<QWidget*>("texteditor");
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->windowTitle().toStdString(), "Kinetor Text Editor: " + dir / "job.sbt");
  // Closing the main window offers the editor's changes; Cancel keeps both open.
  static_cast<TextEditor*>(editor)->text().insertPlainText("rem more\n");
  static_cast<TextEditor*>(editor)->ask_save = [](const std::string&) { return Answer::kCancel; };
  EXPECT_FALSE(main.close());
  EXPECT_TRUE(editor->isVisible());
  static_cast<TextEditor*>(editor)->ask_save = [](const std::string&) { return Answer::kNo; };
  editor->close();
  ModalAnswer list;
  main.Run("", "listedit walk.lst");
  EXPECT_EQ(list.title.toStdString(), "List File Editor - " + dir / "walk.lst");
  ModalAnswer new_list;
  main.Run("", "listedit");  // no name: a new list where the commands run
  EXPECT_EQ(new_list.title.toStdString(), "List File Editor - " + dir / "untitled.lst");
  EXPECT_TRUE(starter.started.empty());  // nothing was handed to another program
}

}  // namespace
}  // namespace kinet::desk
