// The script page (Tscriptform, caption "Scriptor"): the script files in the File tab, the
// highlighted script's text in the Edit tab, and "&Run", which starts the script player.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "frontend/gui/file_picker.h"
#include "frontend/gui/page.h"

namespace kinet::desk {

class MainWindow;

class ScriptPageForm : public Page {
 public:
  explicit ScriptPageForm(MainWindow& window);
  void Store(Settings& settings) override;
  void RefreshLists() override { picker_->Refresh(); }
  bool MayClose() override { return OfferSaving(); }
  void Run();

 private:
  void Load();
  // Unsaved changes offered for saving; false when the user cancelled.
  bool OfferSaving();
  bool Save();
  void Find();
  void GotoLine();

  MainWindow& window_;
  FilePicker* picker_;
  QTabWidget* tabs_;
  QPlainTextEdit* text_;
  QPushButton* run_;
  std::string file_;  // the script the Edit tab holds
  QString find_text_, goto_line_;
};

}  // namespace kinet::desk
