#include "dialogs/ErrorCodeDlg.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/GrayDlg.h"
#include "controls/MessageBox.h"
#include "controls/MyButton.h"
#include "controls/MyStatic.h"
#include "controls/Pictures.h"
#include "controls/SingleLineText.h"
#include "diag/LogMsg.h"
#include "framework/Controls.h"
#include "framework/TextDraw.h"
#include "platform/Platform.h"

CGrayDlg* g_pErrorGrayDlg = nullptr;

namespace {

constexpr int kTitleId = 1170;
constexpr int kLabelIds[4] = {1171, 1172, 1173, 1174};
constexpr int kValueIds[4] = {1176, 1177, 1178, 1179};
constexpr int kVersionId = 1179;
constexpr int kDialogW = 348, kDialogH = 220;
const QColor kTextColour(0, 70, 109);

}  // namespace

const CErrorCodeDlg::Map CErrorCodeDlg::kMessageMap[] = {
    OnCommandId(kCopyId, &CErrorCodeDlg::OnClickedCopy),
    OnMessageId(kCloseFromOutside, &CErrorCodeDlg::OnCloseFromOutside),
};
const std::size_t CErrorCodeDlg::kMessageMapSize = std::size(CErrorCodeDlg::kMessageMap);

CErrorCodeDlg::CErrorCodeDlg(CDialogEx* parent) : CMappedDialog(kTemplateId, parent) {}

void CErrorCodeDlg::CreateControls()
{
    AddControl<CStaticText>(kTitleId);
    for (int id : kLabelIds) AddControl<CStaticText>(id);
    for (int id : kValueIds) AddControl<CStaticText>(id);
    AddControl<CMyStatic>(kCopyId);
    AddControl<CMyButton>(IDOK, kStandardFaces);
}

std::wstring CErrorCodeDlg::GetErrorDescription()
{
    // An index outside the table has no description (every caller sets one first).
    UINT id = ErrorDescriptionStringId(g_nErrorIndex);
    if (id == 0) return {};
    LogF(LOG_FUNC, L"CErrorCodeDlg::GetErrorDescription", L"Show error code: %ls.", LoadText(1033, id).c_str());
    return LoadText(id);
}

void CErrorCodeDlg::DoDataExchange() { GetDlgItem(kVersionId)->SetWindowTextW(m_strVersion); }

BOOL CErrorCodeDlg::OnInitDialog()
{
    const int lang = g_nUiLanguage;
    const bool rtl = IsRtlLanguage(lang);
    m_strVersion = SoftwareVersionText(Os().system->GetFileVersionInfo(Os().system->GetModuleFileNameW()), rtl);
    DoDataExchange();

    const std::wstring osLine = OperatingSystemLine(g_bOsWin7 != 0, g_bOsVista != 0, g_szServicePack.Get());
    const ErrorDetailsTexts texts =
        BuildErrorDetailsTexts(lang, GetErrorDescription(), ModelDisplayText(g_bSiblingModel != 0), osLine, m_strVersion);
    // Rebuilt at every opening: it never accumulates.
    m_strClipboard = texts.clipboard;

    const int h = ErrorDetailsFontHeight(lang);
    m_fontText = QFont(QStringLiteral("Arial"));
    m_fontText.setPixelSize(h);
    m_fontText.setWeight(QFont::Normal);
    m_fontTitle = m_fontText;
    m_fontTitle.setPixelSize(h + 6);
    m_fontTitle.setBold(true);
    m_fontCopy = m_fontText;
    m_fontCopy.setPixelSize(h + 1);

    QFontMetrics text(m_fontText);
    int widest = 0;
    for (const auto& label : texts.labels) widest = std::max(widest, text.horizontalAdvance(ToQ(label)));
    auto compute = [&](int descriptionHeight) {
        return ComputeErrorDetailsLayout(lang, text.height(), widest,
                                         QFontMetrics(m_fontTitle).horizontalAdvance(ToQ(texts.title)),
                                         text.horizontalAdvance(ToQ(texts.description)),
                                         QFontMetrics(m_fontCopy).horizontalAdvance(ToQ(texts.copy)), descriptionHeight);
    };
    ErrorDetailsLayout layout = compute(0);
    if (layout.descriptionWrapped) {
        // A wrapped description whose lines run lower than two rows' height (a third line,
        // or the taller lines of the Arabic face) moves what follows it down by as much.
        const QRect tall(layout.values[0].x(), 0, layout.values[0].width(), kDialogH);
        const QRectF ink = Framework::DrawnTextBounds(tall, ToQ(texts.description), m_fontText,
                                                      (rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, rtl);
        if (!ink.isEmpty()) layout = compute(static_cast<int>(std::ceil(ink.bottom())) + 1);
    }

    auto place = [&](int id, const std::wstring& caption, const QRect& r, const QFont& font) {
        auto* c = static_cast<CStaticText*>(GetDlgItem(id));
        c->SetFont(font);
        c->SetTextColor(kTextColour);
        if (rtl) {
            c->ModifyStyle(0, SS_RIGHT);
            c->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        }
        c->SetWindowTextW(caption);
        // A row whose marks or descenders reach below it (Arabic, Thai, Turkish capitals
        // with marks) takes the height its ink needs; its text stays where it is.
        int h = r.height();
        const QRectF ink = Framework::DrawnTextBounds(QRect(r.x(), r.y(), r.width(), kDialogH), ToQ(caption), font,
                                                      static_cast<Qt::Alignment>(c->Alignment()), rtl);
        if (!ink.isEmpty()) h = std::max(h, static_cast<int>(std::ceil(ink.bottom())) + 1 - r.y());
        c->MoveWindow(r.x(), r.y(), r.width(), h);
        c->ShowWindow(SW_SHOW);
    };
    place(kTitleId, texts.title, layout.title, m_fontTitle);
    const std::wstring values[4] = {texts.description, texts.model, texts.osLine, m_strVersion};
    for (int i = 0; i < 4; ++i) {
        place(kLabelIds[i], texts.labels[i], layout.labels[i], m_fontText);
        place(kValueIds[i], values[i], layout.values[i], m_fontText);
    }
    CWnd* copy = GetDlgItem(kCopyId);
    copy->SetWindowTextW(texts.copy);
    if (rtl) copy->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    QRect copyRect = layout.copy;
    {
        // The link's line is centred in its box: a box too low for the line's marks grows
        // by as much above as below, and the line stays where it is.
        const LinkTextStyle style = LinkStyleFor(kCopyId, lang, true);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(style.pixelHeight);
        font.setUnderline(style.underline);
        const QRectF ink = Controls::SingleLineTextInk(copyRect, ToQ(texts.copy), font,
                                                       style.alignRight ? Qt::AlignRight : Qt::AlignHCenter,
                                                       style.alignRight)
                               .bounds;
        if (!ink.isEmpty()) {
            const int over = std::max({0, copyRect.top() - static_cast<int>(std::floor(ink.top())),
                                       static_cast<int>(std::ceil(ink.bottom())) - (copyRect.bottom() + 1)});
            copyRect.adjust(0, -over, 0, over);
        }
    }
    copy->MoveWindow(copyRect.x(), copyRect.y(), copyRect.width(), copyRect.height());
    copy->ShowWindow(SW_SHOW);
    CWnd* close = GetDlgItem(IDOK);
    close->SetWindowTextW(texts.close);
    close->MoveWindow(layout.close.x(), layout.close.y(), layout.close.width(), layout.close.height());
    close->ShowWindow(SW_SHOW);

    m_background = LoadPngResource(kBackgroundId);
    // Centred over the wizard, 30 pixels below its middle.
    QRect owner = Parent() ? Parent()->WindowRect() : QRect(0, 0, 753, 530);
    MoveWindow(owner.x() + (owner.width() - kDialogW) / 2, owner.y() + (owner.height() - kDialogH) / 2 + 30, kDialogW,
               kDialogH);
    close->SetFocus();
    return TRUE;
}

void CErrorCodeDlg::OnClickedCopy()
{
    // A clipboard that cannot be opened leaves everything as it was, without a message.
    if (!Os().clipboard || !Os().clipboard->SetText(m_strClipboard)) return;
    const bool rtl = IsRtlLanguage(g_nUiLanguage);
    CMessageBox box(this, LoadText(297), LoadText(207), MB_OK | (rtl ? MB_RTLREADING : 0));
    m_pMessageBox = &box;
    box.DoModal();
    m_pMessageBox = nullptr;
}

LRESULT CErrorCodeDlg::OnCloseFromOutside(WPARAM, LPARAM)
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    // A message box still open over the details goes with them.
    if (m_pMessageBox) m_pMessageBox->EndDialog(IDCANCEL);
    EndDialog(IDCANCEL);
    return 0;
}

void CErrorCodeDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) painter.drawImage(0, 0, m_background);
    else painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
}
