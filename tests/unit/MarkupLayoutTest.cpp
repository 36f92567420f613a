// The markup of the instruction texts and its line layout, on a measuring stub with
// fixed-width characters: which pieces are bold, coloured or resized, where each piece
// and line lands (pieces continue each other's lines, words wrap, a word wider than the
// label keeps a line of its own, text taller than the label stops at the last full
// line), and the same layout mirrored for right-to-left.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/LocalizedText.h"
#include "controls/MarkupLayout.h"

namespace {

// Characters are |height| / 2 pixels wide, one more in bold; lines are |height| + 2
// high with a descent of |height| / 4. The base font (-10) gives 5 (bold 6) by 12.
class StubMeasure : public MarkupMeasure {
public:
    static int Em(const MarkupFont& f) { return f.height == 0 ? 10 : std::abs(f.height); }
    static int CharWidth(const MarkupFont& f) { return Em(f) / 2 + (f.weight >= 700 ? 1 : 0); }
    MarkupExtent TextExtent(const MarkupFont& f, const std::wstring& text) const override
    {
        return {CharWidth(f) * static_cast<int>(text.size()), Em(f) + 2};
    }
    int Descent(const MarkupFont& f) const override { return Em(f) / 4; }
};

std::string Narrow(const std::wstring& w)
{
    std::string s;
    for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
    return s;
}

// "[text] x,y" and what differs from the base: bold, size, colour.
std::string Describe(const MarkupRun& r, int baseHeight)
{
    std::string s = "[" + Narrow(r.text) + "] " + std::to_string(r.x) + "," + std::to_string(r.y);
    if (r.font.weight >= 700) s += " bold";
    if (r.font.height != baseHeight) s += " h" + std::to_string(r.font.height);
    if (r.color == kMarkupOtherColor) s += " white";
    else if (!(r.color == kMarkupTextColor))
        s += " rgb(" + std::to_string(r.color.r) + "," + std::to_string(r.color.g) + "," + std::to_string(r.color.b) + ")";
    return s;
}

struct LayoutCase {
    const char* name;
    std::wstring markup;
    std::vector<std::string> expected;
    int width = 200;
    int height = 60;
    bool rtl = false;
    int baseHeight = -10;
    MarkupColor defaultColor = kMarkupTextColor;
    bool full = false;  // the text reached the bottom
};

const LayoutCase kCases[] = {
    // Weight.
    {.name = "a bold word continues the line and the next piece follows it",
     .markup = L"<cl=fontClr>Click <wt>Next </wt>to skip.</cl>",
     .expected = {"[Click ] 0,0", "[Next ] 30,0 bold", "[to skip.] 60,0"}},
    {.name = "a bold word without room starts the next line; the rest wraps after it",
     .markup = L"Click <wt>Next </wt>to skip this step.",
     .expected = {"[Click ] 0,0", "[Next ] 0,12 bold", "[to ] 30,12", "[skip this ] 0,24", "[step.] 0,36"},
     .width = 60},
    {.name = "closers without an opener change nothing",
     .markup = L"</wt>a<wt>b</wt></wt></wt>c</cl></sz>d",
     .expected = {"[a] 0,0", "[b] 5,0 bold", "[c] 11,0", "[d] 16,0"}},
    {.name = "two open weights need two closers",
     .markup = L"<wt><wt>a</wt>b</wt>c",
     .expected = {"[a] 0,0 bold", "[b] 6,0 bold", "[c] 12,0"}},
    {.name = "tags are matched without regard to case",
     .markup = L"<WT>a</Wt>b<Nl>c",
     .expected = {"[a] 0,0 bold", "[b] 6,0", "[ ] 11,0", "[c] 0,12"}},

    // Colour.
    {.name = "fontClr in any case is the text colour, any other name white",
     .markup = L"<cl=red>a</cl>b<cl=FONTCLR>c<cl=White>d",
     .expected = {"[a] 0,0 white", "[b] 5,0", "[c] 10,0", "[d] 15,0 white"}},
    {.name = "the closer returns to the label's own colour, fontClr stays fixed",
     .markup = L"a<cl=fontClr>b</cl>c<cl=x>d</cl>e",
     .expected = {"[a] 0,0 rgb(1,2,3)", "[b] 5,0", "[c] 10,0 rgb(1,2,3)", "[d] 15,0 white", "[e] 20,0 rgb(1,2,3)"},
     .defaultColor = {1, 2, 3}},
    {.name = "colour does not nest: one closer ends every colour",
     .markup = L"<cl=red><cl=fontClr>a</cl>b</cl>c",
     .expected = {"[a] 0,0", "[b] 5,0 rgb(1,2,3)", "[c] 10,0 rgb(1,2,3)"},
     .defaultColor = {1, 2, 3}},

    // Size.
    {.name = "a negative step makes the text taller",
     .markup = L"<sz=-2>a",
     .expected = {"[a] 0,0 h-15"},
     .baseHeight = -13},
    {.name = "sizes accumulate, share the line's top edge, and the closer returns to the base "
             "one descent lower",
     .markup = L"<sz=-2>a<sz=-2>b</sz>c",
     .expected = {"[a] 0,0 h-12", "[b] 6,0 h-14", "[c] 13,3"}},
    {.name = "a positive step makes the text smaller",
     .markup = L"<sz=2>ab</sz>c",
     .expected = {"[ab] 0,0 h-8", "[c] 8,2"}},
    {.name = "a value reads like a number with blanks and a sign; anything else counts 0 but still "
             "moves the closer's line",
     .markup = L"<sz= +3>a</sz><sz=x>b</sz>c",
     .expected = {"[a] 0,0 h-7", "[b] 3,1", "[c] 8,3"}},
    {.name = "the closer's descent is the base font's when nothing was drawn yet",
     .markup = L"<sz=-2></sz>a",
     .expected = {"[a] 0,2"}},
    {.name = "an enlarged run's lines advance by its own height",
     .markup = L"<sz=-10>aa bb</sz>cc",
     .expected = {"[aa ] 0,0 h-20", "[bb] 0,22 h-20", "[cc] 20,27"},
     .width = 40},

    // Characters that begin no tag.
    {.name = "a lone less-than sign is a piece of its own",
     .markup = L"a<b",
     .expected = {"[a] 0,0", "[<] 5,0", "[b] 10,0"}},
    {.name = "an unknown tag and a tag without its '>' are drawn as text",
     .markup = L"<wtx>a<sz=2 b",
     .expected = {"[<] 0,0", "[wtx>a] 5,0", "[<] 30,0", "[sz=2 b] 35,0"}},

    // Line breaks and blanks.
    {.name = "a line break ends the line; the next piece starts at the left edge below",
     .markup = L"ab<nl>cd",
     .expected = {"[ab] 0,0", "[ ] 10,0", "[cd] 0,12"}},
    {.name = "a line break at the start leaves the first line empty",
     .markup = L"<nl>a",
     .expected = {"[ ] 0,0", "[a] 0,12"}},
    {.name = "blanks at the start of a line are dropped, in the middle of a line kept",
     .markup = L"  a<wt> b</wt><nl>  c",
     .expected = {"[a] 0,0", "[ b] 5,0 bold", "[ ] 17,0", "[c] 0,12"}},

    // Wrapping.
    {.name = "words wrap when the line plus the word leaves less than two pixels",
     .markup = L"aaa bbb ccc ddd",
     .expected = {"[aaa bbb ] 0,0", "[ccc ddd] 0,12"},
     .width = 60},
    {.name = "a line ending three pixels from the edge fits",
     .markup = L"aaa bbb",
     .expected = {"[aaa bbb] 0,0"},
     .width = 38},
    {.name = "a line ending two pixels from the edge wraps",
     .markup = L"aaa bbb",
     .expected = {"[aaa ] 0,0", "[bbb] 0,12"},
     .width = 37},
    {.name = "a word wider than the label keeps a line of its own, unbroken",
     .markup = L"ab cdefghijkl mn",
     .expected = {"[ab ] 0,0", "[cdefghijkl ] 0,12", "[mn] 0,24"},
     .width = 40},
    {.name = "a wide word that would start mid-line goes to the next line",
     .markup = L"ab<wt>cdefghijkl</wt>",
     .expected = {"[ab] 0,0", "[cdefghijkl] 0,12 bold"},
     .width = 40},

    // The bottom edge.
    {.name = "lines that do not fit completely are not drawn, nor anything after them",
     .markup = L"aaa bbb ccc ddd eee<wt>x</wt>",
     .expected = {"[aaa ] 0,0", "[bbb ] 0,12"},
     .width = 40,
     .height = 30,
     .full = true},
    {.name = "the last line that fits exactly is drawn",
     .markup = L"aaa bbb ccc<nl>x",
     .expected = {"[aaa ] 0,0", "[bbb ccc] 0,12"},
     .width = 40,
     .height = 24,
     .full = true},

    // Right-to-left: the same lines, mirrored.
    {.name = "right-to-left: pieces follow each other leftwards from the right edge",
     .markup = L"<cl=fontClr>Click <wt>Next </wt>to skip.</cl>",
     .expected = {"[Click ] 170,0", "[Next ] 140,0 bold", "[to skip.] 100,0"},
     .rtl = true},
    {.name = "right-to-left: lines wrap and start again at the right edge",
     .markup = L"Click <wt>Next </wt>to skip this step.",
     .expected = {"[Click ] 30,0", "[Next ] 30,12 bold", "[to ] 15,12", "[skip this ] 10,24", "[step.] 35,36"},
     .width = 60,
     .rtl = true},
    {.name = "right-to-left: a line break starts the next line at the right edge",
     .markup = L"ab<nl>cd",
     .expected = {"[ab] 190,0", "[ ] 185,0", "[cd] 190,12"},
     .rtl = true},
    {.name = "right-to-left: a word wider than the label runs out over the left edge",
     .markup = L"ab cdefghijkl mn",
     .expected = {"[ab ] 25,0", "[cdefghijkl ] -15,12", "[mn] 30,24"},
     .width = 40,
     .rtl = true},

    // Nothing to draw.
    {.name = "empty markup draws nothing", .markup = L"", .expected = {}},
    {.name = "tags alone draw nothing", .markup = L"<cl=fontClr><wt></wt></cl>", .expected = {}},
    {.name = "blanks alone at the start draw nothing", .markup = L"   ", .expected = {}},
};

}  // namespace

TEST(MarkupLayout, CasesOnAFixedWidthStub)
{
    StubMeasure measure;
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        MarkupFont base{L"Arial", c.baseHeight, 400};
        MarkupLayoutResult r = LayoutMarkup(c.markup, base, c.width, c.height, measure, c.rtl, c.defaultColor);
        std::vector<std::string> got;
        for (const MarkupRun& run : r.runs) {
            got.push_back(Describe(run, c.baseHeight));
            // Every piece is measured in its own font and placed from its line's start edge.
            EXPECT_EQ(run.width, measure.TextExtent(run.font, run.text).cx);
            EXPECT_EQ(run.height, measure.TextExtent(run.font, run.text).cy);
            EXPECT_EQ(run.x, c.rtl ? c.width - run.lineX - run.width : run.lineX);
        }
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(r.full, c.full);
    }
}

TEST(MarkupLayout, TheBaseFontsWeightIsIgnored)
{
    StubMeasure measure;
    MarkupLayoutResult r = LayoutMarkup(L"a<wt>b</wt>", MarkupFont{L"Arial", -10, 700}, 100, 20, measure);
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[0].font.weight, 400);
    EXPECT_EQ(r.runs[1].font.weight, 700);
}

TEST(MarkupLayout, TheStringTablesInstructionTextInEveryLanguage)
{
    // The password dialog's instruction: the bold Next word sits on the line of the words
    // before it (or starts the next one) and the rest of the sentence follows it.
    StubMeasure measure;
    for (int langid : StringTableLanguages()) {
        SCOPED_TRACE(langid);
        std::wstring markup = LoadText(langid, 452);
        ASSERT_NE(markup.find(L"<wt>"), std::wstring::npos);
        MarkupLayoutResult r = LayoutMarkup(markup, MarkupFont{L"Arial", -10, 400}, 425, 200, measure);
        ASSERT_GE(r.runs.size(), 2u);
        size_t bold = 0;
        while (bold < r.runs.size() && r.runs[bold].font.weight != 700) ++bold;
        ASSERT_LT(bold, r.runs.size());
        ASSERT_GT(bold, 0u);
        const MarkupRun& before = r.runs[bold - 1];
        const MarkupRun& word = r.runs[bold];
        if (word.y == before.y) EXPECT_EQ(word.x, before.x + before.width);
        else EXPECT_EQ(word.x, 0);
        EXPECT_EQ(MarkupPlainText(markup).find(L'<'), std::wstring::npos);
        for (const MarkupRun& run : r.runs) EXPECT_EQ(run.color, kMarkupTextColor);
    }
}

TEST(MarkupLayout, PlainTextDropsTheTags)
{
    EXPECT_EQ(MarkupPlainText(LoadText(1033, 452)),
              L"If your network requires a wireless password, select the security type and then enter your "
              L"password. If not, click Next to skip this step.");
    EXPECT_EQ(MarkupPlainText(L"a<nl>b<c<sz=-2>d</sz>"), L"a\nb<cd");
}
