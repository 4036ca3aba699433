#pragma once
// TLanguage: translates a running program from a language file.
//
// It holds a list of property paths ("MainForm.MainNew.Caption"), reads a
// replacement text for each from the file's [Translations] section, finds the
// window and control by name through the owners and writes the text into the
// published property. Free-standing texts are looked up by id in the
// [Messages] section. A run starts only when its user asks for one.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/component.h"

namespace wc {

class LanguageFileText;

// Raised for each property about to be set; the handler may change newValue.
using LanguageNotifyEvent = std::function<void(ui::Component& sender, ui::Component& component,
                                               const std::string& propertyName, const std::string& oldValue,
                                               std::string& newValue)>;

// A property path taken apart: the component names (trimmed), then the
// property's name. `components` is empty for a path without a dot.
struct PropertyPath {
  std::vector<std::string> components;
  std::string property;
};
PropertyPath SplitPropertyPath(std::string_view path);

class TLanguage : public ui::Component {
 public:
  TLanguage(ui::Component* owner, std::string name);
  ~TLanguage() override;

  // The language the program's own texts (message boxes, file dialogs,
  // status lines) are looked up in; nullptr: none, and they stay English.
  static TLanguage* Program();
  void MakeProgramLanguage() { program_ = this; }

  // Full path of the language file; setting it does nothing else.
  const std::string& LanguageFile() const { return languageFile_; }
  void SetLanguageFile(std::string path) { languageFile_ = std::move(path); }

  // The property paths to translate, one per line.
  const std::vector<std::string>& Properties() const { return properties_; }
  void SetProperties(std::vector<std::string> lines) { properties_ = std::move(lines); }

  // Separates the items of a list value; empty or blank stores ",".
  const std::string& Separator() const { return separator_; }
  void SetSeparator(std::string_view separator);

  // Turns a line of the file saved in the legacy code page into UTF-8;
  // null: Windows-1252. The program sets the system's own.
  std::string (*LegacyText)(std::string_view) = nullptr;

  ui::NotifyEvent OnBeforeTranslation;
  ui::NotifyEvent OnAfterTranslation;
  ui::NotifyEvent* EventSlot(ui::Event e) override {
    if (e == ui::Event::BeforeTranslation) return &OnBeforeTranslation;
    return e == ui::Event::AfterTranslation ? &OnAfterTranslation : nullptr;
  }
  LanguageNotifyEvent OnTranslate;

  // One translation run over every line of Properties.
  void ApplyLanguage();
  // Resolves one path from the application object down and sets one property;
  // an empty value, or a path that names nothing, changes nothing.
  void ApplyEntry(std::string_view path, const std::string& value);
  // The text of a message id from [Messages]; the id itself when missing.
  std::string MessageText(const std::string& id) const;
  // The text of a message id from [Messages]; `fallback` when missing.
  std::string MessageText(std::string_view id, std::string_view fallback) const;

  // The file's header section ([Language]) says its script runs right to
  // left ("RightToLeft=1"); read at each run.
  bool RightToLeft() const { return rightToLeft_; }

  // The first component owned by `owner` whose name equals `name` (A-Z
  // without regard to case), in ownership order; nullptr when none or when
  // owner is nullptr.
  static ui::Component* FindOwnedByName(const ui::Component* owner, std::string_view name);

 private:
  // The top of the ownership chain: the application object.
  ui::Component& Root();
  void ApplyLines(const LanguageFileText& file);

  // The file read once for the whole run: the lines and every look-up made
  // while the run goes on (the tool tips set after it) share it.
  const LanguageFileText* runFile_ = nullptr;
  bool rightToLeft_ = false;
  static inline TLanguage* program_ = nullptr;

  std::string languageFile_;
  std::vector<std::string> properties_;
  std::string separator_ = ",";
};

}  // namespace wc
