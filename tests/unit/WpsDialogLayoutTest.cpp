// The WPS dialogs' places: the bold "Retry" in the gap of the centred hint and the German
// full stop after it, mirrored for right to left; the button row by language; the About
// dialog's texts and logos by language.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "wps/WpsDialogLayout.h"

// Failures show the rectangle, not its bytes.
void PrintTo(const WpsRect& r, std::ostream* os) { *os << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}"; }

namespace {

TEST(WpsDialogLayout, MirrorKeepsWidthAndY)
{
    EXPECT_EQ(MirrorRect({23, 85, 80, 18}, 413, false), (WpsRect{23, 85, 80, 18}));
    EXPECT_EQ(MirrorRect({23, 85, 80, 18}, 413, true), (WpsRect{310, 85, 80, 18}));
    EXPECT_EQ(MirrorRect({0, 0, 413, 5}, 413, true), (WpsRect{0, 0, 413, 5}));
}

TEST(WpsDialogLayout, RetryWordStandsInTheGapOfTheCentredHint)
{
    struct Case {
        int hint, lead, word, stopW;
        bool rtl;
        int start;
        WpsRect word_, stop;
    };
    const Case cases[] = {
        // English: a 193-pixel hint starts at 110; "Click " is 37 wide. The word's box is
        // as wide as the word and a pixel each side, the full stop's as the stop and one.
        {193, 37, 38, 4, false, 110, {147, 190, 40, 20}, {186, 190, 5, 16}},
        // An odd remainder rounds the start down.
        {194, 37, 38, 4, false, 109, {146, 190, 40, 20}, {185, 190, 5, 16}},
        // German: the hint nearly as wide as the dialog, "Wiederholen" 96 wide and its
        // full stop right after it; both boxes end inside the dialog, where they start.
        {405, 307, 96, 4, false, 4, {311, 190, 98, 20}, {408, 190, 5, 16}},
        // A word longer than 110 pixels keeps the full stop 110 pixels after the gap; a
        // box that would pass the dialog's edge ends at it.
        {405, 291, 140, 4, false, 4, {295, 190, 118, 20}, {405, 190, 5, 16}},
        // Right to left: the sentence reads from its right edge; the word's box ends
        // where the gap begins, the full stop lies beyond its far end.
        {193, 37, 38, 4, true, 303, {226, 190, 40, 20}, {222, 190, 5, 16}},
        // A hint as wide as the dialog starts at its edge.
        {413, 50, 40, 4, false, 0, {50, 190, 42, 20}, {91, 190, 5, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hint " << c.hint << " lead " << c.lead << " rtl " << c.rtl);
        const WpsRetryHint h = PlaceWpsRetryHint(c.hint, c.lead, c.word, c.stopW, c.rtl);
        EXPECT_EQ(h.start, c.start);
        EXPECT_EQ(h.word, c.word_);
        EXPECT_EQ(h.fullStop, c.stop);
        for (const WpsRect& r : {h.word, h.fullStop}) {
            EXPECT_GE(r.x, 0);
            EXPECT_LE(r.x + r.w, kWpsConnectW);
        }
    }
}

TEST(WpsDialogLayout, RetryWordOnAWrappedHint)
{
    // Left to right the word's text starts at the gap's place; right to left it ends there.
    EXPECT_EQ(PlaceWpsRetryWordAt(70, 190, 115, false), (WpsRect{70, 190, 117, 20}));
    EXPECT_EQ(PlaceWpsRetryWordAt(340, 210, 115, true), (WpsRect{223, 210, 117, 20}));
    // Never past either edge.
    EXPECT_EQ(PlaceWpsRetryWordAt(350, 190, 115, false), (WpsRect{350, 190, 63, 20}));
    EXPECT_EQ(PlaceWpsRetryWordAt(60, 190, 115, true), (WpsRect{0, 190, 60, 20}));
}

TEST(WpsDialogLayout, HintGapHoldsTheWord)
{
    // The gap: after the lead words, else the first run of two blanks or more.
    const WpsHintGap en = FindWpsHintGap(L"Click           to try again.", L"Click ");
    EXPECT_TRUE(en.found);
    EXPECT_EQ(en.begin, 5u);
    EXPECT_EQ(en.end, 16u);
    const WpsHintGap de = FindWpsHintGap(L"Klicken Sie auf      ", L"Klicken Sie auf ");
    EXPECT_EQ(de.begin, 15u);
    EXPECT_EQ(de.end, 21u);
    const WpsHintGap other = FindWpsHintGap(L"Press     to retry.", L"Click ");
    EXPECT_TRUE(other.found);
    EXPECT_EQ(other.begin, 5u);
    EXPECT_EQ(other.end, 10u);
    EXPECT_FALSE(FindWpsHintGap(L"No gap here.", L"Click ").found);

    struct Case {
        int blanks;
        double blank, word;
        bool wordFollows, tight;
        int want;
    };
    const Case cases[] = {
        // Wide enough: kept as the table has it.
        {11, 4.4, 38, true, false, 11},
        // Too narrow for the word and a blank each side: widened.
        {18, 4.4, 80, true, false, 21},
        // Punctuation follows: no blank after the word.
        {18, 4.4, 80, false, false, 20},
        // Tight: no wider than needed.
        {27, 4.4, 115, true, true, 29},
        {27, 4.4, 100, true, true, 25},
        // An exact fit needs no extra blank.
        {5, 4.0, 12, true, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.blanks << " blanks, word " << c.word);
        EXPECT_EQ(WpsHintGapBlanks(c.blanks, c.blank, c.word, c.wordFollows, c.tight), c.want);
    }
}

TEST(WpsDialogLayout, StringsByLanguage)
{
    struct Case {
        int lang;
        UINT back, lead;
        bool fullStop;
    };
    const Case cases[] = {
        {1033, 173, 201, false}, {1031, 215, 201, true},  {1035, 215, 201, false},
        {1046, 173, 302, false}, {1025, 173, 201, false}, {1054, 173, 201, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lang);
        EXPECT_EQ(WpsBackCaptionId(c.lang), c.back);
        EXPECT_EQ(WpsRetryLeadId(c.lang), c.lead);
        EXPECT_EQ(WpsShowsFullStop(c.lang), c.fullStop);
    }
    EXPECT_EQ(WpsTextPixels(1033), 16);
    EXPECT_EQ(WpsTextPixels(1054), 18);
}

TEST(WpsDialogLayout, ButtonRowByLanguage)
{
    struct Case {
        int lang;
        bool rtl;
        WpsRect back, next, cancel;
    };
    const Case cases[] = {
        {1033, false, {170, 252, 70, 27}, {245, 252, 70, 27}, {320, 252, 70, 27}},
        // "Wiederholen": the 115-pixel face.
        {1031, false, {125, 252, 115, 27}, {245, 252, 70, 27}, {320, 252, 70, 27}},
        // Finnish: the wider Retry and the 93-pixel Next.
        {1035, false, {102, 252, 115, 27}, {222, 252, 93, 27}, {320, 252, 70, 27}},
        {1036, false, {147, 252, 93, 27}, {245, 252, 70, 27}, {320, 252, 70, 27}},
        // Arabic: 70-pixel buttons, Cancel at the left.
        {1025, true, {173, 252, 70, 27}, {98, 252, 70, 27}, {23, 252, 70, 27}},
        // Arabic laid out left to right (the in-progress view after Retry).
        {1025, false, {170, 252, 70, 27}, {245, 252, 70, 27}, {320, 252, 70, 27}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lang << " rtl " << c.rtl);
        const WpsButtonRow row = PlaceWpsButtons(c.lang, c.rtl);
        EXPECT_EQ(row.back, c.back);
        EXPECT_EQ(row.next, c.next);
        EXPECT_EQ(row.cancel, c.cancel);
        // The row stays inside the dialog and its buttons never overlap.
        EXPECT_GE(std::min({row.back.x, row.next.x, row.cancel.x}), 0);
        EXPECT_LE(std::max({row.back.x + row.back.w, row.next.x + row.next.w, row.cancel.x + row.cancel.w}),
                  kWpsConnectW);
    }
}

TEST(WpsDialogLayout, LearnMoreByLanguage)
{
    const LearnMoreLayout en = LayOutLearnMore(1033);
    EXPECT_EQ(en.paragraph1, (WpsRect{30, 77, 400, 50}));
    EXPECT_EQ(en.paragraph2, (WpsRect{30, 127, 400, 65}));
    EXPECT_EQ(en.paragraph3, (WpsRect{30, 197, 410, 50}));
    EXPECT_EQ(en.largeLogo, (WpsRect{360, 16, 101, 45}));
    // The title wraps before the large logo.
    EXPECT_EQ(en.title.x, 30);
    EXPECT_EQ(en.title.y, 27);
    EXPECT_LE(en.title.x + en.title.w, en.largeLogo.x);

    const LearnMoreLayout fi = LayOutLearnMore(1035);
    EXPECT_EQ(fi.title.x, 12);
    EXPECT_EQ(fi.largeLogo.x, 375);
    EXPECT_EQ(LayOutLearnMore(1055).title.x, 12);
    EXPECT_EQ(LayOutLearnMore(1057).largeLogo.x, 375);
    EXPECT_EQ(LayOutLearnMore(1057).title.x, 30);

    // Thai, in its larger face: the title and the paragraphs start 14 pixels in and the
    // paragraphs run to 14 pixels from the right edge; the title still wraps before the logo.
    const LearnMoreLayout th = LayOutLearnMore(1054);
    EXPECT_EQ(th.title.x, 14);
    EXPECT_EQ(th.title.x + th.title.w, th.largeLogo.x - 8);
    EXPECT_EQ(th.paragraph1, (WpsRect{14, 77, 455, 50}));
    EXPECT_EQ(th.paragraph2, (WpsRect{14, 127, 455, 65}));
    EXPECT_EQ(th.paragraph3, (WpsRect{14, 197, 455, 50}));
    // German: the last two paragraphs get 24 pixels more.
    const LearnMoreLayout de = LayOutLearnMore(1031);
    EXPECT_EQ(de.paragraph2, (WpsRect{30, 127, 400, 89}));
    EXPECT_EQ(de.paragraph3, (WpsRect{30, 221, 410, 74}));

    // Close sits inside the dialog in every language.
    for (int lang : {1033, 1031, 1025, 1054}) {
        const WpsRect c = LayOutLearnMore(lang).close;
        EXPECT_EQ(c.w, 70);
        EXPECT_EQ(c.h, 27);
        EXPECT_LE(c.x + c.w, kLearnMoreW);
        EXPECT_LE(c.y + c.h, kLearnMoreH);
    }
}

}  // namespace
