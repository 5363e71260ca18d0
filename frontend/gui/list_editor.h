// The list editor (Tlistedit), "List File Editor - " + the list's name: the lines of a list
// file, the selected line's start and end frame, the buttons that insert, remove and move
// lines, and saving on close or through Save As. It runs as a modal window.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

#include "frontend/core/desk_host.h"
#include "frontend/core/list_document.h"

namespace kinet::desk {

class ListEditor : public QDialog {
 public:
  ListEditor(QWidget* parent, ListDocument document);

  const ListDocument& document() const { return document_; }
  // "&Close": asks "Save file <name> ?" when the list changed; false when it stays open.
  bool CloseAsked();
  // "Save &As": the chosen name, "" when cancelled or the list could not be saved there.
  std::string SaveAs();

  // The questions and choosers, which tests replace.
  std::function<Answer(const std::string& question)> ask;
  std::function<std::string()> choose_save_name;
  std::function<std::vector<std::string>()> choose_inserted;

 protected:
  void reject() override { CloseAsked(); }

 private:
  void Show();
  void Edit(const std::function<void()>& change);
  bool Save(const std::string& path, const std::string& error);

  ListDocument document_;
  QListWidget* lines_;
  QLineEdit *start_, *end_;
};

// Opens the editor on the list `file`; false, after "Error loading <name>", when it cannot be
// read.
bool EditListFile(QWidget* parent, const std::string& file);
// A new list "untitled.lst" in `directory` holding `names` (relative to it), opened in the
// editor: the name it was saved under, "" when it was not saved.
std::string NewListFile(QWidget* parent, const std::string& directory,
                        const std::vector<std::string>& names);

}  // namespace kinet::desk
