// The wizard's pages: the controls of template 195, fonts, pictures, the button row and
// one page function per state. Every page starts from all controls hidden and shows
// exactly what it sets; right-to-left languages get the mirrored twin of each page.
#include <QFontMetrics>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyListCtrl.h"
#include "controls/MyStatic.h"
#include "controls/Pictures.h"
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

const int kTextIds[] = {1060, 1061, 1063, 1065, 1086, 1097, 1183, 1184, 1185, 1071, 1152, 1153, 1161, 1119,
                        1129, 1130, 1131, 1132, 1133, 1181, 1176, 1177, 1180, 1135, 1136, 1137, 1138};
const int kLinkIds[] = {1117, 1118, 1127, 1128, 1134, 1154, 1182};
const int kButtonIds[] = {1067, 1073, 1074, 1068, 1077, 1075, 1072, 1078, 1069, 1103, 1098, 1102, 1120, 1121, 1122};
const int kPictureIds[] = {1105, 1107, 1108, 1099, 1100, 1101, 1106, 1109, 1110, 1125, 1111, 1139, 1140, 1141,
                           1142, 1143, 1144, 1159, 1160, 1145, 1146, 1147, 1148, 1149, 1150, 1151, 1158,
                           1162, 1163};
const int kNextIds[] = {1067, 1073, 1074};
const int kBackIds[] = {1068, 1077, 1075, 1072, 1078};

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
    AddControl<CTransImage>(1070);
    AddControl<CMyListCtrl>(1015);
    AddControl<CMyComboBox>(1179);
    GetDlgItem(1015)->SetWindowTextW(LoadText(204));
    static_cast<CPicture*>(GetDlgItem(1162))->SetClickable(true);
    static_cast<CPicture*>(GetDlgItem(1163))->SetClickable(true);
    // Tab goes through the page in reading order, ending with the button row and help.
    const int kTabOrder[] = {1179, 1162, 1163, 1182, 1120, 1121, 1122, 1098, 1015, 1117, 1118, 1128, 1103, 1127,
                             1134, 1068, 1077, 1075, 1072, 1078, 1067, 1073, 1074, 1069, 1154};
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
    m_nNoInternetOffset = MeasureText(LoadText(243), FontBody).width() > 460 ? 20 : 0;
}

void CSetupDlg::PlaceNavigationButtons()
{
    int l = g_nUiLanguage;
    if (Rtl()) {
        GetDlgItem(1069)->MoveWindow(44, kButtonY, 70, kButtonH);
        for (int id : kNextIds) GetDlgItem(id)->MoveWindow(119, kButtonY, 70, kButtonH);
        for (int id : kBackIds) GetDlgItem(id)->MoveWindow(194, kButtonY, 70, kButtonH);
        return;
    }
    GetDlgItem(1069)->MoveWindow(636, kButtonY, 70, kButtonH);
    GetDlgItem(1067)->MoveWindow(561, kButtonY, 70, kButtonH);
    GetDlgItem(1073)->MoveWindow(538, kButtonY, 93, kButtonH);
    GetDlgItem(1074)->MoveWindow(516, kButtonY, 115, kButtonH);
    bool wideBack = In(l, {1035, 1043, 1057, 1034, 1036});
    GetDlgItem(1068)->MoveWindow(486, kButtonY, 70, kButtonH);
    GetDlgItem(1078)->MoveWindow(486, kButtonY, 70, kButtonH);
    GetDlgItem(1077)->MoveWindow(463, kButtonY, 93, kButtonH);
    GetDlgItem(1075)->MoveWindow(396, kButtonY, 115, kButtonH);
    GetDlgItem(1072)->MoveWindow(396, kButtonY, 115, kButtonH);
    (void)wideBack;
}

void CSetupDlg::ShowNext(UINT captionId, bool enabled, bool longWord)
{
    int l = g_nUiLanguage;
    int id = 1067;
    if (!Rtl()) {
        if (longWord) {
            if (In(l, {1026, 1031, 1032, 1035, 1045, 1046, 1055, 2070})) id = 1074;
            else if (In(l, {1034, 1036, 1043, 1053, 1057})) id = 1073;
        } else if (In(l, {1035, 1043, 1057, 1034})) {
            id = 1073;
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
    int l = g_nUiLanguage;
    int id = (!Rtl() && In(l, {1035, 1043, 1057, 1034, 1036})) ? 1077 : 1068;
    for (int each : kBackIds) {
        GetDlgItem(each)->SetWindowTextW(LoadText(captionId));
        GetDlgItem(each)->EnableWindow(enabled);
    }
    GetDlgItem(id)->ShowWindow(SW_SHOW);
}

void CSetupDlg::ShowCancel(UINT captionId, bool enabled)
{
    CWnd* cancel = GetDlgItem(1069);
    cancel->SetWindowTextW(LoadText(captionId));
    cancel->EnableWindow(enabled);
    cancel->ShowWindow(SW_SHOW);
}

void CSetupDlg::PlaceText(int id, UINT stringId, int x, int y, int w, int h, PageFont font)
{
    auto* text = static_cast<CStaticText*>(GetDlgItem(id));
    text->ModifyStyle(SS_CENTER, 0);  // only the busy pages centre their status line
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
    link->SetWindowTextW(text);
    link->MoveWindow(Mirror(x, w), y, w, h);
    link->ShowWindow(SW_SHOW);
}

void CSetupDlg::PlacePicture(int id, int resourceId, int x, int y, bool bitmap)
{
    auto* picture = static_cast<CPicture*>(GetDlgItem(id));
    QImage image = bitmap ? LoadBitmapResource(resourceId) : LoadPngResource(resourceId);
    picture->SetImage(image, resourceId);
    QSize size = image.isNull() ? QSize(16, 16) : image.size();
    picture->MoveWindow(Mirror(x, size.width()), y, size.width(), size.height());
    picture->ShowWindow(SW_SHOW);
}

void CSetupDlg::PlaceInlineWord(int sentenceCtl, const std::wstring& sentence, const std::wstring& lead, int wordCtl,
                                UINT wordId, PageFont wordFont, int periodCtl)
{
    // The bold word goes where the sentence's gap begins, found by laying the sentence
    // out exactly as its control draws it (the gap may sit on a wrapped line).
    auto* text = static_cast<CStaticText*>(GetDlgItem(sentenceCtl));
    bool rtl = (text->GetExStyle() & WS_EX_RTLREADING) != 0;
    QPointF at = Framework::TextPositionOf(text->GetClientRectInParent(), ToQ(sentence), text->GetFont(),
                                           static_cast<Qt::Alignment>(text->Alignment()), rtl,
                                           static_cast<int>(ToQ(lead).length()));
    std::wstring word = LoadText(wordId);
    int w = MeasureText(word, wordFont).width() + 2;
    int x = static_cast<int>(at.x()) - (rtl ? w : 0);
    int y = static_cast<int>(at.y());
    auto* wordText = static_cast<CStaticText*>(GetDlgItem(wordCtl));
    wordText->ModifyStyle(SS_CENTER, 0);
    wordText->SetFont(m_fonts[wordFont]);
    wordText->SetTextColor(kTextColour);
    wordText->SetWindowTextW(word);
    wordText->MoveWindow(x, y, w, MeasureText(word, wordFont).height() + 4);
    wordText->ShowWindow(SW_SHOW);
    if (periodCtl) {
        int pw = MeasureText(L".", FontBody).width() + 1;
        auto* period = static_cast<CStaticText*>(GetDlgItem(periodCtl));
        period->SetFont(text->GetFont());
        period->SetTextColor(kTextColour);
        period->SetWindowTextW(L".");
        period->MoveWindow(rtl ? x - pw : x + w, y, pw, 24);
        period->ShowWindow(SW_SHOW);
    }
}

void CSetupDlg::ShowTitle(UINT titleId, UINT subtitleId)
{
    PlaceText(1060, titleId, 42, 85 - (titleId == 178 ? m_nWpsTitleOffset : 0), 666, 30 + (titleId == 178 ? m_nWpsTitleOffset : 0), FontTitle);
    PlaceText(1061, subtitleId, 42, 109 + (titleId == 178 ? m_nWpsTitleOffset : 0), 666, 34, FontSubtitle);
}

void CSetupDlg::ShowLogoAndHelp()
{
    // The logo tile sits in the blue header band, at the top right for right-to-left.
    if (Rtl()) PlacePicture(1111, 313, 12, 6);
    else PlacePicture(1125, 313, 12, 6);
    PlaceLink(1154, 263, 44, 443);
}

void CSetupDlg::HideAllPageControls()
{
    for (CWnd* control : Controls()) control->ShowWindow(SW_HIDE);
    static_cast<CPicture*>(GetDlgItem(1070))->ClearImage();
    static_cast<CMyListCtrl*>(GetDlgItem(1015))->DeleteAllItems();
}

void CSetupDlg::ApplyRtlStyles()
{
    for (int id : {1060, 1061, 1065, 1086, 1097, 1130, 1133, 1132, 1183, 1184, 1185, 1181, 1182}) {
        GetDlgItem(id)->ModifyStyle(0, SS_RIGHT);
        GetDlgItem(id)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    }
    GetDlgItem(1063)->ModifyStyle(0, SS_RIGHT | 0x100);
    GetDlgItem(1063)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    for (int id : {1119, 1152, 1153, 1161, 1071, 1154, 1117, 1118, 1127, 1128, 1134, 1069, 1067, 1073, 1074,
                   1068, 1077, 1075, 1072, 1078, 1179})
        GetDlgItem(id)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
    Widget()->setLayoutDirection(Qt::RightToLeft);
}

void CSetupDlg::RemoveRtlStyles()
{
    for (int id : {1060, 1061, 1065, 1086, 1097, 1130, 1133, 1132, 1183, 1184, 1185, 1181, 1182}) {
        GetDlgItem(id)->ModifyStyle(SS_RIGHT, 0);
        GetDlgItem(id)->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    }
    GetDlgItem(1063)->ModifyStyle(SS_RIGHT, 0);
    GetDlgItem(1063)->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    for (int id : {1119, 1152, 1153, 1161, 1071, 1154, 1117, 1118, 1127, 1128, 1134, 1069, 1067, 1073, 1074,
                   1068, 1077, 1075, 1072, 1078, 1179})
        GetDlgItem(id)->ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING, 0);
    Widget()->setLayoutDirection(Qt::LeftToRight);
}

void CSetupDlg::FillLanguageCombo()
{
    auto* combo = static_cast<CMyComboBox*>(GetDlgItem(1179));
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
    PlaceInlineWord(1061, subtitle, Rtl() ? subtitle : LoadText(298), 1181, 10006, FontInlineNext, 1176);
    PlacePicture(1109, 247, 470, 150);
    // 1163 shows the empty box (a click ticks it), 1162 the ticked one.
    PlacePicture(1163, 321, 42, 300);
    PlacePicture(1162, 320, 42, 300);
    GetDlgItem(m_bLicenceAccepted ? 1163 : 1162)->ShowWindow(SW_HIDE);
    // Screen readers hear the check box as the sentence beside it.
    for (int id : {1162, 1163}) {
        GetDlgItem(id)->Widget()->setAccessibleName(ToQ(LoadText(170) + L" " + LoadText(171)));
        GetDlgItem(id)->Widget()->setAccessibleDescription(ToQ(LoadText(id == 1162 ? 244 : 245)));
    }
    PlaceText(1065, 170, 70, 300, 400, 22, FontBody);
    // The licence link follows the sentence, or starts the next line when it would run
    // into the picture.
    int textW = MeasureText(LoadText(170), FontBody).width();
    int linkW = MeasureText(LoadText(171), FontBody).width();
    bool sameLine = 70 + textW + 4 + linkW <= 460;
    PlaceLink(1182, 171, sameLine ? 70 + textW + 4 : 70, sameLine ? 300 : 322);
    CWnd* combo = GetDlgItem(1179);
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
    CWnd* busy = GetDlgItem(1070);
    busy->MoveWindow((kClientWidth - 34) / 2, 200, 34, 34);
    busy->ShowWindow(SW_SHOW);
    PlaceText(1071, statusId, 175, 244, 400, 24, FontBody);
    GetDlgItem(1071)->ModifyStyle(0, SS_CENTER);
}

void CSetupDlg::DrawInstallDriverPage()
{
    DrawBusyPage(177);
    ShowNext(172, false, false);
    ShowBack(173, false);
    ShowCancel(174, false);
    GetDlgItem(1069)->SetFocus();
}

void CSetupDlg::DrawInsertAdapterPage()
{
    ShowLogoAndHelp();
    ShowTitle(175, 176);
    PlacePicture(1100, g_bSiblingModel ? 246 : 440, 323, 158);
    CWnd* busy = GetDlgItem(1070);
    busy->MoveWindow(Mirror(178, 34), 275, 34, 34);
    busy->ShowWindow(SW_SHOW);
    PlaceText(1071, 223, 42, 320, 300, 24, FontBody);
    PlaceText(1152, 203, 42, 320, 300, 24, FontBody);
    GetDlgItem(1152)->ShowWindow(SW_HIDE);
    ShowNext(172, false, false);
    ShowCancel(174, true);
    GetDlgItem(1069)->SetFocus();
}

void CSetupDlg::DrawWpsPushButtonPage()
{
    int dy = m_nWpsTitleOffset;
    ShowLogoAndHelp();
    ShowTitle(178, 179);
    PlacePicture(1145, 316, 42, 150 + dy);
    PlaceText(1063, 180, 77, 150 + dy, 370, 60, FontBody);
    PlaceLink(1128, 194, 77, 212 + dy);
    PlacePicture(1146, 317, 42, 245 + dy);
    PlaceText(1065, 181, 77, 245 + dy, 370, 60, FontBody);
    PlaceInlineWord(1065, LoadText(181), LoadText(202), 1132, 217, FontBodyBold);
    PlacePicture(1099, 262, 463, 208);
    CWnd* connect = GetDlgItem(1103);
    connect->SetWindowTextW(LoadText(217));
    connect->MoveWindow(Mirror(77, g_nUiLanguage == 1049 ? 100 : 80), 310 + dy, g_nUiLanguage == 1049 ? 100 : 80, 23);
    connect->ShowWindow(SW_SHOW);
    PlacePicture(1148, 318, 42, 378 + dy);
    PlaceLink(1127, 250, 62, 375 + dy);
    ShowNext(172, false, false);
    ShowBack(173, true);
    ShowCancel(174, true);
}

void CSetupDlg::DrawNetworkListPage()
{
    ShowLogoAndHelp();
    ShowTitle(195, 196);
    struct Header { int id; UINT text; int x; int w; };
    for (Header h : {Header{1120, 204, 44, 223}, Header{1121, 205, 267, 102}, Header{1122, 206, 369, 72}}) {
        CWnd* b = GetDlgItem(h.id);
        b->SetWindowTextW(LoadText(h.text));
        b->MoveWindow(Mirror(h.x, h.w), 143, h.w, 35);
        b->ShowWindow(SW_SHOW);
    }
    auto* list = static_cast<CMyListCtrl*>(GetDlgItem(1015));
    list->SetColumnLayout(Rtl());
    list->LoadSignalImageList();
    list->MoveWindow(Mirror(44, 439), 177, 439, 153);
    list->ShowWindow(SW_SHOW);
    auto* rescan = static_cast<CMyButton*>(GetDlgItem(1098));
    rescan->MoveWindow(Mirror(441, 44), 143, 44, 35);
    rescan->SetHoverText(LoadText(238));
    rescan->ShowWindow(SW_SHOW);
    // The "Refresh" bubble, shown while the mouse rests on the rescan button.
    GetDlgItem(1102)->SetWindowTextW(LoadText(238));
    GetDlgItem(1102)->MoveWindow(Mirror(441 + 44 + 4, 81), 149, 81, 24);
    // The rules under and beside the list.
    PlacePicture(1105, 301, 44, 330);
    PlacePicture(1107, 326, 483, 177);
    PlacePicture(1158, 318, 44, 348);
    PlaceLink(1117, 235, 64, 345);
    PlaceLink(1118, 237, 64, 370);
    ShowNext(172, false, false);
    ShowBack(173, false);
    ShowCancel(174, true);
    GetDlgItem(1069)->SetFocus();
}

void CSetupDlg::DrawWpsPinPage()
{
    ShowLogoAndHelp();
    ShowTitle(251, 179);
    PlacePicture(1149, 316, 42, 150);
    PlaceText(1063, 253, 77, 150, 370, 44, FontBody);
    PlacePicture(1150, 317, 42, 200);
    PlaceText(1065, 254, 77, 200, 370, 24, FontBody);
    PlacePicture(1151, Rtl() ? 365 : 319, 77, 226);
    PlacePicture(1147, 315, 42, 275);
    PlaceText(1086, 257, 77, 275, 370, 44, FontBody);
    PlaceInlineWord(1086, LoadText(257), LoadText(246), 1130, 261, FontBodyBold);
    CWnd* busy = GetDlgItem(1070);
    busy->MoveWindow(Mirror(230, 34), 350, 34, 34);
    busy->ShowWindow(SW_SHOW);
    PlaceText(1071, 258, 272, 358, 300, 24, FontBody);
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
    PlaceText(1063, 210, 42, 150, 600, 24, FontBody);
    PlacePicture(1159, 314, 42, 187);
    PlaceText(1065, 220, 57, 180, 600, 60, FontBody);
    PlacePicture(1160, 314, 42, 255);
    PlaceText(1086, 222, 57, 248, 600, 24, FontBody);
    PlaceInlineWord(1086, LoadText(222), LoadText(282), 1129, 215, FontBodyBold);
    PlaceLink(1134, 286, 42, 290);
    ShowNext(215, true, true);
    ShowCancel(174, true);
}

void CSetupDlg::DrawSuccessPage(bool internet)
{
    ShowLogoAndHelp();
    ShowTitle(187, internet ? 188 : 189);
    if (internet) {
        PlacePicture(1106, g_bSiblingModel ? 248 : 438, 323, 158);
    } else {
        PlaceText(1063, 241, 42, 150, 600, 24, FontBody);
        PlacePicture(1139, 314, 42, 187);
        PlaceText(1135, 242, 57, 180, 600, 40, FontBody);
        PlacePicture(1140, 314, 42, 227);
        PlaceText(1136, 243, 57, 220, 460, 44, FontBody);
        PlacePicture(1141, 314, 42, 267 + m_nNoInternetOffset);
        PlaceText(1137, 256, 57, 260 + m_nNoInternetOffset, 600, 40, FontBody);
    }
    ShowCancel(214, true);
}

void CSetupDlg::DrawDriverFailedPage()
{
    ShowLogoAndHelp();
    ShowTitle(208, 209);
    PlaceText(1063, 210, 42, 150, 600, 24, FontBody);
    PlaceText(1065, 211, 42, 180, 600, 24, FontBody);
    PlaceText(1086, 212, 42, 205, 600, 24, FontBody);
    PlaceText(1183, 213, 42, 230, 600, 24, FontBody);
    PlaceLink(1134, 286, 42, 270);
    ShowCancel(214, true);
    GetDlgItem(1069)->SetFocus();
}

void CSetupDlg::DrawAdapterNotFoundPage()
{
    ShowLogoAndHelp();
    ShowTitle(224, 225);
    PlaceText(1063, 210, 42, 150, 440, 24, FontBody);
    PlacePicture(1159, 314, 42, 187);
    PlaceText(1065, 226, 57, 180, 400, 44, FontBody);
    PlacePicture(1160, 314, 42, 237);
    PlaceInlineWord(1065, LoadText(226), LoadText(279), 1129, 215, FontBodyBold);  // the text has its period
    PlaceText(1086, 227, 57, 230, 400, 44, FontBody);
    PlaceInlineWord(1086, LoadText(227), LoadText(280), 1130, 215, FontBodyBold);
    PlacePicture(1142, 314, 42, 287);
    PlaceText(1183, 228, 57, 280, 400, 44, FontBody);
    PlacePicture(1101, g_bSiblingModel ? 273 : 439, 443, 158);
    PlaceLink(1134, 286, 42, 335);
    ShowNext(215, true, true);
    ShowCancel(174, true);
}

void CSetupDlg::DrawUpdateRequiredPage(bool vista)
{
    ShowLogoAndHelp();
    ShowTitle(vista ? 265 : 264, vista ? 270 : 266);
    GetDlgItem(1061)->MoveWindow(Mirror(42, 666), 109, 666, 44);
    PlaceText(1063, 267, 42, 160, 600, 24, FontBody);
    PlaceText(1183, vista ? 276 : 277, 42, 190, 600, 24, FontBody);
    PlaceLink(1182, 268, 42, 214);
    if (vista) PlaceText(1184, 275, 42, 244, 600, 24, FontBody);
    PlaceLink(1134, 286, 42, vista ? 284 : 254);
    ShowCancel(269, true);
}

void CSetupDlg::DrawAdminRequiredPage()
{
    ShowLogoAndHelp();
    ShowTitle(271, 272);
    GetDlgItem(1061)->MoveWindow(Mirror(42, 666), 109, 666, 44);
    PlaceText(1063, 10008, 42, 160, 600, 24, FontBody);
    PlaceText(1183, 10002, 42, 188, 600, 24, FontBody);
    PlaceText(1086, 10003, 42, 212, 600, 24, FontBody);
    PlaceText(1185, 10004, 42, 236, 600, 24, FontBody);
    PlaceText(1184, 10005, 42, 268, 600, 24, FontBody);
    PlaceLink(1134, 286, 42, 304);
    for (int id : kNextIds) GetDlgItem(id)->SetWindowTextW(LoadText(215));
    ShowCancel(269, true);
}
