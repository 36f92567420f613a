#pragma once
// What the error details dialog shows and copies: the description of an error index,
// the operating-system line, the software version and the clipboard text, and where
// each row stands in the dialog. Plain logic, no widgets, so that tests call it directly.
#include <QRect>

#include <optional>
#include <string>

#include "platform/SystemInfo.h"
#include "platform/Win32Types.h"

constexpr int kErrorIndexCount = 8;

// The string of an error index (291 driver install ... 296 administrator), 0 when the
// index is outside 0 to 7.
UINT ErrorDescriptionStringId(int errorIndex);

// " Windows 7 %s\r\n", " Windows Vista %s\r\n" or " Windows XP %s\r\n" with the service pack.
std::wstring OperatingSystemLine(bool win7, bool vista, const std::wstring& servicePack);

// " 1.0.0.4" (left-to-right) or "1.0.0.4 " (right-to-left); empty without a version.
std::wstring SoftwareVersionText(const std::optional<FileVersion>& version, bool rtl);

// The model as the model row shows it: " %s\r\n" left-to-right, the bare text right-to-left.
std::wstring ModelRowText(const std::wstring& modelText, bool rtl);

// The model's display text for this program's model variant.
std::wstring ModelDisplayText(bool siblingModel);

// The texts of the dialog in one language.
struct ErrorDetailsTexts {
    std::wstring title;
    std::wstring labels[4];  // description, model, operating system, version
    std::wstring description, model, osLine, version;
    std::wstring copy, close;
    std::wstring clipboard;
};
ErrorDetailsTexts BuildErrorDetailsTexts(int langid, const std::wstring& description, const std::wstring& modelText,
                                         const std::wstring& osLine, const std::wstring& version);

// Where the rows stand in the 348 x 220 dialog.
struct ErrorDetailsLayout {
    QRect title;
    QRect labels[4];
    QRect values[4];
    QRect copy;
    QRect close;
    bool descriptionWrapped = false;
};
// labelHeight: h of the rows; widestLabel: the widest of the four labels; the other
// widths are those of the texts in their fonts. A wrapped description takes two rows'
// height (16 pixels more than one), or descriptionHeight where its lines need more; the
// rows below it and the Copy link move down by as much.
ErrorDetailsLayout ComputeErrorDetailsLayout(int langid, int labelHeight, int widestLabel, int titleWidth,
                                             int descriptionWidth, int copyWidth, int descriptionHeight = 0);

// Pixel heights of the dialog's fonts: the rows, the title and the Copy link.
int ErrorDetailsFontHeight(int langid);
