// What the window tests share: a main window set up in the test's folder with a recording
// starter, finding widgets by object name, letting the timers tick, and a hand that deals
// with the modal windows as they open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "tests/frontend/desk_setup.h"

namespace kinet::desk::testing {

// Each modal window that opens gets the next step. What each showed is kept in order: a
// message box's text; a text question's "caption|label|OK button"; any other window's
// "caption|OK button".
class ModalHand {
 public:
  using Step = std::function<void(QWidget*)>;
  explicit ModalHand(std::deque<Step> steps) : steps_(std::move(steps)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal == last_ || steps_.empty()) return;
      last_ = modal;
      seen.push_back(Shown(modal));
      Step step = std::move(steps_.front());
      steps_.pop_front();
      step(modal);
    });
    timer_.start();
  }
  // A message box answered with `button`.
  static Step Press(QMessageBox::StandardButton button) {
    return [button](QWidget* w) {
      if (auto* box = qobject_cast<QMessageBox*>(w))
        if (QAbstractButton* b = box->button(button)) b->click();
    };
  }
  // A text question, or the output chooser's name line, filled in and accepted.
  static Step Type(const QString& text) {
    return [text](QWidget* w) {
      if (auto* input = qobject_cast<QInputDialog*>(w))
        input->setTextValue(text);
      else if (auto* line = w->findChild<QLineEdit*>())
        line->setText(text);
      Accept(w);
    };
  }
  // A list to choose from with row `row` chosen.
  static Step Choose(int row) {
    return [row](QWidget* w) {
      if (auto* list = w->findChild<QListWidget*>()) list->setCurrentRow(row);
      Accept(w);
    };
  }
  static Step Cancel() {
    return [](QWidget* w) { static_cast<QDialog*>(w)->reject(); };
  }
  std::vector<std::string> seen;

 private:
  static QPushButton* Ok(QWidget* w) {
    auto* buttons = w->findChild<QDialogButtonBox*>();
    return buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
  }
  static void Accept(QWidget* w) {
    if (QPushButton* ok = Ok(w)) return ok->click();
    static_cast<QDialog*>(w)->accept();
  }
  static std::string Shown(QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) return box->text().toStdString();
    if (auto* input = qobject_cast<QInputDialog*>(w))
      return (input->windowTitle() + "|" + input->labelText() + "|" + input->okButtonText()).toStdString();
    return (w->windowTitle() + "|" + (Ok(w) ? Ok(w)->text() : "")).toStdString();
  }
  std::deque<Step> steps_;
  QPointer<QWidget> last_;
  QTimer timer_;
};

class DeskTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_RUNTIME_DIR", dir_.path().c_str(), 1); }
  DeskSetup Setup(std::vector<std::string> batch_files = {}) {
    DeskSetup setup = TestDeskSetup(dir_, starter_, "/opt/kinet/bin");
    setup.settings.batch_files = std::move(batch_files);
    return setup;
  }
  template <typename W>
  static W* Find(QWidget& window, const char* name) {
    W* w = window.findChild<W*>(name);
    EXPECT_TRUE(w) << name;
    return w;
  }
  // Lets the tab timer (20 ms) and the report pump (50 ms) run.
  static void Ticks() { QTest::qWait(120); }
  // The report switch the window's tools get.
  static std::string Report(const MainWindow& window) {
    return " /#" + std::to_string(window.report_number());
  }

  TempFolder dir_;
  platform::RecordingProgramStarter starter_{4321};
};

}  // namespace kinet::desk::testing
