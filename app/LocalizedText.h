#pragma once
// Texts by string ID in the UI language, from the string tables compiled into the
// program (one table per LANGID, in blocks of 16 IDs).
#include <string>
#include <vector>

#include "platform/Win32Types.h"

// Finds the string; false (text unchanged) when its block or the string is missing.
// The lookup tries the exact language, then the neutral sublanguage of its primary
// language (Danish, Spanish and Indonesian are stored that way), then, for the Arabic
// sublanguages, the Arabic table 1025, so that every Arabic user reads Arabic.
BOOL LoadLocalizedString(int langid, UINT id, std::wstring& text);
// The text in the current UI language, empty when missing.
std::wstring LoadText(UINT id);
std::wstring LoadText(int langid, UINT id);

bool IsRtlLanguage(int langid);
BOOL IsSupportedUiLanguage(int langid);
int NormalizeLanguageId(int langid);  // steps 1-9 of the normalisation, no table check
void NormalizeUiLanguage();           // on g_nUiLanguage, with the string-207 check
// Chooses g_nUiLanguage at start: the stored metrics "language", else the user's UI language.
void ChooseUiLanguage();

struct UiLanguage {
    int langid;
    UINT nameId;
    int nameTable;
};
// The 21 languages of the language combo, in its order.
const std::vector<UiLanguage>& UiLanguages();
int UiLanguageIndex(int langid);  // index in the combo; 3 (English) when not listed

// The language tables present in the program, for tests.
std::vector<int> StringTableLanguages();
// Parses one table file's text into (ID, text) pairs; throws std::runtime_error "line N: reason".
std::vector<std::pair<UINT, std::wstring>> ParseStringTable(const std::string& utf8);
