#include "platform/Text.h"

#include <locale.h>
#include <wctype.h>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsCharacter(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void AppendUtf8(std::string& out, char32_t c)
{
    if (!IsCharacter(c)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The Unicode case tables of the C.UTF-8 locale, which the C library carries built in.
locale_t CaseLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        // C0, C1 and F5..FF never begin a character.
        int length = lead < 0x80                                      ? 1
                     : lead == 0xC0 || lead == 0xC1 || lead > 0xF4   ? 0
                     : (lead & 0xE0) == 0xC0                          ? 2
                     : (lead & 0xF0) == 0xE0                          ? 3
                                                                      : 4;
        if (length == 0) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        int taken = 1;
        for (; taken < length && i + taken < utf8.size(); ++taken) {
            unsigned char next = static_cast<unsigned char>(utf8[i + taken]);
            if ((next & 0xC0) != 0x80) break;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (taken < length || c < kSmallest[length] || !IsCharacter(c)) {
            out += static_cast<wchar_t>(kReplacement);
            i += taken;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += length;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (wchar_t c : wide) AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::wstring LowerCase(std::wstring_view text)
{
    std::wstring out(text);
    locale_t locale = CaseLocale();
    for (wchar_t& c : out) {
        if (locale != static_cast<locale_t>(nullptr))
            c = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), locale));
        else if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return out;
}
