// What the text editor and the script page's edit tab share: finding text and going to a
// line, saving a text and offering to save changes.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>
#include <string>

#include "frontend/core/desk_host.h"

namespace kinet::desk {

inline constexpr const char* kTextNotFound = "Find text was not found.";
inline constexpr const char* kTextNotSaved = "Error, could not save file.";

// Finds `text` without regard to case from just after the caret, then from the start, and
// selects and shows the hit. False when the text holds no such hit.
bool FindInText(QPlainTextEdit& edit, const QString& text);
// Puts the caret at the start of line `line` (from 1; past the end: the last line). False
// when `line` is no number.
bool GotoLineInText(QPlainTextEdit& edit, const QString& line);

// "Find Text:" asked with `remembered` proposed (and remembered), then FindInText, or the
// not-found box captioned `caption`.
void AskAndFind(QPlainTextEdit& edit, QString& remembered, const QString& caption);
// "Goto Line Number:" asked with `remembered` proposed, then GotoLineInText.
void AskAndGoto(QPlainTextEdit& edit, QString& remembered);

// Writes `text` to `path`, replacing an earlier file only once the whole text is written;
// false when it could not be written.
bool WriteText(const std::string& path, const QString& text);
// "Save changes to <name>" (or "Save your changes ?" for a text without a name): Yes, No or
// Cancel.
Answer AskSaveChanges(QWidget* parent, const QString& caption, const std::string& name);

}  // namespace kinet::desk
