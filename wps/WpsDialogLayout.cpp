#include "wps/WpsDialogLayout.h"

#include <algorithm>
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
constexpr int kWordW = 150, kWordH = 20;
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

WpsRetryHint PlaceWpsRetryHint(int hintWidth, int leadWidth, int wordWidth, bool rtl)
{
    WpsRetryHint hint;
    // Laid out left to right; a right-to-left sentence reads from its right edge, which is
    // the mirror image of the same place.
    hint.start = (kWpsConnectW - hintWidth) / 2;
    const int gap = hint.start + leadWidth;
    hint.word = MirrorRect({gap, kHintY, kWordW, kWordH}, kWpsConnectW, rtl);
    const int stop = gap + std::min(kFullStopGap, wordWidth + 1);
    hint.fullStop = MirrorRect({stop, kHintY, kFullStopSize, kFullStopSize}, kWpsConnectW, rtl);
    if (rtl) hint.start = kWpsConnectW - hint.start;
    return hint;
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
