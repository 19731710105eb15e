// The report language: kept on the machine in "ZUVEDOZU.INI" (section
// "Setting", key "Language"), in memory as a three-letter code on the support
// library's side and in LANGUAGE_CODE for the computational side; and the two
// small file tests of the same unit.
#pragma once

#include <cstdint>
#include <string_view>

#include "include/fixed_text.h"

// Addressed by its bare name, so the platform's profile calls keep it in the
// Windows folder.
inline constexpr const char* SETTINGS_FILE = "ZUVEDOZU.INI";

struct Language {
  int32_t LANGUAGE_INDEX;
  char letter;       // a language is known by its first letter alone
  const char* name;  // as the settings file holds it
  const char* code;  // the report templates' extension
  const char* file;  // must exist in the program's "DAT\PDA\" for the language to be set
};
inline constexpr Language LANGUAGES[] = {
    {1, 'E', "ENGLISH", "ENG", "G_ENGLIS.PDA"}, {2, 'F', "FRENCH", "FRE", "G_FRENCH.PDA"},
    {3, 'G', "GERMAN", "GER", "G_GERMAN.PDA"},  {4, 'S', "SPANISH", "SPA", "G_SPANIS.PDA"},
    {5, 'I', "ITALIAN", "ITA", "G_ITALIA.PDA"}, {6, 'C', "CHINESE", "CHI", "G_CHINES.PDA"}};

// The language whose name begins with that letter, in either case; null for none.
const Language* FindLanguage(char first_letter);

// Three characters and a NUL; three blanks until a language is taken.
extern char REPORT_LANGUAGE_CODE[4];
extern char SELECTED_LANGUAGE_CODE[4];

struct LanguageCode {
  FixedText<3> LANGCODE;
};
extern LanguageCode LANGUAGE_CODE;

// The index of the language in the settings file and its code in code[0..3),
// no terminator. A missing file, section or key, an empty value and "Default"
// read as English. A first letter of none of the six answers 0, the code then
// being the value's first three characters as read, padded with blanks.
int32_t ReadLanguageSetting(char* code);
// The same from a value as read from the settings file.
int32_t LanguageFromSetting(std::string_view value, char* code);

// Sets the language named by the first letter of name: writes it to the
// settings file and takes its code everywhere. Answers 1 when set; 0, with the
// file and every code as they were, for an unknown letter, a missing language
// file or a settings file that could not be written.
int32_t SetLanguage(const char* name);
// Sets the language of that index (1 to 6) unless it is already the selected one.
void SelectLanguage(int32_t index);
// Answers 0; the report unit asks before every page.
int32_t ReturnNoLanguageChange();

// The code that ReadLanguageSetting gives, blank-padded or cut to code_len.
void GET_LANGUAGE_CODE(char* code, int64_t code_len);
// LANGCODE := that code.
void REFRESH_LANGUAGE_CODE();

// 1 when the path exists as a file or a folder, else 0.
int32_t CheckFileExists(const char* path);
// 1 when the three characters after the name's first '.' are "DQI" in any case.
int32_t HasDqiExtension(const char* name);
