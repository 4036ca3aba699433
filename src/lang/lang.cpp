#include "lang/lang.h"

#include "common/text.h"
#include "lang/language_file.h"

namespace wc {

namespace {
constexpr std::string_view kTranslations = "Translations";
constexpr std::string_view kMessages = "Messages";
constexpr std::string_view kHeader = "Language";
}  // namespace

PropertyPath SplitPropertyPath(std::string_view path) {
  PropertyPath result;
  std::string rest = Trim(path);
  for (size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
    result.components.push_back(Trim(std::string_view(rest).substr(0, dot)));
    rest = Trim(std::string_view(rest).substr(dot + 1));
  }
  result.property = std::move(rest);
  return result;
}

TLanguage::TLanguage(ui::Component* owner, std::string name) : Component(owner, std::move(name)) {
  PublishText("LanguageFile", [this] { return languageFile_; }, [this](const std::string& v) { languageFile_ = v; });
  PublishStrings("Properties", [this] { return properties_; },
                 [this](const std::vector<std::string>& v) { properties_ = v; });
  PublishText("Separator", [this] { return separator_; }, [this](const std::string& v) { SetSeparator(v); });
}

TLanguage::~TLanguage() {
  if (program_ == this) program_ = nullptr;
}

TLanguage* TLanguage::Program() { return program_; }

void TLanguage::SetSeparator(std::string_view separator) {
  separator_ = Trim(separator).empty() ? std::string(",") : std::string(separator);
}

ui::Component* TLanguage::FindOwnedByName(const ui::Component* owner, std::string_view name) {
  return owner ? owner->FindOwnedByName(name) : nullptr;
}

ui::Component& TLanguage::Root() {
  ui::Component* c = this;
  while (c->Owner()) c = c->Owner();
  return *c;
}

void TLanguage::ApplyLanguage() {
  const LanguageFileText file = LanguageFileText::Load(languageFile_, LegacyText);
  struct RunScope {
    const LanguageFileText*& slot;
    ~RunScope() { slot = nullptr; }
  } scope{runFile_ = &file};
  rightToLeft_ = ParseBooleanText(Trim(file.Read(kHeader, "RightToLeft", "0"))).value_or(false);
  ui::Raise(OnBeforeTranslation, *this);
  ApplyLines(file);
  ui::Raise(OnAfterTranslation, *this);
  // Windows that compose texts of their own (titles, status lines) make
  // them again in the new language.
  for (ui::Component* window : Root().Components()) window->TextsReplaced();
}

void TLanguage::ApplyLines(const LanguageFileText& file) {
  // A handler may change the list while a run goes on; the run keeps to the
  // lines it started with.
  const std::vector<std::string> lines = properties_;
  for (const std::string& line : lines) {
    if (Trim(line).empty()) continue;
    ApplyEntry(line, file.Read(kTranslations, line, ""));
  }
}

void TLanguage::ApplyEntry(std::string_view path, const std::string& value) {
  const PropertyPath parts = SplitPropertyPath(path);
  // A line without a dot names no component.
  if (parts.components.empty() || value.empty()) return;
  ui::Component* component = &Root();
  for (const std::string& name : parts.components) {
    component = FindOwnedByName(component, name);
    if (!component) return;
  }
  const ui::Property* property = component->FindProperty(parts.property);
  std::string text = value;
  if (OnTranslate) {
    const std::string oldValue = property && property->getText ? property->getText() : std::string();
    OnTranslate(*this, *component, parts.property, oldValue, text);
  }
  if (!property) return;
  switch (property->type) {
    case ui::PropertyType::Text:
      if (property->setText) property->setText(text);
      break;
    case ui::PropertyType::Integer:
      // Text that is no integer is passed over: a wrong number in a language
      // file must not move or recolour a control.
      if (auto number = ParseIntegerText(Trim(text)); number && property->setInteger) property->setInteger(*number);
      break;
    case ui::PropertyType::Strings:
      if (property->setStrings) property->setStrings(SplitListValue(text, separator_));
      break;
    case ui::PropertyType::Boolean:
      break;  // no language translates a yes or no
  }
}

std::string TLanguage::MessageText(const std::string& id) const { return MessageText(id, id); }

std::string TLanguage::MessageText(std::string_view id, std::string_view fallback) const {
  if (runFile_) return runFile_->Read(kMessages, id, fallback);
  return LanguageFileText::Load(languageFile_, LegacyText).Read(kMessages, id, fallback);
}

}  // namespace wc
