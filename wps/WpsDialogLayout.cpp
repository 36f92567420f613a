#include "wps/WpsDialogLayout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "app/LocalizedText.h"

namespace {

bool In(int lang, std::initializer_list<int> list)
{
    for (int l : list)
        if (l == lang) return true;
    return false;
}

constexpr int kHintY = 190;
constexpr int kWordH = 20;
constexpr int kFullStopGap = 110;  // from the gap's start to the full stop
constexpr int kFullStopSize = 16;
constexpr int kLineMargin = 2;
constexpr int kTitleLogoGap = 8;
constexpr int kButtonY = 252, kButtonH = 27, kButtonGap = 5, kRowRight = 23;

}  // namespace

WpsRect MirrorRect(const WpsRect& r, int width, bool rtl)
{
    if (!rtl) return r;
    return {width - r.x - r.w, r.y, r.w, r.h};
}

UINT WpsBackCaptionId(int lang) { return In(lang, {1031, 1035}) ? 215 : 173; }

UINT WpsRetryLeadId(int lang) { return lang == 1046 ? 302 : 201; }

bool WpsShowsFullStop(int lang) { return lang == 1031; }

WpsRect WpsCentredLine(int y) { return {kLineMargin, y, kWpsConnectW - 2 * kLineMargin, kWordH}; }

namespace {

// A box starting at `x` (left to right) as wide as `w`, ending at the dialog's edge at the latest.
WpsRect BoxInside(int x, int y, int w, int h) { return {x, y, std::max(0, std::min(w, kWpsConnectW - x)), h}; }

}  // namespace

WpsRetryHint PlaceWpsRetryHint(int hintWidth, int leadWidth, int wordWidth, int fullStopWidth, bool rtl)
{
    WpsRetryHint hint;
    // Laid out left to right; a right-to-left sentence reads from its right edge, which is
    // the mirror image of the same place. The word's text starts at the box's edge (the
    // right one for right to left), so the box's width moves no text.
    hint.start = (kWpsConnectW - hintWidth) / 2;
    const int gap = hint.start + leadWidth;
    hint.word = MirrorRect(BoxInside(gap, kHintY, wordWidth + 2, kWordH), kWpsConnectW, rtl);
    const int stop = gap + std::min(kFullStopGap, wordWidth + 1);
    hint.fullStop = MirrorRect(BoxInside(stop, kHintY, fullStopWidth + 1, kFullStopSize),
                               kWpsConnectW, rtl);
    if (rtl) hint.start = kWpsConnectW - hint.start;
    return hint;
}

WpsRect PlaceWpsRetryWordAt(int x, int y, int wordWidth, bool rtl)
{
    const int w = wordWidth + 2;
    if (!rtl) return BoxInside(x, y, w, kWordH);
    const int left = std::max(0, x - w);
    return {left, y, x - left, kWordH};
}

WpsHintGap FindWpsHintGap(const std::wstring& hint, const std::wstring& lead)
{
    WpsHintGap gap;
    const std::size_t leadEnd = lead.find_last_not_of(L' ');
    if (leadEnd != std::wstring::npos && hint.size() > leadEnd + 1 && hint.compare(0, leadEnd + 1, lead, 0, leadEnd + 1) == 0 &&
        hint[leadEnd + 1] == L' ') {
        gap.begin = leadEnd + 1;
    } else {
        gap.begin = hint.find(L"  ");
        if (gap.begin == std::wstring::npos) return gap;
    }
    gap.end = hint.find_first_not_of(L' ', gap.begin);
    if (gap.end == std::wstring::npos) gap.end = hint.size();
    gap.found = true;
    return gap;
}

int WpsHintGapBlanks(int blanks, double blankWidth, double wordWidth, bool wordFollows, bool tight)
{
    if (blankWidth <= 0) return blanks;
    const double need = blankWidth + wordWidth + (wordFollows ? blankWidth : 0);
    int fitted = static_cast<int>(std::ceil(need / blankWidth - 1e-9));
    return tight ? fitted : std::max(blanks, fitted);
}

WpsButtonRow PlaceWpsButtons(int lang, bool rtl)
{
    // The left button says "Retry" in the failure view: the languages whose word is long
    // take a wider face, as on the wizard's pages. Right-to-left rows keep 70 pixels.
    int backW = 70, nextW = 70;
    if (!IsRtlLanguage(lang)) {
        if (In(lang, {1026, 1031, 1032, 1035, 1045, 1046, 1055, 2070})) backW = 115;
        else if (In(lang, {1034, 1036, 1043, 1053, 1057})) backW = 93;
        if (In(lang, {1035, 1043, 1057, 1034})) nextW = 93;
    }
    WpsButtonRow row;
    row.cancel = {kWpsConnectW - kRowRight - 70, kButtonY, 70, kButtonH};
    row.next = {row.cancel.x - kButtonGap - nextW, kButtonY, nextW, kButtonH};
    row.back = {row.next.x - kButtonGap - backW, kButtonY, backW, kButtonH};
    row.cancel = MirrorRect(row.cancel, kWpsConnectW, rtl);
    row.next = MirrorRect(row.next, kWpsConnectW, rtl);
    row.back = MirrorRect(row.back, kWpsConnectW, rtl);
    return row;
}

LearnMoreLayout LayOutLearnMore(int lang)
{
    LearnMoreLayout l;
    const int titleX = In(lang, {1035, 1055}) ? 12 : 30;
    // German paragraphs run longer: the last two get 24 pixels more room.
    const int extra = lang == 1031 ? 24 : 0;
    l.largeLogo = {In(lang, {1035, 1055, 1057}) ? 375 : 360, 16, 101, 45};
    // The title wraps before the large logo instead of running under it.
    l.title = {titleX, 27, std::min(400, l.largeLogo.x - kTitleLogoGap - titleX), 48};
    l.paragraph1 = {30, 77, 400, 50};
    l.paragraph2 = {30, 127, 400, 65 + extra};
    l.paragraph3 = {30, 197 + extra, 410, 50 + extra};
    if (lang == 1054) {
        // Thai runs in a larger face on taller lines: its texts start nearer the left
        // edge and run to as near the right one, so that they end above Close.
        constexpr int kThaiMargin = 14;
        l.title.x = kThaiMargin;
        l.title.w = l.largeLogo.x - kTitleLogoGap - kThaiMargin;
        for (WpsRect* p : {&l.paragraph1, &l.paragraph2, &l.paragraph3}) {
            p->x = kThaiMargin;
            p->w = kLearnMoreW - 2 * kThaiMargin;
        }
    }
    l.close = {kLearnMoreW - 23 - 70, kLearnMoreH - 23 - 27, 70, 27};
    return l;
}

int LearnMoreTitlePixels(int) { return 21; }

int WpsTextPixels(int lang) { return lang == 1054 ? 18 : 16; }
