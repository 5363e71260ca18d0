#include "frontend/gui/batch_window.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QVBoxLayout>
#include <filesystem>

#include "frontend/gui/main_window.h"

namespace kinet::desk {

BatchWindow::BatchWindow(MainWindow& main, platform::ProgramStarter& starter)
    : QDialog(&main), main_(main), player_(main.runner(), starter) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(current_ = new QLabel);
  layout->addWidget(lines_ = new QListWidget);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { AskCancel(); });
  current_->setTextFormat(Qt::PlainText);
  lines_->setSelectionMode(QAbstractItemView::NoSelection);
  lines_->setFont(QFont("monospace"));
  setWindowModality(Qt::ApplicationModal);
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

bool BatchWindow::Start(const std::string& file, const std::string& parameters) {
  setWindowTitle("Kinetor for Windows Batch Player: " +
                 QString::fromStdString(std::filesystem::path(file).filename().string()));
  if (!player_.Begin(file, parameters)) {
    QMessageBox::critical(&main_, windowTitle(), QString::fromStdString(player_.error()));
    return false;
  }
  for (const std::string& line : player_.lines()) lines_->addItem(QString::fromStdString(line));
  // Centred across the main window, at three quarters of its height.
  const QRect frame = main_.frameGeometry();
  resize(std::max(420, frame.width() * 3 / 4), 260);
  move(frame.x() + (frame.width() - width()) / 2,
       frame.y() + frame.height() * 3 / 4 - height() / 2);
  show();
  timer_.start();
  return true;
}

void BatchWindow::Tick() {
  player_.Tick();
  current_->setText(QString::fromStdString(player_.status()));
  main_.HistoryFlush();
  if (player_.finished()) {
    timer_.stop();
    player_.Finish();
    hide();
  }
}

void BatchWindow::AskCancel() {
  if (player_.finished()) return;
  if (QMessageBox::question(this, windowTitle(), "Cancel the batch file ?") == QMessageBox::Yes)
    player_.Cancel();
}

}  // namespace kinet::desk
