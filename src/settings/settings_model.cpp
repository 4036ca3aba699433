#include "settings/settings_model.h"

#include <type_traits>

#include "common/text.h"

namespace wc {

namespace {

bool InParts(const SettingRow& row, SettingsParts parts) { return (uint8_t(row.part) & parts) != 0; }

// The row's default into its field.
void SetDefault(SettingsValues& values, const SettingRow& row, const std::string& programFolder) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(values.*member)>;
        if constexpr (std::is_same_v<T, std::string>) {
          const std::string text = std::get<const char*>(row.fallback);
          values.*member = (row.flags & kInProgramFolder) ? programFolder + text : text;
        } else {
          values.*member = std::get<T>(row.fallback);
        }
      },
      row.field);
}

// The stored text into the row's field; a text that is no value of the
// field's kind leaves the field as it is.
void SetFromText(SettingsValues& values, const SettingRow& row, const std::string& text) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(values.*member)>;
        if constexpr (std::is_same_v<T, std::string>) {
          values.*member = text;
        } else if constexpr (std::is_same_v<T, bool>) {
          if (auto v = ParseBooleanText(text)) values.*member = *v;
        } else {
          if (auto v = ParseIntegerText(text)) values.*member = *v;
        }
      },
      row.field);
}

std::string TextOf(const SettingsValues& values, const SettingRow& row) {
  return std::visit(
      [&](auto member) -> std::string {
        using T = std::remove_cvref_t<decltype(values.*member)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return values.*member;
        } else if constexpr (std::is_same_v<T, bool>) {
          return values.*member ? "1" : "0";
        } else {
          return IntToText(values.*member);
        }
      },
      row.field);
}

}  // namespace

SettingsValues DefaultSettings(const std::string& programFolder) {
  SettingsValues values{};
  for (const SettingRow& row : kSettingRows) SetDefault(values, row, programFolder);
  return values;
}

void SettingsModel::Load(const SettingsStore& store, SettingsParts parts, const std::string& programFolder) {
  for (const SettingRow& row : kSettingRows) {
    if (!InParts(row, parts) || (row.flags & kWrittenOnly)) continue;
    SetDefault(values, row, programFolder);
    if (std::optional<std::string> text = store.Read(row.section, row.key)) SetFromText(values, row, *text);
  }
  loaded_ |= parts;
}

void SettingsModel::Save(SettingsStore& store, SettingsParts parts) const {
  std::vector<StoredSetting> stored;
  for (const SettingRow& row : kSettingRows) {
    if (InParts(row, parts)) stored.push_back({row.section, row.key, TextOf(values, row)});
  }
  if (!stored.empty()) store.Write(stored);
}

}  // namespace wc
