#pragma once
// Where the two WPS dialogs put their controls, from the UI language and measured text
// widths: plain geometry, so that every language's places can be checked directly.
#include <cstddef>
#include <string>

#include "platform/Win32Types.h"

struct WpsRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const WpsRect&) const = default;
};

// A rectangle laid out left to right, mirrored inside a container `width` wide when the
// layout is right to left.
WpsRect MirrorRect(const WpsRect& r, int width, bool rtl);

// ---- The WPS connect dialog -------------------------------------------------------------

constexpr int kWpsConnectW = 413, kWpsConnectH = 304;
constexpr int kWpsAnimationSize = 34;

// The strings the dialog reads by language.
UINT WpsBackCaptionId(int lang);  // 1093 in the in-progress view: "< Back", or "Retry" where that reads better
UINT WpsRetryLeadId(int lang);    // the hint's words before its gap ("Click ")
bool WpsShowsFullStop(int lang);  // German closes the hint with a full stop of its own

// The failure hint: the sentence centred on its line, the bold "Retry" in its gap and,
// in German, the full stop after the gap: 110 pixels on, or right after a shorter word.
// Each box is as wide as its text (and a pixel each side for the ink), and ends at the
// dialog's edge at the latest.
struct WpsRetryHint {
    int start = 0;     // where the centred sentence begins (left edge; the right edge for right to left)
    WpsRect word;      // 1167
    WpsRect fullStop;  // 1177
};
WpsRetryHint PlaceWpsRetryHint(int hintWidth, int leadWidth, int wordWidth, int fullStopWidth, bool rtl);
// The word's box when the hint takes more than one line: its text starts at `x` on the
// line whose top is `y` (for right to left, its text ends at `x`).
WpsRect PlaceWpsRetryWordAt(int x, int y, int wordWidth, bool rtl);

// The hint's gap for the word: the run of blanks after the lead words when the hint
// begins with them, else its first run of two blanks or more (`found` false: none).
struct WpsHintGap {
    std::size_t begin = 0, end = 0;
    bool found = false;
};
WpsHintGap FindWpsHintGap(const std::wstring& hint, const std::wstring& lead);
// How many blanks the gap takes: room for the blank after the lead words, the word and,
// when a word follows it, a blank after it (punctuation closes up to the word). A gap the
// table made wider keeps its blanks, unless `tight` (the hint does not fit its line).
int WpsHintGapBlanks(int blanks, double blankWidth, double wordWidth, bool wordFollows, bool tight);
// The box the centred status, failure and hint lines are drawn in (nearly the dialog's
// width, so that the longest hint keeps to one line).
WpsRect WpsCentredLine(int y);

// The button row: Back/Retry 1093, Next 1095 and Cancel 1094, each 70, 93 or 115 pixels
// wide by language, right-aligned; mirrored when `rtl` (the right-to-left languages'
// placement; their buttons are all 70 pixels wide).
struct WpsButtonRow {
    WpsRect back, next, cancel;
};
WpsButtonRow PlaceWpsButtons(int lang, bool rtl);

// ---- The About-WPS dialog ---------------------------------------------------------------

constexpr int kLearnMoreW = 483, kLearnMoreH = 314;

struct LearnMoreLayout {
    WpsRect title;       // 1162
    WpsRect paragraph1;  // 1163
    WpsRect paragraph2;  // 1164, with the small logo in its gap
    WpsRect paragraph3;  // 1165
    WpsRect largeLogo;   // 1093
    WpsRect close;       // 1
};
// Left-to-right places; the dialog mirrors them for right to left.
LearnMoreLayout LayOutLearnMore(int lang);
// Font heights: the title's and the paragraphs'.
int LearnMoreTitlePixels(int lang);
int WpsTextPixels(int lang);
