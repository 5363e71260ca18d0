#include "frontend/gui/text_commands.h"

#include <QMessageBox>
#include <QSaveFile>
#include <QTextBlock>
#include <algorithm>

#include "frontend/gui/dialogs.h"

namespace kinet::desk {

bool FindInText(QPlainTextEdit& edit, const QString& text) {
  if (text.isEmpty()) return false;
  if (edit.find(text)) return true;
  const QTextCursor kept = edit.textCursor();
  QTextCursor from_top = kept;
  from_top.movePosition(QTextCursor::Start);
  edit.setTextCursor(from_top);
  if (edit.find(text)) return true;
  edit.setTextCursor(kept);
  return false;
}

bool GotoLineInText(QPlainTextEdit& edit, const QString& line) {
  bool number = false;
  const int n = line.trimmed().toInt(&number);
  if (!number) return false;
  const QTextDocument& document = *edit.document();
  const QTextBlock block = document.findBlockByNumber(std::clamp(n, 1, document.blockCount()) - 1);
  edit.setTextCursor(QTextCursor(block));
  edit.ensureCursorVisible();
  edit.setFocus();
  return true;
}

void AskAndFind(QPlainTextEdit& edit, QString& remembered, const QString& caption) {
  const auto text = AskText(&edit, "Find Text:", "Find:", "&Find Next", remembered);
  if (!text || text->isEmpty()) return;
  remembered = *text;
  if (!FindInText(edit, remembered)) QMessageBox::information(&edit, caption, kTextNotFound);
}

void AskAndGoto(QPlainTextEdit& edit, QString& remembered) {
  const auto line = AskText(&edit, "Goto Line Number:", "Goto:", "&Goto", remembered);
  if (!line) return;
  remembered = *line;
  GotoLineInText(edit, remembered);
}

bool WriteText(const std::string& path, const QString& text) {
  QSaveFile file(QString::fromStdString(path));
  const QByteArray bytes = text.toLocal8Bit();
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

Answer AskSaveChanges(QWidget* parent, const QString& caption, const std::string& name) {
  const QString question =
      name.empty() ? "Save your changes ?" : QString::fromStdString("Save changes to " + name);
  return AskYesNoCancel(parent, caption, question);
}

}  // namespace kinet::desk
