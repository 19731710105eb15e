// The report language, read from and written to the settings file.
#include "services/language_setting_face.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <string>

#include "services/install_paths_face.h"

char REPORT_LANGUAGE_CODE[4] = "   ";
char SELECTED_LANGUAGE_CODE[4] = "   ";
LanguageCode LANGUAGE_CODE;

namespace {

constexpr const char* kSection = "Setting";
constexpr const char* kKey = "Language";

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

const Language* FindLanguage(char first_letter) {
  const char letter = Upper(first_letter);
  const auto found = std::find_if(std::begin(LANGUAGES), std::end(LANGUAGES),
                                  [&](const Language& l) { return l.letter == letter; });
  return found == std::end(LANGUAGES) ? nullptr : found;
}

int32_t LanguageFromSetting(std::string_view value, char* code) {
  // An empty value is a key that names no language, as a missing one.
  if (value.empty() || value == "Default") value = "ENGLISH";
  const Language* language = FindLanguage(value[0]);
  if (language) value = language->name;
  fixed::AssignPadded(code, 3, value.substr(0, 3));
  return language ? language->LANGUAGE_INDEX : 0;
}

int32_t ReadLanguageSetting(char* code) {
  char value[80] = {};
  GetPrivateProfileStringA(kSection, kKey, "Default", value, sizeof value, SETTINGS_FILE);
  char taken[3];
  const int32_t index = LanguageFromSetting(value, taken);
  if (code) std::memcpy(code, taken, sizeof taken);
  return index;
}

int32_t SetLanguage(const char* name) {
  const Language* language = name ? FindLanguage(name[0]) : nullptr;
  if (!language) return 0;
  char folder[256];
  if (!GetPdaFolder(folder, sizeof folder)) return 0;
  const std::string file = std::string(folder) + language->file;
  if (file.size() > 255 || !CheckFileExists(file.c_str())) return 0;
  // Nothing changes in memory unless the machine keeps the language too.
  if (!WritePrivateProfileStringA(kSection, kKey, language->name, SETTINGS_FILE)) return 0;
  std::memcpy(REPORT_LANGUAGE_CODE, language->code, 4);
  std::memcpy(SELECTED_LANGUAGE_CODE, language->code, 4);
  REFRESH_LANGUAGE_CODE();
  return 1;
}

void SelectLanguage(int32_t index) {
  if (index < 1 || index > static_cast<int32_t>(std::size(LANGUAGES))) return;
  const Language& language = LANGUAGES[index - 1];
  if (SELECTED_LANGUAGE_CODE[0] != language.letter) SetLanguage(language.name);
}

int32_t ReturnNoLanguageChange() { return 0; }

void GET_LANGUAGE_CODE(char* code, int64_t code_len) {
  char taken[3];
  ReadLanguageSetting(taken);
  if (code && code_len > 0)
    fixed::AssignPadded(code, static_cast<std::size_t>(code_len), std::string_view(taken, 3));
}

void REFRESH_LANGUAGE_CODE() {
  char taken[3];
  GET_LANGUAGE_CODE(taken, sizeof taken);
  LANGUAGE_CODE.LANGCODE.assign(std::string_view(taken, 3));
}
