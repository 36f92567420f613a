// The password dialog's three pages in each of the 21 languages of the wizard: every
// text is drawn whole inside its control (glyphs, tone marks and descenders included),
// the bold word of the mirrored instruction fits its gap, button captions fit their
// faces, and nothing a person sees lies over anything else. Measured from the dialog's
// own layout, not from pixels.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <sstream>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/MyRTF.h"
#include "controls/MyStatic.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/PrefixText.h"
#include "framework/Controls.h"
#include "framework/Edit.h"
#include "framework/TextDraw.h"
#include "runtime/Runtime.h"

#include "TestApp.h"

namespace {

class COwner : public CDialogEx {
public:
    COwner() : CDialogEx(195)
    {
        MoveWindow(0, 0, 753, 530);
        Create();
        ShowWindow(SW_SHOW);
    }
    const char* ClassName() const override { return "COwner"; }
};

// What one visible control covers on the dialog.
struct Covered {
    int id;
    QRect area;
};

QRect Ink(const QRectF& r) { return r.toAlignedRect(); }

class PageAudit {
public:
    PageAudit(CPasswordDlg& dlg, int lang, int mode) : m_dlg(dlg), m_where("language " + std::to_string(lang) + " page " + std::to_string(mode)) {}

    void Run()
    {
        for (CWnd* c : m_dlg.Controls()) {
            if (!c->IsWindowVisible()) continue;
            const int id = c->GetDlgCtrlID();
            const QRect r = c->GetClientRectInParent();
            Check(QRect(0, 0, CPasswordDlg::kDialogW, CPasswordDlg::kDialogH).contains(r), id, "lies outside the dialog", r, r);
            if (auto* t = dynamic_cast<CStaticText*>(c)) Text(id, r, ToQ(t->GetWindowTextW()), t->GetFont(), t->Alignment(), t->GetExStyle());
            else if (auto* p = dynamic_cast<CPrefixText*>(c)) Prefixed(id, r, *p);
            else if (auto* m = dynamic_cast<CMyRTF*>(c)) Markup(id, r, *m);
            else if (id == CPasswordDlg::IdBoxLabel) Label(id, r, c->GetWindowTextW());
            else if (id == IDOK || id == IDCANCEL || id == CPasswordDlg::IdBack) Button(id, r, c->GetWindowTextW());
            else m_covered.push_back({id, r});
        }
        if (!m_word.isNull()) {
            EXPECT_LE(m_word.width(), m_gapWidth + 1) << m_where << ": the bold word does not fit its gap";
        }
        for (std::size_t i = 0; i < m_covered.size(); ++i)
            for (std::size_t j = i + 1; j < m_covered.size(); ++j) {
                const Covered& a = m_covered[i];
                const Covered& b = m_covered[j];
                if (Pair(a.id, b.id, CPasswordDlg::IdRtlInstruction, CPasswordDlg::IdRtlNextWord)) continue;
                const QRect both = a.area.intersected(b.area);
                EXPECT_TRUE(both.isEmpty()) << m_where << ": controls " << a.id << " and " << b.id << " overlap by "
                                            << both.width() << " x " << both.height() << " pixels";
            }
    }

private:
    static bool Pair(int a, int b, int x, int y) { return (a == x && b == y) || (a == y && b == x); }

    void Check(bool ok, int id, const char* what, const QRect& inside, const QRect& ink)
    {
        EXPECT_TRUE(ok) << m_where << ": control " << id << " " << what << ": ink " << ink.x() << "," << ink.y() << " "
                        << ink.width() << "x" << ink.height() << " in " << inside.x() << "," << inside.y() << " "
                        << inside.width() << "x" << inside.height() << " (by " << std::max({inside.left() - ink.left(), ink.right() - inside.right(), inside.top() - ink.top(), ink.bottom() - inside.bottom()}) << " pixels)";
    }

    void Text(int id, const QRect& r, const QString& text, const QFont& font, int align, DWORD exStyle)
    {
        if (text.isEmpty()) return;
        const bool rtl = (exStyle & WS_EX_RTLREADING) != 0;
        const QRect ink = Ink(Framework::DrawnTextBounds(r, text, font, static_cast<Qt::Alignment>(align), rtl));
        Check(r.contains(ink), id, "is cut", r, ink);
        m_covered.push_back({id, ink});
    }

    void Prefixed(int id, const QRect& r, const CPrefixText& t)
    {
        const QString text = t.ShownText();
        if (text.isEmpty()) return;
        const QRect ink = t.InkFor(t.TextRect());
        Check(r.contains(ink), id, "is cut", r, ink);
        m_covered.push_back({id, ink});
        if (id == CPasswordDlg::IdRtlNextWord) m_word = ink;
        if (id == CPasswordDlg::IdRtlInstruction) {
            // The gap: from the blank before the run of blanks to the end of the run.
            const int start = static_cast<int>(text.indexOf(QStringLiteral("  "))) + 1;
            int end = start;
            while (end < text.size() && text[end] == QLatin1Char(' ')) ++end;
            const auto align = static_cast<Qt::Alignment>(t.Alignment());
            const QPointF a = Framework::TextPositionOf(t.TextRect(), text, t.GetFont(), align, true, start);
            const QPointF b = Framework::TextPositionOf(t.TextRect(), text, t.GetFont(), align, true, end);
            m_gapWidth = static_cast<int>(std::abs(a.x() - b.x()));
        }
    }

    void Markup(int id, const QRect& r, CMyRTF& label)
    {
        QImage canvas(r.size(), QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            label.Paint(painter);
        }
        const MarkupLayoutResult& layout = label.LastLayout();
        EXPECT_FALSE(layout.full) << m_where << ": the instruction " << id << " does not fit its label";
        ASSERT_FALSE(layout.runs.empty()) << m_where;
        // The ink of each piece: its glyphs on the piece's baseline.
        CQtMarkupMeasure measure(label.GetFont());
        QRect area;
        for (const MarkupRun& run : layout.runs) {
            const QFont f = measure.ToQFont(run.font);
            const QRect line(run.x, run.y, 10000, run.height);
            area = area.united(Ink(Framework::DrawnTextBounds(line, ToQ(run.text), f, Qt::AlignLeft, false)));
        }
        area.translate(r.topLeft());
        Check(r.contains(area), id, "is cut", r, area);
        m_covered.push_back({id, area});
    }

    void Label(int id, const QRect& r, const std::wstring& text)
    {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(LinkStyleFor(id, g_nUiLanguage, false).pixelHeight);
        const QRect ink = Ink(Framework::DrawnTextBounds(QRect(r.x(), r.y(), 10000, r.height()), ToQ(text), f, Qt::AlignLeft, false));
        Check(ink.width() <= r.width() && ink.top() >= r.top() - 1, id, "is cut", r, ink);
        m_covered.push_back({id, r});
    }

    void Button(int id, const QRect& r, const std::wstring& caption)
    {
        const ButtonCaptionStyle s = CaptionStyleFor(id, g_nUiLanguage);
        QFont f(QString::fromWCharArray(s.family.data(), static_cast<qsizetype>(s.family.size())));
        f.setPixelSize(s.pixelHeight);
        f.setBold(s.bold);
        const int w = QFontMetrics(f).horizontalAdvance(ToQ(caption));
        EXPECT_LE(w, r.width() - 4) << m_where << ": the caption of button " << id << " is wider than its face";
        m_covered.push_back({id, r});
    }

    CPasswordDlg& m_dlg;
    std::string m_where;
    std::vector<Covered> m_covered;
    QRect m_word;
    int m_gapWidth = -1;
};

}  // namespace

TEST(PasswordDialogLayout, EveryPageWholeInEveryLanguage)
{
    rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
    if (!TestApp()) GTEST_SKIP() << "no widget application";
    const int saved = g_nUiLanguage;
    {
        COwner owner;
        // The longest name a network has, in wide letters, and a title with an ampersand.
        for (const std::wstring& ssid : {std::wstring(32, L'W'), std::wstring(L"Tom & Jerry")}) {
            for (const UiLanguage& language : UiLanguages()) {
                g_nUiLanguage = language.langid;
                for (int mode : {0, 1, 2}) {
                    g_szTargetSsid.Set(ssid);
                    g_nAuthAlgorithm = 7;
                    g_nCipherAlgorithm = 4;
                    CPasswordDlg dlg(&owner);
                    dlg.m_nMode = mode == 2 ? PasswordModePassword : PasswordModeSsid;
                    dlg.Create();
                    if (mode == 1) {
                        static_cast<CEdit*>(dlg.GetDlgItem(CPasswordDlg::IdSsidEdit))->SetWindowTextW(ssid);
                        dlg.Dispatch(WM_COMMAND, IDOK, 0);
                    }
                    PageAudit(dlg, language.langid, mode).Run();
                    dlg.DestroyWindow();
                }
            }
        }
    }
    g_nUiLanguage = saved;
    g_szTargetSsid.Set(L"");
    rt::Shutdown();
}
