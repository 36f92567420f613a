// The password dialog's fonts, button row and three page layouts, left-to-right and
// mirrored.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyRTF.h"
#include "controls/MyStatic.h"
#include "controls/SingleLineText.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/PrefixText.h"
#include "framework/Controls.h"
#include "framework/Edit.h"
#include "framework/TextDraw.h"

namespace {

constexpr int kLanguageThai = 1054, kLanguagePolish = 1045, kLanguageFrench = 1036, kLanguageCanadianFrench = 3084;
constexpr int kButtonY = 215, kButtonH = 27;
constexpr int kGap = 3;            // pixels between a text's ink and what follows it
constexpr int kSmallestTitle = 12;
const QColor kTextColour(0, 70, 109);

QFont ArialFont(int pixels, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

int TextWidth(const std::wstring& text, const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance(ToQ(text));
}

// The languages whose security instruction fits in fewer lines keep the controls under
// it higher up.
bool ShortInstruction(int lang) { return lang == 1033 || lang == 1035 || lang == 1046 || lang == 1055; }

// Where the gap of a sentence begins: after the blank that precedes a run of blanks.
int GapIndex(const std::wstring& sentence)
{
    const std::size_t at = sentence.find(L"  ");
    return at == std::wstring::npos ? static_cast<int>(sentence.size()) : static_cast<int>(at) + 1;
}

}  // namespace

void CPasswordDlg::CreateFonts()
{
    const int base = g_nUiLanguage == kLanguageThai ? 18 : 16;
    m_fontEdit = ArialFont(base, true);
    m_fontTitle = ArialFont(base + 4, true);
    m_fontTitle2 = ArialFont(20, true);
    m_fontText = ArialFont(base, false);
    m_fontSmall = ArialFont(base - 1, false);
    m_fontBold = ArialFont(base, true);
}

QRect CPasswordDlg::TemplateRect(int x, int y, int w, int h) const
{
    // Dialog units of the template's font, Arial 10 point: 7 x 17 pixels per 4 x 8 units,
    // which make the template's 278 x 129 units the dialog's 483 x 274 pixels.
    constexpr int cx = 7, cy = 17;
    auto scale = [](int v, int base, int units) { return (v * base + units / 2) / units; };
    return QRect(scale(x, cx, 4), scale(y, cy, 8), scale(w, cx, 4), scale(h, cy, 8));
}

void CPasswordDlg::PlaceButtonRow()
{
    const int lang = g_nUiLanguage;
    int backX = 132, backW = 70, nextX = 207, nextW = 70, cancelX = 282;
    if (IsRtlLanguage(lang)) {
        backX = 282;
        cancelX = 132;
    } else if (lang == kLanguageFrench || lang == kLanguageCanadianFrench) {
        backX = 119, backW = 93, nextX = 217, cancelX = 292;
    } else if (lang == 1035 || lang == 1043 || lang == 1057) {
        backX = 122, nextX = 197, nextW = 93, cancelX = 295;
    }
    GetDlgItem(IdBack)->MoveWindow(backX, kButtonY, backW, kButtonH);
    GetDlgItem(IdNext)->MoveWindow(nextX, kButtonY, nextW, kButtonH);
    GetDlgItem(IdCancel)->MoveWindow(cancelX, kButtonY, 70, kButtonH);
    for (int id : {IdBack, IdNext, IdCancel}) {
        if (IsRtlLanguage(lang)) {
            GetDlgItem(id)->ModifyStyle(0, SS_RIGHT);
            GetDlgItem(id)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        }
        GetDlgItem(id)->ShowWindow(SW_SHOW);
    }
}

void CPasswordDlg::HidePageControls()
{
    for (int id : {IdSsidEdit, IdKeyEdit, IdTitle, IdTitle2, IdSsidHint, IdBoxEmpty, IdBoxTicked, IdBoxLabel,
                   IdSecurityCombo, IdSecurityLabel, IdKeyLabel, IdRtlInstruction, IdRtlNextWord, IdInstruction})
        GetDlgItem(id)->ShowWindow(SW_HIDE);
}

QRect CPasswordDlg::PlaceText(int id, const std::wstring& text, const QRect& rect, const QFont& font, bool rtl)
{
    auto* c = static_cast<CPrefixText*>(GetDlgItem(id));
    c->SetFont(font);
    c->SetTextColor(kTextColour);
    if (rtl) {
        c->ModifyStyle(0, SS_RIGHT);
        c->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    } else {
        c->ModifyStyle(SS_RIGHT, 0);
        c->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    }
    c->SetWindowTextW(text);
    // The text stays where the page puts it; the control grows to hold all of its ink
    // (marks above Arabic and Thai letters, descenders below the last line).
    const QRect ink = text.empty() ? rect : c->InkFor(rect);
    c->MoveWindow(rect.united(ink).x(), rect.united(ink).y(), rect.united(ink).width(), rect.united(ink).height());
    c->SetTextRect(rect);
    c->ShowWindow(SW_SHOW);
    return ink;
}

QRect CPasswordDlg::PlaceTextAbove(int id, const std::wstring& text, QRect rect, const QFont& font, bool rtl,
                                   int nextTop)
{
    // A label over a box: when its descenders would touch the box it moves up.
    QRect ink = PlaceText(id, text, rect, font, rtl);
    if (ink.bottom() >= nextTop - 1) {
        rect.translate(0, nextTop - 2 - ink.bottom());
        ink = PlaceText(id, text, rect, font, rtl);
    }
    return ink;
}

int CPasswordDlg::FitTitleFont(int id, const std::wstring& text, const QRect& rect, int largest, int bottomLimit,
                               bool rtl)
{
    // The title keeps its size unless a long network name would run into the key box;
    // then it takes the largest size at which it ends above the box.
    auto* c = static_cast<CPrefixText*>(GetDlgItem(id));
    c->SetBreakLongWords(true);
    int size = largest;
    for (; size > kSmallestTitle; --size) {
        c->SetFont(ArialFont(size, true));
        c->SetWindowTextW(text);
        if (rtl) c->ModifyStyleEx(0, WS_EX_RTLREADING);
        if (c->InkFor(rect).bottom() <= bottomLimit) break;
    }
    return size;
}

void CPasswordDlg::PlaceBoxes(int x, int y, int labelX, int labelRight, const QFont& measureFont, bool rtl)
{
    CWnd* label = GetDlgItem(IdBoxLabel);
    const std::wstring text = LoadText(233);
    label->SetFont(m_nMode == PasswordModeSecurity ? m_fontSmall : m_fontText);
    label->SetWindowTextW(text);
    // The label draws itself in the link face of its own; it is sized to hold the text in
    // both that face and the font the page measures it in.
    QFont drawn(QStringLiteral("Arial"));
    drawn.setPixelSize(LinkStyleFor(IdBoxLabel, g_nUiLanguage, false).pixelHeight);
    const int w = std::max(TextWidth(text, measureFont), TextWidth(text, drawn)) + 4;
    const int h = std::max(QFontMetrics(measureFont).height(), QFontMetrics(drawn).height());
    // The label's line is centred on the box. Where its marks reach past that height
    // (Arabic), the label grows by as much above as below, and the box and the label go
    // down by as much, so that the label stays clear of what lies above it.
    QRect r(rtl ? labelRight - w : labelX, y + 8 - h / 2, w, h);
    int over = 0;
    for (bool lit : {false, true}) {
        const LinkTextStyle style = LinkStyleFor(IdBoxLabel, g_nUiLanguage, lit);
        QFont face(QStringLiteral("Arial"));
        face.setPixelSize(style.pixelHeight);
        face.setUnderline(style.underline);
        const QRectF ink = Controls::SingleLineTextInk(r, ToQ(text), face,
                                                       style.alignRight ? Qt::AlignRight : Qt::AlignHCenter,
                                                       style.alignRight)
                               .bounds;
        // Half a pixel of a glyph's edge past the box is not cut.
        if (!ink.isEmpty())
            over = std::max(over, static_cast<int>(std::ceil(std::max(r.top() - ink.top(), ink.bottom() - (r.bottom() + 1)) - 0.5)));
    }
    y += over;
    r.adjust(0, 0, 0, 2 * over);
    // The two pictures share one place; the characters-shown flag says which one shows.
    for (int id : {IdBoxEmpty, IdBoxTicked}) GetDlgItem(id)->MoveWindow(x, y, 16, 16);
    GetDlgItem(IdBoxEmpty)->ShowWindow(m_bCharsShown ? SW_HIDE : SW_SHOW);
    GetDlgItem(IdBoxTicked)->ShowWindow(m_bCharsShown ? SW_SHOW : SW_HIDE);
    label->MoveWindow(r.x(), r.y(), r.width(), r.height());
    label->ShowWindow(SW_SHOW);
}

void CPasswordDlg::LayoutSsidPage()
{
    const int lang = g_nUiLanguage;
    const bool rtl = IsRtlLanguage(lang);
    HidePageControls();
    const QRect titleInk =
        PlaceText(IdTitle, LoadText(232), rtl ? QRect(32, 22, 413, 20) : QRect(28, 19, 425, 60), m_fontTitle, rtl);
    // A title that wraps onto a second line pushes the hint, and the hint the box, down.
    QRect hint = lang == kLanguagePolish ? QRect(32, 80, 450, 20) : TemplateRect(16, 28, 238, 16);
    if (hint.top() < titleInk.bottom() + kGap) hint.moveTop(titleInk.bottom() + kGap);
    const QRect hintInk = PlaceText(IdSsidHint, LoadText(234), hint, m_fontText, rtl);
    CEdit* ssid = Edit(IdSsidEdit);
    if (rtl) {
        ssid->ModifyStyle(0, SS_RIGHT);
        ssid->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    }
    const int y = std::max(97 + (lang == kLanguagePolish ? 20 : 0), hintInk.bottom() + kGap);
    ssid->MoveWindow(rtl ? 263 : 45, y, 150, 20);
    if (m_bRetry) {
        m_strSsid = g_szTargetSsid.Get();
        ssid->SetWindowTextW(m_strSsid);
    }
    ssid->ShowWindow(SW_SHOW);
    GetDlgItem(IdNext)->EnableWindow(!ssid->GetWindowTextW().empty());
    GetDlgItem(IdBack)->ShowWindow(SW_SHOW);
    GetDlgItem(IdBack)->EnableWindow(false);
    GetDlgItem(IdCancel)->ShowWindow(SW_SHOW);
}

QRect CPasswordDlg::LayoutSecurityInstruction(bool rtl)
{
    if (!rtl) {
        auto* instruction = static_cast<CMyRTF*>(GetDlgItem(IdInstruction));
        instruction->MoveWindow(28, 42, 425, 60);
        instruction->ShowWindow(SW_SHOW);
        return MarkupInk(*instruction);
    }
    // Right-to-left: the plain sentence with the bold word laid over its gap, where the
    // sentence's own layout puts the gap.
    const std::wstring sentence = LoadText(236);
    QRect ink = PlaceText(IdRtlInstruction, sentence, QRect(28, 42, 418, 64), m_fontText, true);
    auto* text = static_cast<CPrefixText*>(GetDlgItem(IdRtlInstruction));
    const QPointF at = Framework::TextPositionOf(text->TextRect(), text->ShownText(), m_fontText,
                                                 static_cast<Qt::Alignment>(text->Alignment()), true,
                                                 GapIndex(sentence));
    const std::wstring word = LoadText(10006);
    const int w = TextWidth(word, m_fontBold) + 2;
    const int h = QFontMetrics(m_fontBold).height();
    ink |= PlaceText(IdRtlNextWord, word, QRect(static_cast<int>(at.x()) - w, static_cast<int>(at.y()), w, h),
                     m_fontBold, true);
    return ink;
}

QRect CPasswordDlg::MarkupInk(CMyRTF& label) const
{
    // The instruction is rendered once here (repaints reuse it), to learn where its ink lies.
    const QRect r = label.GetClientRectInParent();
    QImage canvas(r.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        label.Paint(painter);
    }
    CQtMarkupMeasure measure(label.GetFont());
    QRect ink;
    for (const MarkupRun& run : label.LastLayout().runs) {
        const QRect line(run.x, run.y, 10000, run.height);
        ink |= Framework::DrawnTextBounds(line, ToQ(run.text), measure.ToQFont(run.font), Qt::AlignLeft, false)
                   .toAlignedRect();
    }
    return ink.translated(r.topLeft());
}

void CPasswordDlg::LayoutSecurityPage()
{
    const int lang = g_nUiLanguage;
    const bool rtl = IsRtlLanguage(lang);
    HidePageControls();
    const std::wstring title = LoadText(168);
    const QRect instructionInk = LayoutSecurityInstruction(rtl);
    // The title stands clear of the instruction: its descenders lift it where they would
    // touch the first line.
    QRect titleRect(28, 22, 425, 60);
    const QRect titleInk = PlaceText(IdTitle, title, titleRect, m_fontTitle, rtl);
    if (titleInk.bottom() >= instructionInk.top() - 1) {
        titleRect.translate(0, instructionInk.top() - 2 - titleInk.bottom());
        PlaceText(IdTitle, title, titleRect, m_fontTitle, rtl);
    }

    const int h = ShortInstruction(lang) ? -7 : -20;
    const int g = ShortInstruction(lang) ? 0 : 4;
    // The controls under the instruction, in the page's places; the whole block moves down
    // as far as a longer instruction needs (never into the button row).
    const QRect comboAt = rtl ? QRect(281, 103, 132, CMyComboBox::kFaceHeight) : QRect(45, 98 - h, 132, CMyComboBox::kFaceHeight);
    const QRect keyAt = rtl ? QRect(253, 152, 160, 20) : QRect(45, 150 - g - h, 160, 20);
    const QPoint boxAt = rtl ? QPoint(398, 174) : QPoint(48, 172 - g - h);
    const std::wstring securityText = LoadText(167), keyText = LoadText(166);
    const int sw = TextWidth(securityText, m_fontSmall) + 2, kw = TextWidth(keyText, m_fontSmall) + 2;
    const QRect securityAt = rtl ? QRect(413 - sw, 86, sw, 16) : QRect(45, 81 - h, 300, 16);
    const QRect keyLabelAt = rtl ? QRect(413 - kw, 135, kw, 16) : QRect(45, 133 - g - h, 300, 16);

    QRect securityInk = PlaceTextAbove(IdSecurityLabel, securityText, securityAt, m_fontSmall, rtl, comboAt.top());
    int shift = std::max(0, instructionInk.bottom() + kGap - securityInk.top());
    shift = std::min(shift, kButtonY - kGap - (boxAt.y() + 18));
    if (shift > 0) PlaceTextAbove(IdSecurityLabel, securityText, securityAt.translated(0, shift), m_fontSmall, rtl, comboAt.top() + shift);
    PlaceTextAbove(IdKeyLabel, keyText, keyLabelAt.translated(0, shift), m_fontSmall, rtl, keyAt.top() + shift);

    auto* combo = static_cast<CMyComboBox*>(GetDlgItem(IdSecurityCombo));
    CEdit* key = Edit(IdKeyEdit);
    if (rtl) {
        combo->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        key->ModifyStyle(0, SS_RIGHT);
        key->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    }
    combo->MoveWindow(comboAt.x(), comboAt.y() + shift, comboAt.width(), comboAt.height());
    key->MoveWindow(keyAt.x(), keyAt.y() + shift, keyAt.width(), keyAt.height());
    // The key is masked again whenever this page is laid out.
    m_bCharsShown = 0;
    key->SetPasswordChar(L'*');
    if (rtl) PlaceBoxes(boxAt.x(), boxAt.y() + shift, 0, 395, m_fontSmall, true);
    else PlaceBoxes(boxAt.x(), boxAt.y() + shift, 70, 0, m_fontSmall, false);

    combo->SetCurSel(m_nSecurity);
    if (m_bRetry) key->SetWindowTextW(g_szNetworkKey.Get());
    combo->ShowWindow(SW_SHOW);
    key->ShowWindow(SW_SHOW);
    ApplySecurityFromSelection();
    ApplyNextRule();
    GetDlgItem(IdBack)->ShowWindow(SW_SHOW);
    GetDlgItem(IdBack)->EnableWindow(true);
    GetDlgItem(IdCancel)->ShowWindow(SW_SHOW);
}

void CPasswordDlg::LayoutPasswordPage()
{
    const int lang = g_nUiLanguage;
    const bool rtl = IsRtlLanguage(lang);
    HidePageControls();
    CEdit* key = Edit(IdKeyEdit);
    m_strKey = m_bRetry ? g_szNetworkKey.Get() : std::wstring();
    key->SetWindowTextW(m_strKey);

    const std::wstring lead = LoadText(197);
    const std::wstring ssid = g_szTargetSsid.Get();
    const QRect keyAt = rtl ? QRect(253, 70, 160, 20) : QRect(45, 80, 160, 20);
    const int limit = keyAt.top() - kGap;
    const QRect titleRect(28, 19, 425, 60);
    const int titleSize = m_fontTitle.pixelSize();
    if (lang == kLanguageThai && TextWidth(lead + L" " + ssid, m_fontTitle) > 269) {
        // A long Thai title keeps its sentence on the first line and the name below.
        PlaceText(IdTitle, lead, titleRect, m_fontTitle, rtl);
        const int titleHeight = QFontMetrics(m_fontTitle).height();
        const QRect nameRect(28, titleHeight + 23, 425, 60);
        const int size = FitTitleFont(IdTitle2, DoubleAmpersands(ssid), nameRect, 20, limit, rtl);
        PlaceText(IdTitle2, DoubleAmpersands(ssid), nameRect, ArialFont(size, true), rtl);
    } else {
        const std::wstring title = lead + L" " + DoubleAmpersands(ssid);
        const int size = FitTitleFont(IdTitle, title, titleRect, titleSize, limit, rtl);
        PlaceText(IdTitle, title, titleRect, ArialFont(size, true), rtl);
    }

    if (rtl) {
        key->ModifyStyle(0, SS_RIGHT);
        key->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    }
    key->MoveWindow(keyAt.x(), keyAt.y(), keyAt.width(), keyAt.height());
    if (rtl) PlaceBoxes(398, 100, 0, 388, m_fontBold, true);
    else PlaceBoxes(48, 106, 65, 0, m_fontBold, false);
    key->ShowWindow(SW_SHOW);
    ApplyNextRule();
    GetDlgItem(IdBack)->ShowWindow(SW_SHOW);
    GetDlgItem(IdBack)->EnableWindow(false);
    GetDlgItem(IdCancel)->ShowWindow(SW_SHOW);
}
