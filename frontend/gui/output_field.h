// The output name of an option page: the name field in its group, and for the pages that
// write several kinds of file the "&Type" button with the menu of output types, "Mix original
// into output?" (only for types after the first) and "Overwrite without asking?".
#pragma once

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string_view>
#include <string>
#include <vector>

#include "frontend/core/settings.h"

namespace kinet::desk {

struct OutputOptions {
  const char* name;                 // the field's object name ("kinetout")
  std::vector<const char*> types;   // extensions of the menu; one without a menu
  bool mix_original = false;        // the menu holds "Mix original into output?"
  bool overwrite = false;           // the menu holds "Overwrite without asking?"
};

class OutputField : public QGroupBox {
 public:
  explicit OutputField(const OutputOptions& options, QWidget* parent = nullptr);

  // The name as the field shows it: bare in the input's directory, else a full path.
  std::string shown() const { return name_->text().trimmed().toStdString(); }
  // The output's full path for an input in `input_dir`.
  std::string Path(const std::string& input_dir) const;
  // The name and the input it was proposed for, read from and written to a page's section
  // (keys OutputName and OutputBasedOn).
  void Load(const Settings& settings, std::string_view section);
  void Store(Settings& settings, std::string_view section) const;
  const std::string& based_on() const { return based_on_; }

  // Proposes the output for `input` (a full path): with the type's extension, or with the
  // extension the user typed; "New_" when it would be the input.
  void Propose(const std::string& input);

  int type() const { return type_; }
  void SetType(int index);
  bool mix_original() const { return mix_ && mix_->isChecked(); }
  void SetMixOriginal(bool on);
  bool overwrite() const { return overwrite_ && overwrite_->isChecked(); }
  void SetOverwrite(bool on);

  // The type was chosen in the menu.
  std::function<void()> on_type;

 private:
  std::string Extension() const;

  OutputOptions options_;
  QLineEdit* name_;
  QPushButton* type_button_ = nullptr;
  std::vector<QAction*> type_actions_;
  QAction *mix_ = nullptr, *overwrite_ = nullptr;
  int type_ = 0;
  bool typed_ = false;  // the user edited the name
  std::string based_on_, input_;
};

}  // namespace kinet::desk
