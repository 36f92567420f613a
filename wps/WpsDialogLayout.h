#pragma once
// Where the two WPS dialogs put their controls, from the UI language and measured text
// widths: plain geometry, so that every language's places can be checked directly.
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
struct WpsRetryHint {
    int start = 0;     // where the centred sentence begins (left edge; the right edge for right to left)
    WpsRect word;      // 1167
    WpsRect fullStop;  // 1177
};
WpsRetryHint PlaceWpsRetryHint(int hintWidth, int leadWidth, int wordWidth, bool rtl);
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
