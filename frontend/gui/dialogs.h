// Small dialogs the pages share: choosing from a list (the recent lists) and the
// output-file chooser.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "frontend/core/output_choice.h"

namespace kinet::desk {

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
};

// The output-file chooser (Toutwin): the chosen file, or an empty text on Cancel.
QString ChooseOutputFile(QWidget* parent, const OutputRequest& request);

}  // namespace kinet::desk
