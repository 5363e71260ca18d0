// The command page (Tcommandform): the command history, the command line with recall of the
// recent commands, and the menus of both.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "frontend/core/recent_list.h"
#include "frontend/gui/page.h"

namespace kinet::desk {

class MainWindow;

class CommandPage : public Page {
 public:
  explicit CommandPage(MainWindow& window);
  void ShowHistory() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunSpecific();
  void NewBatch();
  bool CommandKey(QKeyEvent* key);
  bool HistoryKey(QKeyEvent* key);
  void CommandMenu(const QPoint& at);
  void HistoryMenu(const QPoint& at);
  void RecentCommands();
  void RecentDirectories();
  void CopyHistory();
  void ClearHistory();
  void SaveHistoryAs();

  MainWindow& window_;
  QLineEdit* command_;
  QPushButton* run_;
  QPlainTextEdit* history_;
  RecallCursor recall_;
  uint64_t shown_version_ = ~uint64_t{0};
  bool entered_ = false;
};

}  // namespace kinet::desk
