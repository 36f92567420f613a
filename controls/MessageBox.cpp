#include "controls/MessageBox.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "controls/ButtonFace.h"
#include "controls/MyButton.h"
#include "app/LocalizedText.h"
#include "framework/Controls.h"

namespace {
constexpr int kMargin = 24;
constexpr int kMinTextWidth = 220;
constexpr int kMaxTextWidth = 380;
constexpr int kButtonW = 70, kButtonH = 27;
constexpr UINT kOkTextId = 463;
}  // namespace

const CMessageBox::Map CMessageBox::kMessageMap[] = {
    OnCommandId(IDOK, &CMessageBox::OnOk),
};
const std::size_t CMessageBox::kMessageMapSize = std::size(CMessageBox::kMessageMap);

CMessageBox::CMessageBox(CDialogEx* owner, std::wstring text, std::wstring caption, UINT type)
    : CMappedDialog(0, owner), m_text(std::move(text)), m_caption(std::move(caption)), m_nType(type)
{
    SetHasCaption(true);
}

void CMessageBox::CreateControls()
{
    AddControl<CStaticText>(kTextId);
    AddControl<CMyButton>(IDOK, kStandardFaces);
}

BOOL CMessageBox::OnInitDialog()
{
    const bool rtl = (m_nType & MB_RTLREADING) != 0;
    SetWindowTextW(m_caption);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    auto* text = static_cast<CStaticText*>(GetDlgItem(kTextId));
    text->SetFont(font);
    text->SetTextColor(QColor(0, 70, 109));
    text->SetWindowTextW(m_text);
    if (rtl) {
        text->ModifyStyle(0, SS_RIGHT);
        text->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    }
    // The box grows with its text: one line up to the widest width, then wrapped.
    QFontMetrics metrics(font);
    int oneLine = metrics.horizontalAdvance(ToQ(m_text));
    // Wide enough for its caption too, with the caption bar's icon and close box.
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(13);
    captionFont.setBold(true);
    int captionW = QFontMetrics(captionFont).horizontalAdvance(ToQ(m_caption)) + 70 - 2 * kMargin;
    int textW = std::clamp(std::max(oneLine + 4, captionW), kMinTextWidth, kMaxTextWidth);
    QRect bounds = metrics.boundingRect(QRect(0, 0, textW, 1000), Qt::TextWordWrap, ToQ(m_text));
    int textH = std::max(bounds.height(), metrics.height()) + 4;
    int clientW = textW + 2 * kMargin;
    int clientH = kMargin + textH + 20 + kButtonH + 16;
    text->MoveWindow(kMargin, kMargin, textW, textH);
    text->ShowWindow(SW_SHOW);
    CWnd* ok = GetDlgItem(IDOK);
    ok->SetWindowTextW(LoadText(kOkTextId));
    ok->MoveWindow((clientW - kButtonW) / 2, clientH - 16 - kButtonH, kButtonW, kButtonH);
    ok->ShowWindow(SW_SHOW);
    MoveWindow(0, 0, clientW + 2 * kFrameBorder, clientH + kCaptionHeight + kFrameBorder);
    CenterOnParent();
    ok->SetFocus();
    return TRUE;
}

void CMessageBox::OnPaintBackground(QPainter& painter)
{
    painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
    // The button row sits on a slightly darker band, as the system's boxes have it.
    int band = Widget()->height() - 16 - kButtonH - 12;
    painter.fillRect(QRect(0, band, Widget()->width(), Widget()->height() - band), QColor(230, 236, 241));
}

INT_PTR ShowMessageBox(CDialogEx* owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    CMessageBox box(owner, text, caption, type);
    return box.DoModal();
}
