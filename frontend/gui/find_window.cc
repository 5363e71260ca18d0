#include "frontend/gui/find_window.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/core/file_finder.h"
#include "frontend/gui/dialogs.h"

namespace kinet::desk {

std::vector<std::string> FindWithProgress(QWidget* owner, const std::string& pattern) {
  QDialog window(owner);
  window.setWindowTitle("Finding File...");
  auto* layout = new QVBoxLayout(&window);
  auto* directories = new QLabel(&window);
  auto* current = new QLabel(&window);
  auto* found = new QLabel(&window);
  current->setMinimumWidth(360);
  for (QLabel* l : {directories, current, found}) layout->addWidget(l);
  auto* cancel = new QPushButton("&Cancel", &window);
  layout->addWidget(cancel, 0, Qt::AlignRight);
  bool cancelled = false;
  QObject::connect(cancel, &QPushButton::clicked, &window, [&] { cancelled = true; });
  window.show();
  return FindFiles(platform::SystemFileSystem(), pattern, [&](const FindProgress& p) {
    directories->setText(QString("Directories searched: %1").arg(p.directories));
    current->setText(QString::fromStdString("Current directory: " + p.current));
    found->setText(QString("Files found: %1").arg(p.found));
    QApplication::processEvents();
    return !cancelled;
  });
}

std::string FindAndChoose(QWidget* owner, const std::string& pattern) {
  const std::vector<std::string> hits = FindWithProgress(owner, pattern);
  if (hits.empty()) {
    QMessageBox::critical(owner, "Finding File...", kNoFilesFoundBox);
    return "";
  }
  QStringList names;
  for (const std::string& hit : hits) names << QString::fromStdString(hit);
  const auto chosen =
      ChooseFromList(owner, "List of Found Files:", " Select a found file: ", names);
  return chosen ? chosen->toStdString() : "";
}

}  // namespace kinet::desk
