// The wizard's pages: the controls of template 195, fonts, pictures, the button row and
// one page function per state. Every page starts from all controls hidden and shows
// exactly what it sets; right-to-left languages get the mirrored twin of each page.
#include <QFontMetrics>

#include <cmath>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyListCtrl.h"
#include "controls/MyStatic.h"
#include "controls/Pictures.h"
#include "controls/SingleLineText.h"
#include "controls/TransImage.h"
#include "platform/Platform.h"
#include "framework/TextDraw.h"
#include "wizard/SetupDlg.h"

namespace {

constexpr int kClientWidth = 750;
constexpr int kButtonY = 437;
constexpr int kButtonH = 27;
const QColor kTextColour(0, 70, 109);
const QColor kLinkColour(0, 153, 203);

const int kTextIds[] = {IdTitle, IdSubtitle, IdBody1, IdBody2, IdBody3, IdBody4, IdBody5, IdBody6, IdBody7,
                        IdStatus, IdStatus2, IdStatus3, IdStatus4, IdRefreshLabel,
                        1129, 1130, 1131, 1132, 1133, 1181, 1176, 1177, 1180, 1135, 1136, 1137, 1138};
const int kLinkIds[] = {IdWpsLink, IdHiddenNetworkLink, IdPinLink, IdLearnMoreLink, IdViewDetailsLink,
                        IdNeedHelpLink, IdLicenceLink};
const int kButtonIds[] = {IdNext, IdNext93, IdNext115, IdBack, IdBack93, IdBack115, IdBack115Alt, IdBackAlt,
                          IdCancel, IdWpsConnect, IdRescan, IdRefreshBubble, IdSortByName, IdSortBySecurity,
                          IdSortByStrength};
const int kPictureIds[] = {1105, 1107, 1108, 1099, 1100, 1101, 1106, 1109, 1110, 1125, 1111, 1139, 1140, 1141,
                           1142, 1143, 1144, 1159, 1160, 1145, 1146, 1147, 1148, 1149, 1150, 1151, 1158,
                           IdLicenceBox, IdLicenceBoxTicked};
const int kNextIds[] = {IdNext, IdNext93, IdNext115};
// Texts that read right to left, right-aligned, in a right-to-left language: the page
// texts, every inline word and period, and the no-internet page's bullets.
const int kRtlTextIds[] = {IdTitle, IdSubtitle, IdBody2, IdBody3, IdBody4, 1129, 1130, 1131, 1133, 1132, IdBody5,
                           IdBody6, IdBody7, 1181, 1176, 1177, 1180, 1135, 1136, 1137, 1138, IdLicenceLink};
const int kBackIds[] = {IdBack, IdBack93, IdBack115, IdBack115Alt, IdBackAlt};

bool In(int l, std::initializer_list<int> list)
{
    for (int x : list)
        if (x == l) return true;
    return false;
}

}  // namespace

void CSetupDlg::CreateControls()
{
    for (int id : kTextIds) AddControl<CStaticText>(id);
    for (int id : kLinkIds) AddControl<CMyStatic>(id);
    for (int id : kButtonIds) AddControl<CMyButton>(id, WizardButtonFaces(id, g_nUiLanguage));
    for (int id : kPictureIds) AddControl<CPicture>(id);
    AddControl<CTransImage>(IdBusyAnimation);
    AddControl<CMyListCtrl>(IdNetworkList);
    AddControl<CMyComboBox>(IdLanguageCombo);
    GetDlgItem(IdNetworkList)->SetWindowTextW(LoadText(204));
    static_cast<CPicture*>(GetDlgItem(IdLicenceBox))->SetClickable(true);
    static_cast<CPicture*>(GetDlgItem(IdLicenceBoxTicked))->SetClickable(true);
    // Tab goes through the page in reading order, ending with the button row and help.
    const int kTabOrder[] = {IdLanguageCombo, IdLicenceBox, IdLicenceBoxTicked, IdLicenceLink, IdSortByName,
                             IdSortBySecurity, IdSortByStrength, IdRescan, IdNetworkList, IdWpsLink,
                             IdHiddenNetworkLink, IdLearnMoreLink, IdWpsConnect, IdPinLink,
                             IdViewDetailsLink, IdBack, IdBack93, IdBack115, IdBack115Alt, IdBackAlt, IdNext,
                             IdNext93, IdNext115, IdCancel, IdNeedHelpLink};
    QWidget::setTabOrder(Widget(), GetDlgItem(kTabOrder[0])->Widget());
    for (std::size_t i = 1; i < std::size(kTabOrder); ++i)
        QWidget::setTabOrder(GetDlgItem(kTabOrder[i - 1])->Widget(), GetDlgItem(kTabOrder[i])->Widget());
}

bool CSetupDlg::Rtl() const { return IsRtlLanguage(g_nUiLanguage); }

int CSetupDlg::Mirror(int x, int w) const { return Rtl() ? kClientWidth - x - w : x; }

void CSetupDlg::CreatePageFonts()
{
    int h = g_nUiLanguage == 1054 ? 17 : 15;
    struct Spec { int height; bool bold; bool underline; };
    const Spec specs[PageFontCount] = {{h + 9, true, false}, {h + 2, false, false}, {h + 1, false, false},
                                       {h + 1, true, false}, {h + 2, true, false},  {h + 5, true, false},
                                       {h, false, false},    {h + 1, false, true},  {h + 15, true, false}};
    for (int i = 0; i < PageFontCount; ++i) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(specs[i].height);
        f.setBold(specs[i].bold);
        f.setUnderline(specs[i].underline);
        m_fonts[i] = f;
    }
}

void CSetupDlg::LoadPagePictures()
{
    m_background = LoadPngResource(196);
    static const int kFrameIds[8] = {306, 307, 308, 309, 310, 311, 312, 304};
    for (int i = 0; i < 8; ++i) m_animationFrames[i] = LoadBitmapResource(kFrameIds[i]);
}

QSize CSetupDlg::MeasureText(const std::wstring& text, PageFont font) const
{
    QFontMetrics metrics(m_fonts[font]);
    return QSize(metrics.horizontalAdvance(ToQ(text)), metrics.height());
}

void CSetupDlg::MeasureTitleWidths()
{
    m_nWpsTitleOffset = MeasureText(LoadText(178), FontTitle).width() > 666 ? 24 : 0;
}

void CSetupDlg::PlaceNavigationButtons()
{
    // The image buttons whose pictures depend on the language (mirrored headers and
    // rescan button, Russian's long Connect button) take the new language's set.
    for (int id : {IdWpsConnect, IdRescan, IdSortByName, IdSortBySecurity, IdSortByStrength})
        static_cast<CMyButton*>(GetDlgItem(id))->ReplaceFaces(WizardButtonFaces(id, g_nUiLanguage));
    int l = g_nUiLanguage;
    if (Rtl()) {
        GetDlgItem(IdCancel)->MoveWindow(44, kButtonY, 70, kButtonH);
        for (int id : kNextIds) GetDlgItem(id)->MoveWindow(119, kButtonY, 70, kButtonH);
        for (int id : kBackIds) GetDlgItem(id)->MoveWindow(194, kButtonY, 70, kButtonH);
        return;
    }
    GetDlgItem(IdCancel)->MoveWindow(636, kButtonY, 70, kButtonH);
    GetDlgItem(IdNext)->MoveWindow(561, kButtonY, 70, kButtonH);
    GetDlgItem(IdNext93)->MoveWindow(538, kButtonY, 93, kButtonH);
    GetDlgItem(IdNext115)->MoveWindow(516, kButtonY, 115, kButtonH);
    // Back's usual place for the language; ShowBack moves it left of a wider Next.
    GetDlgItem(IdBack)->MoveWindow(In(l, {1035, 1043, 1057, 1034}) ? 463 : 486, kButtonY, 70, kButtonH);
    GetDlgItem(IdBackAlt)->MoveWindow(463, kButtonY, 70, kButtonH);
    GetDlgItem(IdBack93)->MoveWindow(463, kButtonY, 93, kButtonH);
    GetDlgItem(IdBack115)->MoveWindow(396, kButtonY, 115, kButtonH);
    GetDlgItem(IdBack115Alt)->MoveWindow(396, kButtonY, 115, kButtonH);
}

void CSetupDlg::ShowNext(UINT captionId, bool enabled, bool longWord)
{
    int l = g_nUiLanguage;
    int id = IdNext;
    if (!Rtl()) {
        if (longWord) {
            if (In(l, {1026, 1031, 1032, 1035, 1045, 1046, 1055, 2070})) id = IdNext115;
            else if (In(l, {1034, 1036, 1043, 1053, 1057})) id = IdNext93;
        } else if (In(l, {1035, 1043, 1057, 1034})) {
            id = IdNext93;
        }
    }
    for (int other : kNextIds) GetDlgItem(other)->ShowWindow(SW_HIDE);
    for (int each : kNextIds) {
        GetDlgItem(each)->SetWindowTextW(LoadText(captionId));
        GetDlgItem(each)->EnableWindow(enabled);
    }
    GetDlgItem(id)->ShowWindow(SW_SHOW);
}

void CSetupDlg::ShowBack(UINT captionId, bool enabled)
{
    // One Back at a time, left of the Next shown (pages show Next first): the language's
    // usual variant where that leaves the Next free, else the first variant, at its
    // place in the row, that is free of the Next and holds the caption.
    int l = g_nUiLanguage;
    std::wstring caption = LoadText(captionId);
    for (int each : kBackIds) {
        GetDlgItem(each)->ShowWindow(SW_HIDE);
        GetDlgItem(each)->SetWindowTextW(caption);
        GetDlgItem(each)->EnableWindow(enabled);
    }
    int id = (!Rtl() && l == 1036) ? IdBack93 : IdBack;
    if (!Rtl()) {
        int nextLeft = 561;
        for (int next : kNextIds)
            if (GetDlgItem(next)->IsWindowVisible()) nextLeft = GetDlgItem(next)->GetClientRectInParent().left();
        QFont font = ButtonCaptionFont(CaptionStyleFor(IdBack, l));
        int captionW = QFontMetrics(font).horizontalAdvance(Controls::StripMnemonics(ToQ(caption))) + 4;
        auto fits = [&](int each) {
            QRect r = GetDlgItem(each)->GetClientRectInParent();
            return r.right() + 5 < nextLeft && captionW <= r.width();
        };
        if (!fits(id))
            for (int each : {IdBackAlt, IdBack93, IdBack115})
                if (fits(each)) {
                    id = each;
                    break;
                }
    }
    GetDlgItem(id)->ShowWindow(SW_SHOW);
}

void CSetupDlg::ShowCancel(UINT captionId, bool enabled)
{
    CWnd* cancel = GetDlgItem(IdCancel);
    cancel->SetWindowTextW(LoadText(captionId));
    cancel->EnableWindow(enabled);
    cancel->ShowWindow(SW_SHOW);
}

void CSetupDlg::PlaceText(int id, UINT stringId, int x, int y, int w, int h, PageFont font)
{
    auto* text = static_cast<CStaticText*>(GetDlgItem(id));
    text->ModifyStyle(SS_CENTER, 0);  // only the busy pages centre their status line
    text->SetTextTop(0);
    text->SetFont(m_fonts[font]);
    text->SetTextColor(kTextColour);
    text->SetWindowTextW(LoadText(stringId));
    text->MoveWindow(Mirror(x, w), y, w, h);
    text->ShowWindow(SW_SHOW);
}

void CSetupDlg::PlaceLink(int id, UINT stringId, int x, int y, int h)
{
    // A link draws in its own font and colour; it is sized to its measured text.
    CWnd* link = GetDlgItem(id);
    std::wstring text = LoadText(stringId);
    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setPixelSize(LinkStyleFor(id, g_nUiLanguage, false).pixelHeight);
    int w = QFontMetrics(linkFont).horizontalAdvance(ToQ(text)) + 4;
    // Marks above or below the line (Thai, Arabic) get room on both sides, so that the
    // centred line stays where it is.
    QRectF ink = Controls::SingleLineTextInk(QRect(Mirror(x, w), y, w, h), ToQ(text), linkFont,
                                             Rtl() ? Qt::AlignRight : Qt::AlignHCenter, Rtl()).bounds;
    int grow = std::max({0, static_cast<int>(std::ceil(y - ink.top())), static_cast<int>(std::ceil(ink.bottom() - (y + h)))});
    link->SetWindowTextW(text);
    link->MoveWindow(Mirror(x, w), y - grow, w, h + 2 * grow);
    link->ShowWindow(SW_SHOW);
}

void CSetupDlg::PlacePicture(int id, int resourceId, int x, int y, bool bitmap)
{
    auto* picture = static_cast<CPicture*>(GetDlgItem(id));
    QImage image = bitmap ? LoadBitmapResource(resourceId) : LoadPngResource(resourceId);
    picture->SetImage(image, resourceId);
    QSize size = image.isNull() ? QSize(16, 16) : image.size();
    // The adapter pictures stand at the left edge of the body in right-to-left pages,
    // whatever their width.
    int left = Mirror(x, size.width());
    if (Rtl() && (id == 1100 || id == 1101 || id == 1106)) left = 42;
    picture->MoveWindow(left, y, size.width(), size.height());
    picture->ShowWindow(SW_SHOW);
}

int CSetupDlg::TextHeight(const std::wstring& text, int w, PageFont font) const
{
    // Whole lines, with the ink of tall marks and descenders.
    QRect room(0, 0, w, 1000);
    QFontMetrics metrics(m_fonts[font]);
    Framework::TextInk ink = Framework::DrawnTextInk(room, ToQ(text), m_fonts[font], Qt::AlignLeft | Qt::AlignTop,
                                                     Rtl());
    int lines = static_cast<int>(std::ceil(ink.bounds.bottom())) + 1;
    return std::max(lines, metrics.height() + 2);
}

int CSetupDlg::FlowText(int id, UINT stringId, int x, int y, int w, PageFont font)
{
    int h = TextHeight(LoadText(stringId), w, font);
    PlaceText(id, stringId, x, y, w, h, font);
    return y + h;
}

int CSetupDlg::PlaceInlineWord(int sentenceCtl, const std::wstring& sentence, const std::wstring& lead, int wordCtl,
                               UINT wordId, PageFont wordFont, int periodCtl)
{
    // The sentence leaves a gap of blanks where the bold word goes (a sentence without
    // one ends where the word begins). The gap is made exactly as wide as the word, of
    // no-break blanks so that it never breaks over two lines (an ordinary blank after
    // it when a word follows, where the line may break), then the word is placed
    // where the gap falls in the sentence as its control draws it.
    auto* text = static_cast<CStaticText*>(GetDlgItem(sentenceCtl));
    const QFont sentenceFont = text->GetFont();
    const QFontMetricsF metrics(sentenceFont);
    std::wstring word = LoadText(wordId);
    const qreal wordW = QFontMetricsF(m_fonts[wordFont]).horizontalAdvance(ToQ(word));
    // The caption stays the sentence; what is drawn has its gaps fitted, one word after
    // the other (a sentence may have two).
    const std::wstring caption = sentence;
    const std::wstring base = text->GetWindowTextW() == caption ? text->ShownText() : caption;
    // The gap follows the leading part where the sentence begins with it (a sentence
    // may have two gaps); else it is the sentence's first run of blanks.
    std::size_t gap = std::wstring::npos;
    std::size_t leadEnd = lead.find_last_not_of(L' ');
    if (leadEnd != std::wstring::npos && leadEnd + 1 < base.size() &&
        base.compare(0, leadEnd + 1, lead, 0, leadEnd + 1) == 0 && base[leadEnd + 1] == L' ')
        gap = leadEnd + 1;
    if (gap == std::wstring::npos) gap = base.find(L"  ");
    std::size_t after = gap;
    std::wstring head = base;
    std::wstring tail;
    if (gap == std::wstring::npos) {
        head = base;
        while (!head.empty() && head.back() == L' ') head.pop_back();
        head += L' ';
    } else {
        while (after < base.size() && base[after] == L' ') ++after;
        head = base.substr(0, gap) + L' ';
        tail = base.substr(after);
    }
    const bool wordFollows = !tail.empty() && !QStringLiteral(".,;:!?\u060C\u061B\u061F)").contains(QChar(tail[0]));
    qreal need = wordW;
    if (periodCtl) need += metrics.horizontalAdvance(QLatin1Char('.'));
    // Whole no-break blanks, then narrow ones for the rest.
    const qreal blank = metrics.horizontalAdvance(QChar(0x00A0));
    const qreal narrow = std::max(1.0, metrics.horizontalAdvance(QChar(0x202F)));
    const int blanks = static_cast<int>(std::floor(need / blank));
    int narrows = static_cast<int>(std::ceil((need - blanks * blank) / narrow));
    if (wordFollows && narrows > 0) {
        // Before the next word the gap may also fall short of the word, by less than the
        // ordinary blank after it (2 pixels of it stay clear): whichever filling comes
        // nearer the word's width, so that the word does not stand a blank and a half
        // from the next one.
        const qreal space = metrics.horizontalAdvance(QLatin1Char(' '));
        const qreal under = need - (blanks * blank + (narrows - 1) * narrow);
        const qreal over = blanks * blank + narrows * narrow - need;
        if (under <= space - 2 && under < over) --narrows;
    }
    std::wstring shown = head + std::wstring(static_cast<std::size_t>(blanks), L'\u00A0') +
                         std::wstring(static_cast<std::size_t>(narrows), L'\u202F') + (wordFollows ? L" " : L"") + tail;
    if (text->GetWindowTextW() != caption) text->SetWindowTextW(caption);
    text->SetShownText(shown);
    bool rtl = (text->GetExStyle() & WS_EX_RTLREADING) != 0;
    // The gap can move a word to another line: the sentence takes the lines it needs.
    QRect place = text->GetClientRectInParent();
    const int room = text->Headroom();
    QRectF inked = Framework::DrawnTextInk(text->TextRect(), ToQ(shown), sentenceFont,
                                           static_cast<Qt::Alignment>(text->Alignment()), rtl, QTextOption::WordWrap,
                                           room).bounds;
    int bottom = std::max(place.bottom() + 1, static_cast<int>(std::ceil(inked.bottom())) + 1);
    text->MoveWindow(place.x(), place.y(), place.width(), bottom - place.y());
    QPointF at = Framework::TextPositionOf(text->TextRect(), ToQ(shown), sentenceFont,
                                           static_cast<Qt::Alignment>(text->Alignment()), rtl,
                                           static_cast<int>(head.size()), QTextOption::WordWrap, room);
    int w = static_cast<int>(std::ceil(wordW)) + 2;
    int x = static_cast<int>(std::lround(at.x())) - (rtl ? w - 1 : 1);
    if (!wordFollows && !tail.empty() && !rtl) {
        // Punctuation follows: the word closes up to it; what the blanks leave over
        // goes before the word. (Not in right-to-left text, where the caret position of
        // the punctuation after the no-break blanks lies a blank off; there the word
        // starts the gap and the few pixels left over stay before the punctuation.)
        QPointF end = Framework::TextPositionOf(text->TextRect(), ToQ(shown), sentenceFont,
                                                static_cast<Qt::Alignment>(text->Alignment()), rtl,
                                                static_cast<int>(shown.size() - tail.size()), QTextOption::WordWrap,
                                                room);
        if (std::abs(end.y() - at.y()) < 1) x = static_cast<int>(std::lround(end.x())) + (rtl ? 1 : 1 - w);
    }
    int y = static_cast<int>(at.y());
    auto* wordText = static_cast<CStaticText*>(GetDlgItem(wordCtl));
    wordText->ModifyStyle(SS_CENTER, 0);
    wordText->SetFont(m_fonts[wordFont]);
    wordText->SetTextColor(kTextColour);
    wordText->SetWindowTextW(word);
    // Room above the word for marks that rise above its line, its text on the line.
    constexpr int kMarkRoom = 4;
    wordText->MoveWindow(x, y - kMarkRoom, w, MeasureText(word, wordFont).height() + 6 + kMarkRoom);
    wordText->SetTextTop(kMarkRoom);
    wordText->ShowWindow(SW_SHOW);
    if (periodCtl) {
        int pw = static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('.')))) + 2;
        auto* period = static_cast<CStaticText*>(GetDlgItem(periodCtl));
        period->ModifyStyle(SS_CENTER, 0);
        period->SetFont(sentenceFont);
        period->SetTextColor(kTextColour);
        period->SetWindowTextW(L".");
        period->MoveWindow(rtl ? x - pw + 1 : x + w - 1, y - kMarkRoom, pw, MeasureText(L".", FontBody).height() + 4 + kMarkRoom);
        period->SetTextTop(kMarkRoom);
        period->ShowWindow(SW_SHOW);
    }
    return bottom;
}

void CSetupDlg::ShowTitle(UINT titleId, UINT subtitleId)
{
    // A title too wide for one line takes two, starting 24 pixels higher, and the page
    // moves down by as much (the WPS title's offset is measured at start; every other
    // title is measured here).
    std::wstring title = LoadText(titleId);
    int dy = titleId == 178 ? m_nWpsTitleOffset : (MeasureText(title, FontTitle).width() > 666 ? 24 : 0);
    int titleH = std::max(30 + dy, TextHeight(title, 666, FontTitle));
    PlaceText(IdTitle, titleId, 42, 85 - dy, 666, titleH, FontTitle);
    // The subtitle's text keeps clear of the title's descenders (accented capitals
    // under them); a subtitle that takes two lines keeps both, and the page's body then
    // starts under it.
    auto* titleText = static_cast<CStaticText*>(GetDlgItem(IdTitle));
    QRectF titleInk = Framework::DrawnTextInk(titleText->TextRect(), ToQ(title), m_fonts[FontTitle],
                                              static_cast<Qt::Alignment>(titleText->Alignment()), Rtl(),
                                              QTextOption::WordWrap, titleText->Headroom()).bounds;
    std::wstring subtitle = LoadText(subtitleId);
    QRect subtitleRect(42, 109 + dy, 666, 200);
    QRectF subtitleInk = Framework::DrawnTextInk(subtitleRect, ToQ(subtitle), m_fonts[FontSubtitle],
                                                 Qt::AlignLeft | Qt::AlignTop, Rtl()).bounds;
    int lower = subtitleInk.isEmpty() ? 0
                                      : std::max(0, static_cast<int>(std::ceil(titleInk.bottom() + 1 - subtitleInk.top())));
    int h = std::max(34, TextHeight(subtitle, 666, FontSubtitle) + lower);
    PlaceText(IdSubtitle, subtitleId, 42, 109 + dy, 666, h, FontSubtitle);
    static_cast<CStaticText*>(GetDlgItem(IdSubtitle))->SetTextTop(lower, false);
    m_nBodyTop = 109 + dy + h + 4;
}

void CSetupDlg::ShowLogoAndHelp()
{
    // The logo tile sits in the blue header band, at the top right for right-to-left.
    if (Rtl()) PlacePicture(1111, 313, 12, 6);
    else PlacePicture(1125, 313, 12, 6);
    PlaceLink(IdNeedHelpLink, 263, 44, 443);
}

void CSetupDlg::HideAllPageControls()
{
    for (CWnd* control : Controls()) control->ShowWindow(SW_HIDE);
    static_cast<CPicture*>(GetDlgItem(IdBusyAnimation))->ClearImage();
    static_cast<CMyListCtrl*>(GetDlgItem(IdNetworkList))->DeleteAllItems();
}

void CSetupDlg::ApplyRtlStyles()
{
    for (int id : kRtlTextIds) {
        GetDlgItem(id)->ModifyStyle(0, SS_RIGHT);
        GetDlgItem(id)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    }
    GetDlgItem(IdBody1)->ModifyStyle(0, SS_RIGHT | 0x100);
    GetDlgItem(IdBody1)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    for (int id : std::initializer_list<int>{IdRefreshLabel, IdStatus2, IdStatus3, IdStatus4, IdStatus, IdNeedHelpLink, IdWpsLink,
                   IdHiddenNetworkLink, IdPinLink, IdLearnMoreLink, IdViewDetailsLink, IdCancel, IdNext,
                   IdNext93, IdNext115,
                   IdBack, IdBack93, IdBack115, IdBack115Alt, IdBackAlt, IdLanguageCombo})
        GetDlgItem(id)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    Widget()->setLayoutDirection(Qt::RightToLeft);
}

void CSetupDlg::RemoveRtlStyles()
{
    for (int id : kRtlTextIds) {
        GetDlgItem(id)->ModifyStyle(SS_RIGHT, 0);
        GetDlgItem(id)->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    }
    GetDlgItem(IdBody1)->ModifyStyle(SS_RIGHT, 0);
    GetDlgItem(IdBody1)->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    for (int id : std::initializer_list<int>{IdRefreshLabel, IdStatus2, IdStatus3, IdStatus4, IdStatus, IdNeedHelpLink, IdWpsLink,
                   IdHiddenNetworkLink, IdPinLink, IdLearnMoreLink, IdViewDetailsLink, IdCancel, IdNext,
                   IdNext93, IdNext115,
                   IdBack, IdBack93, IdBack115, IdBack115Alt, IdBackAlt, IdLanguageCombo})
        GetDlgItem(id)->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    Widget()->setLayoutDirection(Qt::LeftToRight);
}

void CSetupDlg::FillLanguageCombo()
{
    auto* combo = static_cast<CMyComboBox*>(GetDlgItem(IdLanguageCombo));
    combo->ResetContent();
    bool rtl = Rtl();
    bool xpEnglishSystem = g_bOsXp && Os().system->GetSystemDefaultLangID() == 1033;
    const auto& langs = UiLanguages();
    for (std::size_t i = 0; i < langs.size(); ++i) {
        std::wstring name = LoadText(langs[i].nameTable, langs[i].nameId);
        if (rtl && !xpEnglishSystem) {
            if (i == 6) name = LoadText(1025, 10007);
            else if (i == 7) name = LoadText(1025, 301);
            else if (i == 13) name = LoadText(1025, 430);
        }
        combo->AddString(name, langs[i].langid);
    }
}

// ---- Page functions ---------------------------------------------------------------------

void CSetupDlg::DrawWelcomePage()
{
    ShowLogoAndHelp();
    ShowTitle(165, 169);
    // The bold "Next" after the subtitle and its blank, then a period.
    std::wstring subtitle = LoadText(169) + L" ";
    PlaceInlineWord(IdSubtitle, subtitle, Rtl() ? subtitle : LoadText(298), 1181, 10006, FontInlineNext, 1176);
    PlacePicture(1109, 247, 470, 150);
    // IdLicenceBoxTicked shows the empty box (a click ticks it), IdLicenceBox the ticked one.
    PlacePicture(IdLicenceBoxTicked, 321, 42, 300);
    PlacePicture(IdLicenceBox, 320, 42, 300);
    GetDlgItem(m_bLicenceAccepted ? IdLicenceBoxTicked : IdLicenceBox)->ShowWindow(SW_HIDE);
    // Screen readers hear the check box as the sentence beside it.
    for (int id : std::initializer_list<int>{IdLicenceBox, IdLicenceBoxTicked}) {
        GetDlgItem(id)->Widget()->setAccessibleName(ToQ(LoadText(170) + L" " + LoadText(171)));
        GetDlgItem(id)->Widget()->setAccessibleDescription(ToQ(LoadText(id == IdLicenceBox ? 244 : 245)));
    }
    PlaceText(IdBody2, 170, 70, 300, 400, 22, FontBody);
    // The licence link follows the sentence, or starts the next line when it would run
    // into the picture.
    int textW = MeasureText(LoadText(170), FontBody).width();
    int linkW = MeasureText(LoadText(171), FontBody).width();
    bool sameLine = 70 + textW + 4 + linkW <= 460;
    PlaceLink(IdLicenceLink, 171, sameLine ? 70 + textW + 4 : 70, sameLine ? 300 : 322);
    CWnd* combo = GetDlgItem(IdLanguageCombo);
    combo->MoveWindow(Mirror(42, 132), 380, 132, 30);
    combo->ShowWindow(SW_SHOW);
    ShowNext(172, m_bLicenceAccepted != 0, false);
    ShowCancel(174, true);
}

void CSetupDlg::DrawBusyPage(UINT statusId)
{
    // The logo, the spinner centred in the window and the status line centred under it;
    // these pages have no right-to-left twin.
    PlacePicture(1125, 313, 12, 6);
    CWnd* busy = GetDlgItem(IdBusyAnimation);
    busy->MoveWindow((kClientWidth - 34) / 2, 200, 34, 34);
    busy->ShowWindow(SW_SHOW);
    PlaceText(IdStatus, statusId, 175, 244, 400, std::max(24, TextHeight(LoadText(statusId), 400, FontBody)), FontBody);
    GetDlgItem(IdStatus)->ModifyStyle(0, SS_CENTER);
    // Help is on every page. The button row is mirrored for right-to-left languages
    // (Cancel at the left), so there the link takes the right-hand end, clear of it.
    PlaceLink(IdNeedHelpLink, 263, 44, 443);
}

void CSetupDlg::DrawInstallDriverPage()
{
    DrawBusyPage(177);
    ShowNext(172, false, false);
    ShowBack(173, false);
    ShowCancel(174, false);
    GetDlgItem(IdCancel)->SetFocus();
}

void CSetupDlg::DrawInsertAdapterPage()
{
    ShowLogoAndHelp();
    ShowTitle(175, 176);
    PlacePicture(1100, g_bSiblingModel ? 246 : 440, 323, 158);
    CWnd* busy = GetDlgItem(IdBusyAnimation);
    busy->MoveWindow(Mirror(178, 34), 275, 34, 34);
    busy->ShowWindow(SW_SHOW);
    FlowText(IdStatus, 223, 42, 320, 300, FontBody);
    FlowText(IdStatus2, 203, 42, 320, 300, FontBody);
    GetDlgItem(IdStatus2)->ShowWindow(SW_HIDE);
    ShowNext(172, false, false);
    ShowCancel(174, true);
    GetDlgItem(IdCancel)->SetFocus();
}

void CSetupDlg::DrawWpsPushButtonPage()
{
    int dy = m_nWpsTitleOffset;
    ShowLogoAndHelp();
    ShowTitle(178, 179);
    // The steps follow each other down the left half, each as tall as its text.
    int y = std::max(150 + dy, m_nBodyTop);
    PlacePicture(1145, 316, 42, y);
    y = FlowText(IdBody1, 180, 77, y, 370, FontBody);
    PlaceLink(IdLearnMoreLink, 194, 77, y + 2);
    y += 2 + 20 + 10;
    PlacePicture(1146, 317, 42, y);
    FlowText(IdBody2, 181, 77, y, 370, FontBody);
    y = PlaceInlineWord(IdBody2, LoadText(181), LoadText(202), 1132, 217, FontBodyBold);
    PlacePicture(1099, 262, 463, 208);
    CWnd* connect = GetDlgItem(IdWpsConnect);
    connect->SetWindowTextW(LoadText(217));
    int connectW = g_nUiLanguage == 1049 ? 100 : 80;
    connect->MoveWindow(Mirror(77, connectW), std::max(310 + dy, y + 6), connectW, 23);
    connect->ShowWindow(SW_SHOW);
    PlacePicture(1148, 318, 42, 378 + dy);
    PlaceLink(IdPinLink, 250, 62, 375 + dy);
    ShowNext(172, false, false);
    ShowBack(173, true);
    ShowCancel(174, true);
}

void CSetupDlg::DrawNetworkListPage()
{
    ShowLogoAndHelp();
    ShowTitle(195, 196);
    struct Header { int id; UINT text; int x; int w; };
    for (Header h : {Header{IdSortByName, 204, 44, 223}, Header{IdSortBySecurity, 205, 267, 102},
                     Header{IdSortByStrength, 206, 369, 72}}) {
        CWnd* b = GetDlgItem(h.id);
        b->SetWindowTextW(LoadText(h.text));
        b->MoveWindow(Mirror(h.x, h.w), 143, h.w, 35);
        b->ShowWindow(SW_SHOW);
    }
    auto* list = static_cast<CMyListCtrl*>(GetDlgItem(IdNetworkList));
    CreateSignalImageList();
    list->MoveWindow(Mirror(44, 439), 177, 439, 153);
    list->ShowWindow(SW_SHOW);
    auto* rescan = static_cast<CMyButton*>(GetDlgItem(IdRescan));
    rescan->MoveWindow(Mirror(441, 44), 143, 44, 35);
    rescan->SetHoverText(LoadText(238));
    rescan->ShowWindow(SW_SHOW);
    // The "Refresh" bubble, shown while the mouse rests on the rescan button.
    GetDlgItem(IdRefreshBubble)->SetWindowTextW(LoadText(238));
    GetDlgItem(IdRefreshBubble)->MoveWindow(Mirror(441 + 44 + 4, 81), 149, 81, 24);
    // The rules under and beside the list.
    PlacePicture(1105, 301, 44, 330);
    PlacePicture(1107, 326, 483, 177);
    PlacePicture(1158, 318, 44, 348);
    PlaceLink(IdWpsLink, 235, 64, 345);
    PlaceLink(IdHiddenNetworkLink, 237, 64, 372);
    ShowNext(172, false, false);
    ShowBack(173, false);
    ShowCancel(174, true);
    GetDlgItem(IdCancel)->SetFocus();
    // The page's own work: the service runs, the connected network is known, the rows
    // come from the records.
    StartZeroConfig();
    WLANGetCurrentSSID();
    g_nLinkChecks = 20;
    list->SetRedraw(false);
    FillNetworkList();
    list->SetRedraw(true);
}

void CSetupDlg::DrawWpsPinPage()
{
    ShowLogoAndHelp();
    ShowTitle(251, 179);
    int y = std::max(150, m_nBodyTop);
    PlacePicture(1149, 316, 42, y);
    y = FlowText(IdBody1, 253, 77, y, 370, FontBody) + 6;
    PlacePicture(1150, 317, 42, y);
    y = FlowText(IdBody2, 254, 77, y, 370, FontBody) + 2;
    // A fresh PIN each time the page is drawn, shown in its box under step 2.
    GenerateWPSPIN();
    PlacePicture(IdPinBox, Rtl() ? 365 : 319, 77, y);
    ShowWpsPinInBox();
    y += GetDlgItem(IdPinBox)->GetClientRectInParent().height() + 8;
    PlacePicture(1147, 315, 42, y);
    FlowText(IdBody3, 257, 77, y, 370, FontBody);
    PlaceInlineWord(IdBody3, LoadText(257), LoadText(246), 1130, 261, FontBodyBold);
    CWnd* busy = GetDlgItem(IdBusyAnimation);
    busy->MoveWindow(Mirror(230, 34), 350, 34, 34);
    busy->ShowWindow(SW_SHOW);
    PlaceText(IdStatus, 258, 272, 358, 300, 24, FontBody);
    // Prepared hidden: the registering line and the two lines of the failure view.
    PlaceText(IdStatus2, 259, 272, 358, 300, 24, FontBody);
    PlaceText(IdStatus3, 260, 272, 350, 185, 40, FontBody);
    PlaceText(IdStatus4, 285, 272, 390, 185, 24, FontBody);
    for (int id : {IdStatus2, IdStatus3, IdStatus4}) GetDlgItem(id)->ShowWindow(SW_HIDE);
    PlacePicture(1099, 262, 463, 208);
    ShowNext(261, true, true);
    ShowBack(173, true);
    ShowCancel(174, true);
}

void CSetupDlg::DrawConnectingPage()
{
    DrawBusyPage(183);
    ShowCancel(174, true);
}

void CSetupDlg::DrawConnectFailedPage()
{
    ShowLogoAndHelp();
    ShowTitle(218, 219);
    int y = std::max(150, m_nBodyTop);
    y = FlowText(IdBody1, 210, 42, y, 600, FontBody) + 6;
    PlacePicture(1159, 314, 42, y + 7);
    y = FlowText(IdBody2, 220, 57, y, 600, FontBody) + 6;
    PlacePicture(1160, 314, 42, y + 7);
    FlowText(IdBody3, 222, 57, y, 600, FontBody);
    y = PlaceInlineWord(IdBody3, LoadText(222), LoadText(282), 1129, 215, FontBodyBold);
    PlaceLink(IdViewDetailsLink, 286, 42, y + 8);
    ShowNext(215, true, true);
    ShowCancel(174, true);
    // The focus rests on the button row, not on the link (which would show it lit).
    GetDlgItem(IdCancel)->SetFocus();
}

void CSetupDlg::DrawSuccessPage(bool internet)
{
    ShowLogoAndHelp();
    ShowTitle(187, internet ? 188 : 189);
    if (internet) {
        PlacePicture(1106, g_bSiblingModel ? 248 : 438, 323, 158);
    } else {
        // The second bullet keeps to 460 pixels; a longer one takes more lines and the
        // third bullet follows it down.
        int y = std::max(150, m_nBodyTop);
        y = FlowText(IdBody1, 241, 42, y, 600, FontBody) + 6;
        PlacePicture(1139, 314, 42, y + 7);
        y = FlowText(1135, 242, 57, y, 600, FontBody) + 6;
        PlacePicture(1140, 314, 42, y + 7);
        y = FlowText(1136, 243, 57, y, 460, FontBody) + 6;
        PlacePicture(1141, 314, 42, y + 7);
        FlowText(1137, 256, 57, y, 600, FontBody);
    }
    ShowCancel(214, true);
}

void CSetupDlg::DrawDriverFailedPage()
{
    ShowLogoAndHelp();
    ShowTitle(208, 209);
    int y = std::max(150, m_nBodyTop);
    y = FlowText(IdBody1, 210, 42, y, 600, FontBody) + 6;
    y = FlowText(IdBody2, 211, 42, y, 600, FontBody) + 1;
    y = FlowText(IdBody3, 212, 42, y, 600, FontBody) + 1;
    y = FlowText(IdBody5, 213, 42, y, 600, FontBody);
    PlaceLink(IdViewDetailsLink, 286, 42, y + 16);
    ShowCancel(214, true);
    GetDlgItem(IdCancel)->SetFocus();
}

void CSetupDlg::DrawAdapterNotFoundPage()
{
    // The bullets keep to the left of the picture (x 443).
    ShowLogoAndHelp();
    ShowTitle(224, 225);
    int y = std::max(150, m_nBodyTop);
    y = FlowText(IdBody1, 210, 42, y, 390, FontBody) + 6;
    PlacePicture(1159, 314, 42, y + 7);
    FlowText(IdBody2, 226, 57, y, 375, FontBody);
    y = PlaceInlineWord(IdBody2, LoadText(226), LoadText(279), 1129, 215, FontBodyBold);  // the text has its period
    y += 6;
    PlacePicture(1160, 314, 42, y + 7);
    FlowText(IdBody3, 227, 57, y, 375, FontBody);
    y = PlaceInlineWord(IdBody3, LoadText(227), LoadText(280), 1130, 215, FontBodyBold);
    y += 6;
    PlacePicture(1142, 314, 42, y + 7);
    y = FlowText(IdBody5, 228, 57, y, 375, FontBody);
    PlacePicture(1101, g_bSiblingModel ? 273 : 439, 443, 158);
    PlaceLink(IdViewDetailsLink, 286, 42, y + 10);
    ShowNext(215, true, true);
    ShowCancel(174, true);
}

void CSetupDlg::DrawUpdateRequiredPage(bool vista)
{
    ShowLogoAndHelp();
    ShowTitle(vista ? 265 : 264, vista ? 270 : 266);
    int y = std::max(160, m_nBodyTop + 6);
    y = FlowText(IdBody1, 267, 42, y, 600, FontBody) + 6;
    y = FlowText(IdBody5, vista ? 276 : 277, 42, y, 600, FontBody);
    PlaceLink(IdLicenceLink, 268, 42, y);
    y += 20 + 10;
    if (vista) y = FlowText(IdBody6, 275, 42, y, 600, FontBody) + 16;
    PlaceLink(IdViewDetailsLink, 286, 42, y);
    ShowCancel(269, true);
}

void CSetupDlg::DrawAdminRequiredPage()
{
    ShowLogoAndHelp();
    ShowTitle(271, 272);
    int y = std::max(160, m_nBodyTop + 6);
    y = FlowText(IdBody1, 10008, 42, y, 600, FontBody) + 4;
    y = FlowText(IdBody5, 10002, 42, y, 600, FontBody);
    y = FlowText(IdBody3, 10003, 42, y, 600, FontBody);
    y = FlowText(IdBody7, 10004, 42, y, 600, FontBody) + 8;
    y = FlowText(IdBody6, 10005, 42, y, 600, FontBody);
    PlaceLink(IdViewDetailsLink, 286, 42, y + 12);
    for (int id : kNextIds) GetDlgItem(id)->SetWindowTextW(LoadText(215));
    ShowCancel(269, true);
}
