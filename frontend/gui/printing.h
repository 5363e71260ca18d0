// Printing a window's picture: scaled to fit the page, keeping its proportions, after the
// print dialog or straight to a printer set up by the caller (a PDF file needs no printer).
#pragma once

#include <QPixmap>
#include <QPrinter>
#include <QWidget>

namespace kinet::desk {

// Draws `picture` on `printer`'s page; false when the printer could not be started.
bool PrintFitted(QPrinter& printer, const QPixmap& picture);
// The print dialog over `parent`, then PrintFitted once it is confirmed.
void AskAndPrint(QWidget* parent, const QPixmap& picture);

}  // namespace kinet::desk
