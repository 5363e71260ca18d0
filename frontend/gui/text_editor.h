// The text editor (Teditform), "Kinetor Text Editor: " + the file's name: a plain text with
// Open, New, Save, Save As, Close and Help, a pop-up menu with undo, the clipboard, find and
// go to line, and the caret's line number under it. Each `edit` opens one; closing deletes it.
#pragma once

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "frontend/core/desk_host.h"

namespace kinet::desk {

// The editors' object name, by which the main window finds them.
inline constexpr const char* kTextEditorName = "texteditor";

class TextEditor : public QWidget {
 public:
  TextEditor(QWidget* owner, std::function<void()> help);

  // Reads `file` (".sbt" added when it has no extension); false, after "Error, cannot open
  // file: <name>", when it cannot be read. The caller offers saving first.
  bool Open(const std::string& file);
  // Offers the unsaved changes for saving; false when the user cancelled.
  bool OfferSaving();
  bool Save();
  bool SaveAs();

  const std::string& file() const { return file_; }
  QPlainTextEdit& text() { return *text_; }
  QMenu& menu() { return *menu_; }
  // " Line: " + the caret's line, as the timer last showed it.
  QString line_status() const { return line_->text(); }

  // The question and the choosers, which tests replace.
  std::function<Answer(const std::string& name)> ask_save;
  std::function<std::string()> choose_open, choose_save_name;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowCaption();

  std::string file_;
  QPlainTextEdit* text_;
  QLabel* line_;
  QMenu* menu_;
  QTimer line_timer_;
  QString find_text_, goto_line_;
};

// A text editor over `owner` showing `file` (untitled when empty); nullptr, after the error
// box, when the file cannot be read.
TextEditor* ShowTextEditor(QWidget* owner, const std::string& file, std::function<void()> help);

}  // namespace kinet::desk
