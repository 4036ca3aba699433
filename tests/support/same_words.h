#pragma once
// The few texts that a translation may leave as the English ones because
// that language writes them the same way (OK, Type, Options ...), and the
// words that are names. Every other shown text must differ from English.
#include <set>
#include <string_view>
#include <string>

namespace wc::test {

inline bool SameInLanguage(const std::string& language, std::string english) {
  // The access key's mark does not make another word.
  std::erase(english, '&');
  static const std::set<std::string> common = {"OK", "Ok", "Pellimox Free Wallpaper Changer"};
  static const std::set<std::string> french = {"Type", "Options", "minutes", "Position", "Capture", "Automatique"};
  static const std::set<std::string> spanish = {"Error", "General", "Manual", "minutos", "Opciones", "Monitor:"};
  static const std::set<std::string> romanian = {"Desktop", "General", "Manual", "Opțiuni", "Monitor:"};
  static const std::set<std::string> none;
  const std::set<std::string>& own = language == "French"     ? french
                                     : language == "Spanish"  ? spanish
                                     : language == "Romanian" ? romanian
                                                              : none;
  return common.count(english) || own.count(english);
}

}  // namespace wc::test
