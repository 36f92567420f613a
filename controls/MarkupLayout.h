#pragma once
// The markup of the localized instruction texts and how a paragraph of it is laid out:
// tags change colour (<cl=NAME> ... </cl>), size (<sz=N> ... </sz>) and weight
// (<wt> ... </wt>), <nl> breaks the line, everything else is text, word-wrapped to the
// label's width. The layout only measures text through MarkupMeasure, so it runs
// without a window system; the label draws the runs it returns.
#include <cstdint>
#include <string>
#include <vector>

// A font as the layout sees it. height works like a LOGFONT's lfHeight: negative is a
// character height in pixels, positive a cell height, 0 the default size.
struct MarkupFont {
    std::wstring face;
    int height = 0;
    int weight = 400;
    bool operator==(const MarkupFont&) const = default;
};

struct MarkupColor {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const MarkupColor&) const = default;
};

// The instruction text colour, which the name "fontClr" also selects.
inline constexpr MarkupColor kMarkupTextColor{0, 70, 109};
// Any other colour name.
inline constexpr MarkupColor kMarkupOtherColor{255, 255, 255};

struct MarkupExtent {
    int cx = 0;
    int cy = 0;
};

// Text measurement for the layout.
class MarkupMeasure {
public:
    virtual ~MarkupMeasure() = default;
    // Width and height of text set on one line in font; the height is the font's line
    // height (ascent + descent) whatever the text, also for empty text.
    virtual MarkupExtent TextExtent(const MarkupFont& font, const std::wstring& text) const = 0;
    // The font's descent below the baseline.
    virtual int Descent(const MarkupFont& font) const = 0;
};

// One drawn line piece: text in one font and colour whose top-left corner is (x, y).
struct MarkupRun {
    std::wstring text;
    int x = 0;      // left edge in the label's pixels (mirrored in right-to-left)
    int lineX = 0;  // distance from the edge where lines start (the right edge in right-to-left)
    int y = 0;      // top edge; pieces of one line share it whatever their size
    int width = 0;
    int height = 0;
    MarkupFont font;
    MarkupColor color;
};

struct MarkupLayoutResult {
    std::vector<MarkupRun> runs;  // in markup order
    int penLine = 0;              // y of the line being written when the markup ended
    bool full = false;            // the text reached the bottom: what followed was not drawn
};

// Lays out markup in a width x height label whose font is baseFont (its weight is
// ignored: text is regular unless inside <wt>). rightToLeft mirrors the layout: lines
// start at the right edge and pieces follow each other leftwards.
MarkupLayoutResult LayoutMarkup(const std::wstring& markup, const MarkupFont& baseFont, int width, int height,
                                const MarkupMeasure& measure, bool rightToLeft = false,
                                MarkupColor defaultColor = kMarkupTextColor);

// The markup read as a scanner does: tags and pieces of text, in order.
struct MarkupToken {
    enum Kind { Text, Size, EndSize, Color, EndColor, Bold, EndBold, LineBreak };
    Kind kind = Text;
    std::wstring value;  // the text of a Text token, the value of a Size or Color tag
    bool operator==(const MarkupToken&) const = default;
};
std::vector<MarkupToken> ScanMarkup(const std::wstring& markup);

// The text without its tags, <nl> as a line feed (what a screen reader reads).
std::wstring MarkupPlainText(const std::wstring& markup);
