#include "controls/MarkupLayout.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// Tags are matched without regard to case; prefix is written in lower case.
bool StartsWithNoCase(const std::wstring& text, size_t pos, std::wstring_view prefix)
{
    if (text.size() - pos < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[pos + i]) != prefix[i]) return false;
    return true;
}

bool EqualsNoCase(const std::wstring& a, std::wstring_view lowerB)
{
    return a.size() == lowerB.size() && StartsWithNoCase(a, 0, lowerB);
}

// A size value reads like _wtol: blanks, an optional sign, digits; anything else is 0.
int ReadSize(const std::wstring& value)
{
    size_t i = 0;
    while (i < value.size() && (value[i] == L' ' || (value[i] >= L'\t' && value[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == L'+' || value[i] == L'-')) negative = value[i++] == L'-';
    long long n = 0;
    for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i) n = std::min(n * 10 + (value[i] - L'0'), 1LL << 40);
    n = negative ? -n : n;
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

int AddHeight(int height, int delta)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(height) + delta, INT_MIN, INT_MAX));
}

// One pass over the markup: the pen, the fill mark and the pieces drawn so far.
class MarkupPass {
public:
    MarkupPass(const MarkupMeasure& measure, int width, int height, bool rightToLeft)
        : m_measure(measure), m_right(width), m_bottom(height), m_rtl(rightToLeft)
    {
    }

    // Lays out one piece of text starting x pixels into the current line; returns where
    // its last line ends (0 when it completed no line), which is where the next piece starts.
    int LayoutRun(const std::wstring& text, const MarkupFont& font, MarkupColor color, int x);

    void MovePen(int dy) { m_penLine += dy; }
    MarkupLayoutResult Finish()
    {
        m_result.penLine = m_penLine;
        m_result.full = m_top >= m_bottom - 1;
        return std::move(m_result);
    }

private:
    void Emit(const std::wstring& text, int x, MarkupExtent size, const MarkupFont& font, MarkupColor color)
    {
        MarkupRun run;
        run.text = text;
        run.lineX = x;
        run.x = m_rtl ? m_right - x - size.cx : m_left + x;
        run.y = m_penLine;
        run.width = size.cx;
        run.height = size.cy;
        run.font = font;
        run.color = color;
        m_result.runs.push_back(std::move(run));
    }

    const MarkupMeasure& m_measure;
    int m_left = 0;
    int m_top = 0;  // how far the label is filled, shared by all pieces
    int m_right;
    int m_bottom;
    bool m_rtl;
    int m_penLine = 0;
    MarkupLayoutResult m_result;
};

int MarkupPass::LayoutRun(const std::wstring& text, const MarkupFont& font, MarkupColor color, int x)
{
    if (m_top >= m_bottom - 1) return 0;  // the label is full: nothing more is drawn

    const size_t n = text.size();
    size_t pos = 0;
    if (x == 0)
        while (pos < n && text[pos] == L' ') ++pos;  // a line never starts with blanks of a new piece

    std::wstring line;  // the pending line
    int lineEnd = 0;
    int lastHeight = 0;
    for (;;) {
        // The next word: up to and including a blank; a line feed ends it as a blank
        // and breaks the line.
        const size_t wordStart = pos;
        std::wstring word;
        bool lineBreak = false;
        while (pos < n) {
            wchar_t c = text[pos++];
            if (c == L'\n') {
                word += L' ';
                lineBreak = true;
                break;
            }
            word += c;
            if (c == L' ') break;
        }
        const bool exhausted = pos >= n;

        MarkupExtent size = m_measure.TextExtent(font, line + word);
        lastHeight = size.cy;
        bool complete = false;
        if (size.cx < m_right - x - 2) {
            line += word;
        } else if (!line.empty()) {
            complete = true;  // the word starts the next line
        } else {
            // A word wider than the room left: it gets a line of its own, not broken.
            line = word;
            if (x > 0) {
                m_penLine += size.cy;
                x = 0;
            }
        }

        if (!complete && !lineBreak && !exhausted) continue;
        if (line.empty()) break;
        if (complete) {
            pos = wordStart;
            lineBreak = false;
        }
        MarkupExtent lineSize = m_measure.TextExtent(font, line);
        lastHeight = lineSize.cy;
        lineEnd = m_left + x + lineSize.cx;
        // A line that would cross the bottom edge is not drawn and keeps the pen where it is.
        if (m_penLine <= m_bottom - lineSize.cy) {
            Emit(line, x, lineSize, font, color);
            if (pos < n || lineBreak) m_penLine += lineSize.cy;
        }
        x = 0;
        line.clear();
    }

    m_top = m_penLine > m_bottom - lastHeight ? m_bottom : m_penLine;
    return lineEnd;
}

}  // namespace

std::vector<MarkupToken> ScanMarkup(const std::wstring& markup)
{
    std::vector<MarkupToken> out;
    const size_t n = markup.size();
    size_t pos = 0;

    // <sz=N> and <cl=NAME>: the value runs from the first '=' to the '>'. A tag without
    // its '>' is not a tag; one without '=' has an empty value.
    auto valued = [&](MarkupToken::Kind kind, size_t nameLength) {
        size_t close = markup.find(L'>', pos + nameLength);
        if (close == std::wstring::npos) return false;
        size_t eq = markup.find(L'=', pos + nameLength);
        std::wstring value = eq < close ? markup.substr(eq + 1, close - eq - 1) : std::wstring();
        out.push_back({kind, std::move(value)});
        pos = close + 1;
        return true;
    };
    auto fixed = [&](MarkupToken::Kind kind, std::wstring_view tag) {
        if (!StartsWithNoCase(markup, pos, tag)) return false;
        out.push_back({kind, {}});
        pos += tag.size();
        return true;
    };

    while (pos < n) {
        bool tag = false;
        if (StartsWithNoCase(markup, pos, L"<sz")) tag = valued(MarkupToken::Size, 3);
        else if (StartsWithNoCase(markup, pos, L"<cl")) tag = valued(MarkupToken::Color, 3);
        else
            tag = fixed(MarkupToken::EndSize, L"</sz>") || fixed(MarkupToken::EndColor, L"</cl>") ||
                  fixed(MarkupToken::Bold, L"<wt>") || fixed(MarkupToken::EndBold, L"</wt>") ||
                  fixed(MarkupToken::LineBreak, L"<nl>");
        if (tag) continue;
        // Text up to the next '<'; a '<' that begins no tag is a character of its own.
        size_t end = markup[pos] == L'<' ? pos + 1 : std::min(markup.find(L'<', pos), n);
        out.push_back({MarkupToken::Text, markup.substr(pos, end - pos)});
        pos = end;
    }
    return out;
}

std::wstring MarkupPlainText(const std::wstring& markup)
{
    std::wstring out;
    for (const MarkupToken& t : ScanMarkup(markup)) {
        if (t.kind == MarkupToken::Text) out += t.value;
        else if (t.kind == MarkupToken::LineBreak) out += L'\n';
    }
    return out;
}

MarkupLayoutResult LayoutMarkup(const std::wstring& markup, const MarkupFont& baseFont, int width, int height,
                                const MarkupMeasure& measure, bool rightToLeft, MarkupColor defaultColor)
{
    MarkupPass pass(measure, width, height, rightToLeft);
    if (markup.empty()) return pass.Finish();

    MarkupFont base = baseFont;
    base.weight = 400;
    MarkupFont current = base;
    MarkupFont selected = base;  // the font the last piece was drawn in
    MarkupColor color = defaultColor;
    int boldDepth = 0;
    bool sizeChanged = false;
    int x = 0;

    auto runFont = [&] {
        MarkupFont f = current;
        f.weight = boldDepth > 0 ? 700 : 400;
        selected = f;
        return f;
    };

    for (const MarkupToken& t : ScanMarkup(markup)) {
        switch (t.kind) {
        case MarkupToken::Size:
            current.height = AddHeight(current.height, ReadSize(t.value));  // sizes accumulate
            sizeChanged = true;
            break;
        case MarkupToken::EndSize: {
            // Back to the base size; after a changed size the next line starts lower by
            // the descent of the font the text was last drawn in.
            int descent = measure.Descent(selected);
            current = base;
            if (sizeChanged) pass.MovePen(descent);
            sizeChanged = false;
            break;
        }
        case MarkupToken::Color:
            color = EqualsNoCase(t.value, L"fontclr") ? kMarkupTextColor : kMarkupOtherColor;
            break;
        case MarkupToken::EndColor:
            color = defaultColor;
            break;
        case MarkupToken::Bold:
            ++boldDepth;
            break;
        case MarkupToken::EndBold:
            boldDepth = std::max(0, boldDepth - 1);
            break;
        case MarkupToken::LineBreak:
            pass.LayoutRun(L"\n", runFont(), color, x);
            x = 0;
            break;
        case MarkupToken::Text:
            x = pass.LayoutRun(t.value, runFont(), color, x);
            break;
        }
    }
    return pass.Finish();
}
