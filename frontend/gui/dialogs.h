// Small dialogs the windows share: questions, choosing from a list (the recent lists), the
// input-file and the output-file chooser.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "frontend/core/desk_host.h"
#include "frontend/core/output_choice.h"

namespace kinet::desk {

// A question with its own caption, label and OK button; nullopt on Cancel.
std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                               const QString& button, const QString& text = {});
Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& question);

// A list to choose from; the chosen entry, or nullopt on Cancel.
std::optional<QString> ChooseFromList(QWidget* parent, const QString& title, const QString& label,
                                      const QStringList& entries);

struct OutputRequest {
  QString title;      // the window's caption
  QString button;     // the OK button's caption ("&Save")
  QString directory;  // where the lists start
  QString proposed;   // the proposed file name
  QString filter;     // "Text files (*.Txt)|*.TXT|All files (*.*)|*.*"
  OutputMode mode = OutputMode::kAskOverwrite;
  QString label = "File &name:";  // over the name line (" Save your file as: ")
};

struct InputRequest {
  const char* title;    // the window's caption ("Insert files:")
  const char* caption;  // the file picker's (" Highlight files to insert: ")
  const char* button;   // the OK button's ("&Insert")
  const char* filter;   // as FilterTypes reads it
  std::string directory;
  bool several = false;  // several files may be chosen
};

// The input-file chooser: the chosen files as full paths, none on Cancel.
std::vector<std::string> ChooseInputFiles(QWidget* parent, const InputRequest& request);

// The output-file chooser (Toutwin): the chosen file, or an empty text on Cancel.
QString ChooseOutputFile(QWidget* parent, const OutputRequest& request);

}  // namespace kinet::desk
