#include "diag/ErrorDetails.h"

#include <algorithm>
#include <cstdio>

#include "app/LocalizedText.h"

namespace {

constexpr int kDialogWidth = 348;
constexpr int kMargin = 27;
constexpr int kRowWidth = kDialogWidth - 2 * kMargin;

bool OneOf(int l, std::initializer_list<int> list)
{
    for (int x : list)
        if (x == l) return true;
    return false;
}

}  // namespace

UINT ErrorDescriptionStringId(int errorIndex)
{
    static const UINT kIds[kErrorIndexCount] = {291, 290, 289, 292, 293, 294, 295, 296};
    return errorIndex >= 0 && errorIndex < kErrorIndexCount ? kIds[errorIndex] : 0;
}

std::wstring OperatingSystemLine(bool win7, bool vista, const std::wstring& servicePack)
{
    const wchar_t* name = win7 ? L" Windows 7 " : vista ? L" Windows Vista " : L" Windows XP ";
    return name + servicePack + L"\r\n";
}

std::wstring SoftwareVersionText(const std::optional<FileVersion>& version, bool rtl)
{
    if (!version) return {};
    wchar_t buffer[64];
    std::swprintf(buffer, std::size(buffer), rtl ? L"%d.%d.%d.%d " : L" %d.%d.%d.%d", version->major, version->minor,
                  version->build, version->revision);
    return buffer;
}

std::wstring ModelRowText(const std::wstring& modelText, bool rtl)
{
    return rtl ? modelText : L" " + modelText + L"\r\n";
}

std::wstring ModelDisplayText(bool siblingModel) { return siblingModel ? L"QW2100/QW2600" : L"QW4100"; }

ErrorDetailsTexts BuildErrorDetailsTexts(int langid, const std::wstring& description, const std::wstring& modelText,
                                         const std::wstring& osLine, const std::wstring& version)
{
    const bool rtl = IsRtlLanguage(langid);
    ErrorDetailsTexts t;
    t.title = LoadText(langid, 287);
    const UINT labelIds[4] = {288, 351, 352, 353};
    for (int i = 0; i < 4; ++i) t.labels[i] = LoadText(langid, labelIds[i]);
    t.description = description;
    t.model = ModelRowText(modelText, rtl);
    t.osLine = osLine;
    t.version = version;
    t.copy = LoadText(langid, 354);
    t.close = LoadText(langid, 214);
    if (rtl) {
        // The right-to-left tables keep the labels' reading forms for the clipboard.
        t.clipboard = LoadText(langid, 298) + description + L"\r\n" + LoadText(langid, 300) + modelText + L"\r\n" +
                      LoadText(langid, 299) + osLine + LoadText(langid, 303) + version;
    } else {
        t.clipboard = t.labels[0] + description + L"\r\n" + t.labels[1] + t.model + t.labels[2] + osLine +
                      t.labels[3] + version;
    }
    return t;
}

int ErrorDetailsFontHeight(int langid) { return IsRtlLanguage(langid) || langid == 1054 ? 15 : 14; }

ErrorDetailsLayout ComputeErrorDetailsLayout(int langid, int h, int widestLabel, int titleWidth,
                                             int descriptionWidth, int copyWidth, int descriptionHeight)
{
    const bool rtl = IsRtlLanguage(langid);
    ErrorDetailsLayout l;
    // Values begin after the widest label; a few languages need a little more room.
    int labelWidth = widestLabel + (OneOf(langid, {1026, 1032, 1036, 1045, 2070, 3084}) ? 4 : 0);
    // A description wider than its wrapping width takes two lines; so does one that is
    // narrower but still wider than the room the labels leave (else its end would be cut).
    const int room = kDialogWidth - 4 - kMargin - labelWidth;
    const int wrapWidth = std::min(langid == 1045 ? 185 : 200, room);
    l.descriptionWrapped = descriptionWidth > wrapWidth;
    const int titleH = h + 10;
    int y[4] = {62, 64 + h, 66 + 2 * h, 68 + 3 * h};
    int rowH[4] = {h, h, h, h};
    const int extra = l.descriptionWrapped ? std::max(16, descriptionHeight - h) : 0;
    rowH[0] = h + extra;
    for (int i = 1; i < 4; ++i) y[i] += extra;
    // A value may run to 4 pixels short of the dialog's edge; a wrapped description
    // keeps to its wrapping width.
    const int valueWidth = room;
    for (int i = 0; i < 4; ++i) {
        int vw = i == 0 && l.descriptionWrapped ? wrapWidth : valueWidth;
        if (rtl) {
            // Mirrored: the labels end at the right margin, the values end where the labels begin.
            l.labels[i] = QRect(kDialogWidth - kMargin - labelWidth, y[i], labelWidth, rowH[i]);
            l.values[i] = QRect(kDialogWidth - kMargin - labelWidth - vw, y[i], vw, rowH[i]);
        } else {
            l.labels[i] = QRect(kMargin, y[i], labelWidth, rowH[i]);
            l.values[i] = QRect(kMargin + labelWidth, y[i], vw, rowH[i]);
        }
    }
    int tw = std::min(titleWidth + 4, kRowWidth);
    l.title = QRect(rtl ? kDialogWidth - kMargin - tw : kMargin, 27, tw, titleH);
    int copyY = 77 + 4 * h + extra;
    int cw = copyWidth + 4;
    l.copy = QRect(rtl ? kDialogWidth - kMargin - cw : kMargin, copyY, cw, h + 4);
    l.close = QRect(139, 168, 70, 27);
    return l;
}
