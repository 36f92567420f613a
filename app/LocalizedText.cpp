#include "app/LocalizedText.h"

#include <algorithm>
#include <climits>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "app/Globals.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "res/strings/StringTables.h"

namespace {

// Calls line(id, raw) for every entry of a table file, raw being the text as written
// (escapes not undone); throws std::runtime_error naming the line of a malformed entry.
template <class Fn>
void ForEachEntry(std::string_view utf8, Fn&& line)
{
    std::size_t pos = 0;
    int lineNo = 0;
    while (pos <= utf8.size()) {
        std::size_t end = utf8.find('\n', pos);
        std::string_view text = utf8.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? utf8.size() + 1 : end + 1;
        ++lineNo;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (text.empty() || text[0] == '#') continue;
        std::size_t tab = text.find('\t');
        if (tab == std::string_view::npos)
            throw std::runtime_error("line " + std::to_string(lineNo) + ": no tab after the ID");
        std::string_view idText = text.substr(0, tab);
        if (idText.empty() || idText.find_first_not_of("0123456789") != std::string_view::npos)
            throw std::runtime_error("line " + std::to_string(lineNo) + ": the ID must be a number");
        if (idText.size() > 5) throw std::runtime_error("line " + std::to_string(lineNo) + ": ID over 65535");
        unsigned long id = std::stoul(std::string(idText));
        if (id > 65535) throw std::runtime_error("line " + std::to_string(lineNo) + ": ID over 65535");
        line(static_cast<UINT>(id), text.substr(tab + 1));
    }
}

// The text of an entry: the escapes \r \n \t \\ undone, any other backslash kept.
std::wstring EntryText(std::string_view raw)
{
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            char e = raw[i + 1];
            if (e == 'r') { text += '\r'; ++i; continue; }
            if (e == 'n') { text += '\n'; ++i; continue; }
            if (e == 't') { text += '\t'; ++i; continue; }
            if (e == '\\') { text += '\\'; ++i; continue; }
        }
        text += raw[i];
    }
    return Utf8ToWide(text);
}

// A table as an index into its compiled-in file: the entries sorted by ID, each text
// decoded when it is looked up. A language's index is made when it is first needed:
// most runs read one or two of the 25 tables, and the language names one string each.
struct Entry {
    UINT id;
    std::string_view raw;
};
using Table = std::vector<Entry>;

std::mutex g_tablesMutex;
std::map<int, Table> g_tables;  // indexed so far; guarded by g_tablesMutex

const Table* TableLocked(int langid)
{
    auto t = g_tables.find(langid);
    if (t != g_tables.end()) return &t->second;
    for (std::size_t i = 0; i < kEmbeddedStringTableCount; ++i) {
        const EmbeddedStringTable& file = kEmbeddedStringTables[i];
        if (file.langid != langid) continue;
        Table table;
        ForEachEntry(std::string_view(file.utf8, file.size),
                     [&](UINT id, std::string_view raw) { table.push_back({id, raw}); });
        // A later entry of the same ID replaces an earlier one.
        std::stable_sort(table.begin(), table.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
        return &(g_tables[langid] = std::move(table));
    }
    return nullptr;
}

bool FindIn(int langid, UINT id, std::wstring& text)
{
    std::string_view raw;
    {
        std::lock_guard lock(g_tablesMutex);
        const Table* table = TableLocked(langid);
        if (!table) return false;
        auto after = std::upper_bound(table->begin(), table->end(), id,
                                      [](UINT value, const Entry& e) { return value < e.id; });
        if (after == table->begin() || std::prev(after)->id != id) return false;
        raw = std::prev(after)->raw;
    }
    text = EntryText(raw);
    return true;
}

}  // namespace

std::vector<std::pair<UINT, std::wstring>> ParseStringTable(const std::string& utf8)
{
    std::vector<std::pair<UINT, std::wstring>> out;
    ForEachEntry(utf8, [&](UINT id, std::string_view raw) { out.emplace_back(id, EntryText(raw)); });
    return out;
}

bool IsRtlLanguage(int langid)
{
    switch (langid) {
    case 1025: case 2049: case 3073: case 4097: case 5121: case 6145: return true;
    default: return false;
    }
}

BOOL LoadLocalizedString(int langid, UINT id, std::wstring& text)
{
    if (FindIn(langid, id, text)) return TRUE;
    int neutral = langid & 0x3FF;  // the primary language with the neutral sublanguage
    if (neutral != langid && FindIn(neutral, id, text)) return TRUE;
    if (neutral == 0x01 && langid != 1025 && FindIn(1025, id, text)) return TRUE;
    return FALSE;
}

std::wstring LoadText(int langid, UINT id)
{
    std::wstring text;
    LoadLocalizedString(langid, id, text);
    return text;
}

std::wstring LoadText(UINT id) { return LoadText(g_nUiLanguage, id); }

BOOL IsSupportedUiLanguage(int langid)
{
    static const int kAccepted[] = {
        1033, 2049, 3073, 4097, 5121, 6145, 7169, 8193, 9217, 10241, 11265, 12289, 13313, 14337, 15361, 16385,
        3084, 2060, 1036, 5132, 4108, 6156, 1030, 1032, 1035, 1045, 1049, 1054, 1055, 1057, 1066, 2064, 1040,
        1031, 3079, 5127, 4103, 2055, 1043, 2067, 1044, 2068, 1046, 2070,
        3082, 7178, 11274, 15370, 19466, 4106, 8202, 12298, 16394, 20490, 2058, 6154, 10250, 14346, 18442,
        1034, 5130, 9226, 13322, 17418, 21514, 1053, 2077};
    for (int l : kAccepted)
        if (l == langid) return TRUE;
    return FALSE;
}

int NormalizeLanguageId(int l)
{
    switch (l) {
    case 1033: case 3084: case 1054: case 1030: case 1032: case 1035: case 1045: case 1046: case 1049:
    case 1055: case 1057: case 1066: case 2070:
        return l;
    case 2064: case 1040: return 1040;
    case 2060: case 1036: case 5132: case 4108: case 6156: return 1036;
    case 1031: case 3079: case 5127: case 4103: case 2055: return 1031;
    case 1043: case 2067: return 1043;
    case 1044: case 2068: return 1044;
    case 3082: case 7178: case 11274: case 15370: case 19466: case 4106: case 8202: case 12298: case 16394:
    case 20490: case 2058: case 6154: case 10250: case 14346: case 18442: case 1034: case 5130: case 9226:
    case 13322: case 17418: case 21514:
        return 1034;
    case 1053: case 2077: return 1053;
    default: return IsRtlLanguage(l) ? l : 1033;
    }
}

void NormalizeUiLanguage()
{
    int l = NormalizeLanguageId(g_nUiLanguage);
    // A language without the window title's text falls back to English.
    if (LoadText(l, 207).empty()) l = 1033;
    g_nUiLanguage = l;
}

void ChooseUiLanguage()
{
    const std::wstring key = L"Software\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup";
    std::wstring stored;
    Registry* reg = Os().registry;
    if (reg->RegOpenKeyExW(HKEY_ROOT::HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS &&
        reg->RegQueryValueExW(HKEY_ROOT::HKEY_LOCAL_MACHINE, key, L"language", &stored, 260) == ERROR_SUCCESS) {
        // Leading decimal digits; a number too large for an int stays at INT_MAX (no
        // language has that number, so it ends as English).
        int value = 0;
        for (wchar_t c : stored) {
            if (c < L'0' || c > L'9') break;
            const int digit = c - L'0';
            value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
        }
        g_nUiLanguage = value;
    } else {
        int l = Os().system->GetUserDefaultUILanguage();
        g_nUiLanguage = (l == 1025 || IsSupportedUiLanguage(l)) ? l : 1033;
    }
    NormalizeUiLanguage();
}

const std::vector<UiLanguage>& UiLanguages()
{
    static const std::vector<UiLanguage> kLanguages = {
        {1057, 300, 1057},   {1030, 10007, 1030}, {1031, 302, 1031},   {1033, 10007, 1033},
        {1032, 299, 1032},   {1034, 10007, 1034}, {3084, 10007, 3084}, {1036, 10007, 1036},
        {1040, 299, 1040},   {1043, 10007, 1043}, {1044, 10007, 1044}, {1045, 10007, 1045},
        {2070, 10007, 2070}, {1046, 10007, 1046}, {1049, 10007, 1049}, {1035, 10007, 1035},
        {1053, 10007, 1053}, {1066, 10007, 1066}, {1055, 10007, 1055}, {1025, 302, 1025},
        {1054, 10007, 1054}};
    return kLanguages;
}

int UiLanguageIndex(int langid)
{
    const auto& langs = UiLanguages();
    for (std::size_t i = 0; i < langs.size(); ++i)
        if (langs[i].langid == langid) return static_cast<int>(i);
    return 3;
}

std::vector<int> StringTableLanguages()
{
    std::vector<int> out;
    for (std::size_t i = 0; i < kEmbeddedStringTableCount; ++i) out.push_back(kEmbeddedStringTables[i].langid);
    return out;
}
