#include "wps/WpsConnectDlg.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/MyStatic.h"
#include "controls/Pictures.h"
#include "controls/SingleLineText.h"
#include "controls/TransImage.h"
#include "controls/WpsMaskDlg.h"
#include "diag/LogMsg.h"
#include "framework/Controls.h"
#include "framework/TextDraw.h"
#include "wps/WpsDialogLayout.h"

namespace {

const QColor kTitleColour(0, 70, 109);
const QColor kGreyColour(102, 102, 102);
const QColor kFailureColour(156, 32, 34);
constexpr int kFrameIds[8] = {306, 307, 308, 309, 310, 311, 312, 304};
constexpr int kStatusY = 170;
constexpr int kHintY = 190;
constexpr int kLineH = 20;
constexpr int kMargin = 23;

const ButtonFaceSet& FacesForWidth(int w)
{
    if (w >= 115) return kWiderFaces;
    if (w >= 93) return kWideFaces;
    return kStandardFaces;
}

}  // namespace

const CWpsConnectDlg::Map CWpsConnectDlg::kMessageMap[] = {
    OnCommandId(IdBack, &CWpsConnectDlg::OnBnClickedRetry),
    OnCommandId(IdCancel, &CWpsConnectDlg::OnBnClickedCancel),
    OnCommandId(IdNext, &CWpsConnectDlg::OnBnClickedCancel),
    OnCommandId(IdDetailsLink, &CWpsConnectDlg::OnViewDetails),
    OnMessageId(WM_WPS_CONNECT_CLOSE, &CWpsConnectDlg::OnCloseFromOutside),
};
const std::size_t CWpsConnectDlg::kMessageMapSize = std::size(CWpsConnectDlg::kMessageMap);

CWpsConnectDlg::CWpsConnectDlg(CDialogEx* parent) : CMappedDialog(kTemplateId, parent), m_ErrorCodeDlg(this) {}

CWpsConnectDlg::~CWpsConnectDlg()
{
    // The window goes before the manager, whose destructor stops a join still running.
    DestroyWindow();
}

void CWpsConnectDlg::CreateControls()
{
    const WpsButtonRow row = PlaceWpsButtons(g_nUiLanguage, IsRtlLanguage(g_nUiLanguage));
    AddControl<CMyButton>(IdBack, FacesForWidth(row.back.w));
    AddControl<CMyButton>(IdCancel, FacesForWidth(row.cancel.w));
    AddControl<CMyButton>(IdNext, FacesForWidth(row.next.w));
    for (int id : {IdTitle, IdSubtitle, IdStatus, IdFailure, IdHint, IdRetryWord, IdFullStop})
        AddControl<CStaticText>(id);
    AddControl<CTransImage>(IdAnimation);
    AddControl<CMyStatic>(IdDetailsLink);
    // Tab goes through the link and the button row.
    QWidget::setTabOrder(GetDlgItem(IdDetailsLink)->Widget(), GetDlgItem(IdBack)->Widget());
    QWidget::setTabOrder(GetDlgItem(IdBack)->Widget(), GetDlgItem(IdNext)->Widget());
    QWidget::setTabOrder(GetDlgItem(IdNext)->Widget(), GetDlgItem(IdCancel)->Widget());
}

void CWpsConnectDlg::CreateFonts()
{
    const int lang = g_nUiLanguage;
    m_fontText = QFont(QStringLiteral("Arial"));
    m_fontText.setPixelSize(WpsTextPixels(lang));
    m_fontText.setWeight(QFont::Normal);
    m_fontBold = m_fontText;
    m_fontBold.setBold(true);
    m_fontTitle = m_fontText;
    m_fontTitle.setPixelSize(20);
    m_fontTitle.setBold(true);
}

BOOL CWpsConnectDlg::OnInitDialog()
{
    const bool rtl = IsRtlLanguage(g_nUiLanguage);
    m_background = LoadPngResource(kBackgroundId);
    // Centred over the wizard's window, the spinner centred in the dialog.
    MoveWindow(0, 0, kWpsConnectW, kWpsConnectH);
    CenterOnParent();
    GetDlgItem(IdAnimation)
        ->MoveWindow((kWpsConnectW - kWpsAnimationSize) / 2, (kWpsConnectH - kWpsAnimationSize) / 2,
                     kWpsAnimationSize, kWpsAnimationSize);

    CreateFonts();
    m_nDetailsWidth = QFontMetrics(m_fontText).horizontalAdvance(ToQ(LoadText(286)));
    for (int i = 0; i < 8; ++i) m_frames[i] = LoadBitmapResource(kFrameIds[i]);
    PlaceButtons(rtl);

    m_nFrame = 0;
    m_bWpsResult = 0;  // an earlier opening's result says nothing about this one
    ShowInProgressView(rtl);
    m_WpsManager.StartJoinPBC(this);
    return TRUE;
}

void CWpsConnectDlg::PlaceButtons(bool rtl)
{
    const WpsButtonRow row = PlaceWpsButtons(g_nUiLanguage, rtl);
    auto place = [this](int id, const WpsRect& r) {
        CWnd* b = GetDlgItem(id);
        b->MoveWindow(r.x, r.y, r.w, r.h);
        if (IsRtlLanguage(g_nUiLanguage)) b->ModifyStyleEx(0, WS_EX_RTLREADING);
        b->ShowWindow(SW_SHOW);
    };
    place(IdBack, row.back);
    place(IdNext, row.next);
    place(IdCancel, row.cancel);
}

void CWpsConnectDlg::PlaceText(int id, const std::wstring& text, int x, int y, int w, int h, const QFont& font,
                               const QColor& colour, bool rtl)
{
    auto* c = static_cast<CStaticText*>(GetDlgItem(id));
    c->SetFont(font);
    c->SetTextColor(colour);
    if (rtl) {
        c->ModifyStyle(0, SS_RIGHT);
        c->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    } else {
        c->ModifyStyle(SS_RIGHT, 0);
        c->ModifyStyleEx(WS_EX_RIGHT, 0);
        // Right-to-left text keeps its reading order wherever it is placed.
        if (IsRtlLanguage(g_nUiLanguage)) c->ModifyStyleEx(0, WS_EX_RTLREADING);
        else c->ModifyStyleEx(WS_EX_RTLREADING, 0);
    }
    c->SetWindowTextW(text);
    WpsRect r = MirrorRect({x, y, w, h}, kWpsConnectW, rtl);
    // A text whose marks or lines reach below its box (Arabic marks under the line, a
    // Thai first line lowered for its tone marks) takes the height its ink needs.
    const QRectF ink = Framework::DrawnTextBounds(QRect(r.x, r.y, r.w, kWpsConnectH), ToQ(text), font,
                                                  static_cast<Qt::Alignment>(c->Alignment()),
                                                  (c->GetExStyle() & WS_EX_RTLREADING) != 0);
    if (!ink.isEmpty()) r.h = std::max(r.h, static_cast<int>(std::ceil(ink.bottom())) + 1 - r.y);
    c->MoveWindow(r.x, r.y, r.w, r.h);
    c->ShowWindow(SW_SHOW);
}

void CWpsConnectDlg::PlaceCentred(int id, const std::wstring& text, int y, const QFont& font, const QColor& colour,
                                  bool rtl)
{
    const WpsRect line = WpsCentredLine(y);
    PlaceText(id, text, line.x, line.y, line.w, line.h, font, colour, rtl);
    auto* c = GetDlgItem(id);
    c->ModifyStyle(SS_RIGHT, SS_CENTER);
    c->ModifyStyleEx(WS_EX_RIGHT, 0);
}

QFont CWpsConnectDlg::TitleFont() const
{
    // A title longer than the dialog is wide takes a smaller size rather than a second
    // line, which would run into the subtitle.
    QFont font = m_fontTitle;
    const QString title = ToQ(LoadText(182));
    while (font.pixelSize() > 14 && QFontMetrics(font).horizontalAdvance(title) > kWpsConnectW - 2 * kMargin)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

void CWpsConnectDlg::ShowInProgressView(bool rtl)
{
    m_bFailureShown = false;
    PlaceText(IdTitle, LoadText(182), kMargin, 22, kWpsConnectW - 2 * kMargin, 26, TitleFont(), kTitleColour, rtl);
    PlaceText(IdSubtitle, LoadText(200), kMargin, 52, kWpsConnectW - 2 * kMargin, kLineH, m_fontText, kGreyColour,
              rtl);
    PlaceCentred(IdStatus, LoadText(229), kStatusY, m_fontText, kGreyColour, rtl);
    for (int id : {IdFailure, IdHint, IdRetryWord, IdFullStop, IdDetailsLink}) GetDlgItem(id)->ShowWindow(SW_HIDE);
    GetDlgItem(IdAnimation)->ShowWindow(SW_SHOW);
    PlaceButtons(rtl);
    CWnd* back = GetDlgItem(IdBack);
    back->SetWindowTextW(LoadText(WpsBackCaptionId(g_nUiLanguage)));
    back->EnableWindow(false);
    GetDlgItem(IdCancel)->SetWindowTextW(LoadText(174));
    GetDlgItem(IdCancel)->EnableWindow(true);
    GetDlgItem(IdNext)->SetWindowTextW(LoadText(172));
    GetDlgItem(IdNext)->EnableWindow(false);
    GetDlgItem(IdCancel)->SetFocus();
}

void CWpsConnectDlg::ShowFailureView(bool rtl)
{
    m_bFailureShown = true;
    const int lang = g_nUiLanguage;
    GetDlgItem(IdStatus)->ShowWindow(SW_HIDE);
    PlaceCentred(IdFailure, LoadText(230), kStatusY, m_fontText, kFailureColour, rtl);
    // "Retry" in bold in the gap the hint leaves for it, measured from where the centred
    // sentence begins. Where a full stop of its own follows the word, the sentence's
    // own is left out, so that the line ends in one full stop.
    std::wstring hint = LoadText(262);
    if (WpsShowsFullStop(lang) && !hint.empty() && hint.back() == L'.') hint.pop_back();
    const std::wstring lead = LoadText(WpsRetryLeadId(lang));
    const std::wstring word = LoadText(215);
    const QFontMetrics text(m_fontText);
    const int wordW = QFontMetrics(m_fontBold).horizontalAdvance(ToQ(word));
    const int lineW = WpsCentredLine(kHintY).w;
    // A gap too narrow for the word (and the blank after it) is drawn wider; a hint too
    // wide for its line is drawn with a gap just wide enough, and one that still takes
    // two lines keeps its gap whole on one of them (no-break blanks).
    std::wstring shown = hint;
    const WpsHintGap gap = FindWpsHintGap(hint, lead);
    if (gap.found) {
        const bool wordFollows = gap.end < hint.size() && !QStringLiteral(".,;:!?\u060C\u061B\u061F)").contains(QChar(hint[gap.end]));
        const int blanks = static_cast<int>(gap.end - gap.begin);
        const double blankW = QFontMetricsF(m_fontText).horizontalAdvance(QLatin1Char(' '));
        auto withGap = [&](int n, wchar_t blank) {
            std::wstring gapText(static_cast<std::size_t>(n), blank);
            // The blank before the word and the one after it stay breakable.
            if (blank != L' ' && n > 0) {
                gapText.front() = L' ';
                if (wordFollows) gapText.back() = L' ';
            }
            return hint.substr(0, gap.begin) + gapText + hint.substr(gap.end);
        };
        shown = withGap(WpsHintGapBlanks(blanks, blankW, wordW, wordFollows, false), L' ');
        if (text.horizontalAdvance(ToQ(shown)) > lineW)
            shown = withGap(WpsHintGapBlanks(blanks, blankW, wordW, wordFollows, true), L' ');
        if (text.horizontalAdvance(ToQ(shown)) > lineW)
            shown = withGap(WpsHintGapBlanks(blanks, blankW, wordW, wordFollows, true), L'\u00A0');
    }
    PlaceCentred(IdHint, hint, kHintY, m_fontText, kFailureColour, rtl);
    auto* hintText = static_cast<CStaticText*>(GetDlgItem(IdHint));
    if (shown != hint) {
        hintText->SetShownText(shown);
        // The lines drawn decide the height.
        const QRect box = hintText->GetClientRectInParent();
        const QRectF ink = Framework::DrawnTextBounds(QRect(box.x(), box.y(), box.width(), kWpsConnectH), ToQ(shown),
                                                      m_fontText, static_cast<Qt::Alignment>(hintText->Alignment()),
                                                      (hintText->GetExStyle() & WS_EX_RTLREADING) != 0);
        const int h = ink.isEmpty() ? box.height() : std::max(kLineH, static_cast<int>(std::ceil(ink.bottom())) + 1 - box.y());
        hintText->MoveWindow(box.x(), box.y(), box.width(), h);
    }
    const WpsRetryHint at = PlaceWpsRetryHint(text.horizontalAdvance(ToQ(shown)), text.horizontalAdvance(ToQ(lead)), wordW,
                                              text.horizontalAdvance(QLatin1Char('.')), rtl);
    WpsRect wordBox = at.word;
    if (gap.found && text.horizontalAdvance(ToQ(shown)) > lineW) {
        // More than one line: the word stands where its gap is drawn.
        const bool rtlText = (hintText->GetExStyle() & WS_EX_RTLREADING) != 0;
        const QPointF p = Framework::TextPositionOf(hintText->TextRect(), ToQ(shown), m_fontText,
                                                    static_cast<Qt::Alignment>(hintText->Alignment()), rtlText,
                                                    static_cast<int>(gap.begin) + 1);
        wordBox = PlaceWpsRetryWordAt(static_cast<int>(std::lround(p.x())), static_cast<int>(p.y()), wordW, rtl);
    }
    // The places are final: no second mirroring.
    PlaceText(IdRetryWord, word, wordBox.x, wordBox.y, wordBox.w, wordBox.h, m_fontBold, kFailureColour, false);
    if (rtl) {
        GetDlgItem(IdRetryWord)->ModifyStyle(0, SS_RIGHT);
        GetDlgItem(IdRetryWord)->ModifyStyleEx(0, WS_EX_RIGHT);
    }
    if (WpsShowsFullStop(lang))
        PlaceText(IdFullStop, L".", at.fullStop.x, at.fullStop.y, at.fullStop.w, at.fullStop.h, m_fontText,
                  kFailureColour, false);
    else GetDlgItem(IdFullStop)->ShowWindow(SW_HIDE);

    CWnd* link = GetDlgItem(IdDetailsLink);
    link->SetWindowTextW(LoadText(286));
    WpsRect r = MirrorRect({kMargin, 85, m_nDetailsWidth + 4, 18}, kWpsConnectW, rtl);
    if (rtl) link->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    {
        // The link's line is centred in its box: a box too low for the line's marks
        // grows by as much above as below, and the line stays where it is.
        const LinkTextStyle style = LinkStyleFor(IdDetailsLink, g_nUiLanguage, true);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(style.pixelHeight);
        font.setUnderline(style.underline);
        const QRect box(r.x, r.y, r.w, r.h);
        const QRectF ink = Controls::SingleLineTextInk(box, ToQ(LoadText(286)), font,
                                                       style.alignRight ? Qt::AlignRight : Qt::AlignHCenter,
                                                       style.alignRight).bounds;
        if (!ink.isEmpty()) {
            const int over = std::max({0, box.top() - static_cast<int>(std::floor(ink.top())),
                                       static_cast<int>(std::ceil(ink.bottom())) - (box.bottom() + 1)});
            r.y -= over;
            r.h += 2 * over;
        }
    }
    link->MoveWindow(r.x, r.y, r.w, r.h);
    link->ShowWindow(SW_SHOW);

    PlaceButtons(rtl);
    CWnd* retry = GetDlgItem(IdBack);
    retry->SetWindowTextW(LoadText(215));
    retry->EnableWindow(true);
    GetDlgItem(IdCancel)->EnableWindow(true);
    GetDlgItem(IdNext)->EnableWindow(false);
    retry->SetFocus();
}

void CWpsConnectDlg::ShowFrame()
{
    auto* animation = static_cast<CPicture*>(GetDlgItem(IdAnimation));
    const int frame = m_nFrame % 8;
    if (animation) animation->SetImage(m_frames[frame], kFrameIds[frame]);
    ++m_nFrame;
}

void CWpsConnectDlg::OnTimer(UINT_PTR id)
{
    if (id != kJoinTimer) return;
    if (!g_bWorkerRunning) {
        KillTimer(kJoinTimer);
        m_bWpsResult = m_WpsManager.m_bResult;
        if (g_bWpsProfileOk == 1 && g_nLinkResult == 2) {
            if (m_fnConnected) m_fnConnected(g_bInternetOk != 0);
            EndDialog(IDOK);
        } else {
            g_LogMsg.addLog(L"WPS Push-Button Configuration failed.", L"CWpsConnectDlg::OnTimer", LOG_FUNC);
            ShowFailureView(IsRtlLanguage(g_nUiLanguage));
        }
    }
    ShowFrame();
}

void CWpsConnectDlg::OnBnClickedRetry()
{
    // Only the failure view enables it. The new join keeps the animation's counter.
    ShowInProgressView(false);
    m_WpsManager.StartJoinPBC(this);
}

void CWpsConnectDlg::OnBnClickedCancel()
{
    if (g_bWorkerRunning) {
        KillTimer(kJoinTimer);
        m_WpsManager.StopJoin();
    }
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDCANCEL);
}

void CWpsConnectDlg::OnViewDetails()
{
    g_nErrorIndex = 3;
    // The details stand over a veil of their own, laid over this dialog.
    g_pWpsMaskDlg = new CWpsMaskDlg(this);
    g_pWpsMaskDlg->Create();
    g_pWpsMaskDlg->ShowWindow(SW_SHOW);
    m_ErrorCodeDlg.DoModal();
    delete g_pWpsMaskDlg;
    g_pWpsMaskDlg = nullptr;
    g_nErrorIndex = -1;
}

LRESULT CWpsConnectDlg::OnCloseFromOutside(WPARAM, LPARAM)
{
    // The adapter is gone and the watchdog has stopped the join. The details, if they
    // are open over this dialog, go with it: a dialog left over a closed one would hold
    // the wizard until somebody closed it.
    if (m_ErrorCodeDlg.IsModalRunning()) m_ErrorCodeDlg.Dispatch(CErrorCodeDlg::kCloseFromOutside, 0, 0);
    EndDialog(IDCANCEL);
    return 0;
}

void CWpsConnectDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) painter.drawImage(0, 0, m_background);
    else painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
}
