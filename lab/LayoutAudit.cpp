#include "lab/LayoutAudit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyRTF.h"
#include "controls/MyStatic.h"
#include "controls/SingleLineText.h"
#include "dialogs/PrefixText.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/TextDraw.h"

namespace lab {

namespace {

// Controls the pages lay over each other on purpose, each pair with its reason.
struct AllowedOverlap {
    int a, b;
};
const AllowedOverlap kAllowedOverlaps[] = {
    {1102, 1119},  // the rescan hint: its label is drawn on the grey bubble
    // The network list's frame: the list's top row of pixels lies under the column
    // headers and the rescan button (35 high at y 143, the list at 177), the vertical
    // rule right of the list starts under the rescan button's edge, and the two rules
    // meet at the list's corner.
    {1015, 1120},
    {1015, 1121},
    {1015, 1122},
    {1015, 1098},
    {1098, 1107},
    {1105, 1107},
};

// Face pictures the resources make a pixel wider than their button: the mirrored name
// header's outer edge (picture 355 and its hover and pressed twins, 224 wide, on the
// 223-pixel header).
struct WiderFace {
    int control, picture;
};
const WiderFace kWiderFaces[] = {{1120, 355}};

// The bold words placed in a sentence's gap, and the periods placed after such a word:
// the wizard's pages' words, and the WPS connect dialog's "Retry" in its failure hint
// (elsewhere 1167 is a picture: the About-WPS dialog's small logo).
const int kInlineWordIds[] = {1129, 1130, 1131, 1132, 1133, 1181};
const int kWpsConnectInlineWord = 1167;
const int kPeriodIds[] = {1176, 1177, 1180};

bool Contains(const int* begin, const int* end, int id) { return std::find(begin, end, id) != end; }
bool IsPeriod(int id) { return Contains(std::begin(kPeriodIds), std::end(kPeriodIds), id); }

bool Allowed(int a, int b)
{
    for (const AllowedOverlap& o : kAllowedOverlaps)
        if ((o.a == a && o.b == b) || (o.a == b && o.b == a)) return true;
    return false;
}

// How far the ink reaches beyond the room it has (0 when inside).
int Excess(const QRectF& room, const QRectF& ink)
{
    if (ink.isEmpty()) return 0;
    const qreal by = std::max({room.left() - ink.left(), ink.right() - room.right(), room.top() - ink.top(),
                               ink.bottom() - room.bottom(), 0.0});
    return static_cast<int>(std::ceil(by - 0.5));  // half a pixel of an outline's edge is no cut
}

std::string RectText(const QRectF& r)
{
    std::ostringstream s;
    s << std::lround(r.x()) << "," << std::lround(r.y()) << " " << std::lround(r.width()) << "x"
      << std::lround(r.height());
    return s.str();
}

// What one visible control puts on the window.
struct Drawn {
    int id = 0;
    CWnd* control = nullptr;
    std::vector<QRectF> shapes;  // ink pieces of a text; the rectangle of anything else
    QRectF ink;                  // a text's ink
};

class Audit {
public:
    explicit Audit(CDialogEx& window)
        : m_window(window),
          m_client(window.Widget()->rect()),
          m_wpsConnect(std::string(window.ClassName()) == "CWpsConnectDlg")
    {
    }

    std::vector<LayoutFinding> Run()
    {
        for (CWnd* c : m_window.Controls()) {
            if (!c->IsWindowVisible()) continue;
            const QRect r = c->GetClientRectInParent();
            if (r.isEmpty()) continue;
            if (!QRect(m_client).contains(r))
                Add(c->GetDlgCtrlID(), 0, Excess(QRectF(m_client), QRectF(r)),
                    "lies outside the window (" + RectText(r) + ")");
            if (auto* t = dynamic_cast<CStaticText*>(c)) Text(*t, r);
            else if (auto* l = dynamic_cast<CMyStatic*>(c)) Link(*l, r);
            else if (auto* b = dynamic_cast<CMyButton*>(c)) Button(*b, r);
            else if (auto* box = dynamic_cast<CMyComboBox*>(c)) Combo(*box, r);
            else if (auto* x = dynamic_cast<CPrefixText*>(c)) Prefix(*x, r);
            else if (auto* m = dynamic_cast<CMyRTF*>(c)) Markup(*m, r);
            else if (auto* p = dynamic_cast<CPicture*>(c)) {
                if (!p->Image().isNull()) m_drawn.push_back({c->GetDlgCtrlID(), c, {QRectF(r)}, {}});
            } else {
                m_drawn.push_back({c->GetDlgCtrlID(), c, {QRectF(r)}, {}});
            }
        }
        Overlaps();
        for (const Drawn& d : m_drawn)
            if (IsInlineWord(d.id)) InlineWord(d);
        return m_findings;
    }

private:
    bool IsInlineWord(int id) const
    {
        return Contains(std::begin(kInlineWordIds), std::end(kInlineWordIds), id) ||
               (m_wpsConnect && id == kWpsConnectInlineWord);
    }

    void Add(int id, int other, int pixels, std::string what)
    {
        m_findings.push_back({id, other, pixels, std::move(what)});
    }

    void Glyphs(int id, const Framework::TextInk& ink)
    {
        if (ink.missingGlyphs > 0)
            Add(id, 0, 0, std::to_string(ink.missingGlyphs) + " glyphs are not in the program's fonts" +
                              (ink.foreignFaces.isEmpty() ? std::string()
                                                          : " (drawn from " + ink.foreignFaces.join(", ").toStdString() + ")"));
    }

    void Text(CStaticText& t, const QRect& r)
    {
        const QString text = ToQ(t.ShownText());
        if (text.trimmed().isEmpty()) return;
        const bool rtl = (t.GetExStyle() & WS_EX_RTLREADING) != 0;
        // A mirrored window reads right to left: its texts are right-aligned (or centred).
        if (m_window.Widget()->layoutDirection() == Qt::RightToLeft && !(t.Alignment() & Qt::AlignHCenter) &&
            (!rtl || !(t.Alignment() & Qt::AlignRight)))
            Add(t.GetDlgCtrlID(), 0, 0, "reads left to right in a right-to-left window");
        const Framework::TextInk ink =
            Framework::DrawnTextInk(t.TextRect(), text, t.GetFont(), static_cast<Qt::Alignment>(t.Alignment()), rtl,
                                    QTextOption::WordWrap, t.Headroom());
        const int cut = Excess(QRectF(r), ink.bounds);
        if (cut > 0) Add(t.GetDlgCtrlID(), 0, cut, "is cut: ink " + RectText(ink.bounds) + " in " + RectText(r));
        Glyphs(t.GetDlgCtrlID(), ink);
        m_drawn.push_back({t.GetDlgCtrlID(), &t, ink.pieces, ink.bounds});
    }

    // A mirrored window reads right to left: its texts are right-aligned (or centred).
    void ReadingOrder(int id, int alignment, bool rtl)
    {
        if (m_window.Widget()->layoutDirection() == Qt::RightToLeft && !(alignment & Qt::AlignHCenter) &&
            (!rtl || !(alignment & Qt::AlignRight)))
            Add(id, 0, 0, "reads left to right in a right-to-left window");
    }

    // A text following the mnemonic rule, laid out in its own text rectangle.
    void Prefix(CPrefixText& t, const QRect& r)
    {
        const QString text = t.ShownText();
        if (text.trimmed().isEmpty()) return;
        ReadingOrder(t.GetDlgCtrlID(), t.Alignment(), t.RightToLeft());
        const Framework::TextInk ink = Framework::DrawnTextInk(t.TextRect(), text, t.GetFont(),
                                                               static_cast<Qt::Alignment>(t.Alignment()),
                                                               t.RightToLeft(), t.WrapMode());
        const int cut = Excess(QRectF(r), ink.bounds);
        if (cut > 0) Add(t.GetDlgCtrlID(), 0, cut, "is cut: ink " + RectText(ink.bounds) + " in " + RectText(r));
        Glyphs(t.GetDlgCtrlID(), ink);
        m_drawn.push_back({t.GetDlgCtrlID(), &t, ink.pieces, ink.bounds});
    }

    // The markup label: the runs of its last rendering, each at its place.
    void Markup(CMyRTF& m, const QRect& r)
    {
        Framework::TextInk all;
        CQtMarkupMeasure measure(m.GetFont());
        for (const MarkupRun& run : m.LastLayout().runs) {
            if (QString::fromStdWString(run.text).trimmed().isEmpty()) continue;
            const QRect line(r.x() + run.x, r.y() + run.y, 100000, run.height);
            const Framework::TextInk ink = Framework::DrawnTextInk(line, QString::fromStdWString(run.text),
                                                                   measure.ToQFont(run.font), Qt::AlignLeft, false);
            all.pieces.insert(all.pieces.end(), ink.pieces.begin(), ink.pieces.end());
            all.bounds |= ink.bounds;
            all.missingGlyphs += ink.missingGlyphs;
            all.foreignFaces += ink.foreignFaces;
        }
        if (all.bounds.isEmpty()) return;
        const int cut = Excess(QRectF(r), all.bounds);
        if (cut > 0) Add(m.GetDlgCtrlID(), 0, cut, "is cut: ink " + RectText(all.bounds) + " in " + RectText(r));
        Glyphs(m.GetDlgCtrlID(), all);
        m_drawn.push_back({m.GetDlgCtrlID(), &m, all.pieces, all.bounds});
    }

    void Link(CMyStatic& l, const QRect& r)
    {
        const QString text = ToQ(l.GetWindowTextW());
        if (text.isEmpty()) return;
        const LinkTextStyle style = LinkStyleFor(l.GetDlgCtrlID(), g_nUiLanguage, true);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(style.pixelHeight);
        font.setUnderline(style.underline);
        const Framework::TextInk ink = Controls::SingleLineTextInk(
            r, text, font, style.alignRight ? Qt::AlignRight : Qt::AlignHCenter, style.alignRight);
        const int cut = Excess(QRectF(r), ink.bounds);
        if (cut > 0) Add(l.GetDlgCtrlID(), 0, cut, "is cut: ink " + RectText(ink.bounds) + " in " + RectText(r));
        Glyphs(l.GetDlgCtrlID(), ink);
        m_drawn.push_back({l.GetDlgCtrlID(), &l, {QRectF(r)}, ink.bounds});
    }

    void Button(CMyButton& b, const QRect& r)
    {
        const int id = b.GetDlgCtrlID();
        // Its face: the pictures are drawn at their natural size.
        const QImage* face = b.Face(ButtonFace::Normal).GetBitmap();
        bool wider = false;
        for (const WiderFace& w : kWiderFaces)
            wider = wider || (w.control == id && w.picture == b.LoadedFaces().normal && face &&
                              face->width() == r.width() + 1 && face->height() == r.height());
        if (face && face->size() != r.size() && !wider)
            Add(id, 0, std::max(std::abs(face->width() - r.width()), std::abs(face->height() - r.height())),
                "is " + std::to_string(r.width()) + "x" + std::to_string(r.height()) + " but its face picture " +
                    std::to_string(b.LoadedFaces().normal) + " is " + std::to_string(face->width()) + "x" +
                    std::to_string(face->height()));
        if (std::string(m_window.ClassName()) == "CSetupDlg") {
            const ButtonFaceSet wanted = WizardButtonFaces(id, g_nUiLanguage);
            if (wanted.normal != 0 && !(b.LoadedFaces() == wanted))
                Add(id, 0, 0, "shows face picture " + std::to_string(b.LoadedFaces().normal) + " where language " +
                                  std::to_string(g_nUiLanguage) + " takes " + std::to_string(wanted.normal));
        }
        const QString caption = Controls::StripMnemonics(ToQ(b.GetWindowTextW()));
        if (!caption.isEmpty()) {
            const ButtonCaptionStyle style = CaptionStyleFor(id, g_nUiLanguage);
            const Qt::Alignment align = style.align == CaptionAlign::Left    ? Qt::AlignLeft
                                        : style.align == CaptionAlign::Right ? Qt::AlignRight
                                                                             : Qt::AlignHCenter;
            const QRect text = r.adjusted(style.insetLeft, 0, -style.insetRight, 0);
            const Framework::TextInk ink =
                Controls::SingleLineTextInk(text, caption, ButtonCaptionFont(style), align, style.rtlReading);
            // The rounded ends of a face take a pixel each side.
            const QRectF room = QRectF(text).adjusted(style.insetLeft ? 0 : 1, 1, style.insetRight ? 0 : -1, -1);
            const int cut = Excess(room, ink.bounds);
            if (cut > 0)
                Add(id, 0, cut, "caption \"" + caption.toStdString() + "\" leaves its face: ink " +
                                    RectText(ink.bounds) + " in " + RectText(room));
            Glyphs(id, ink);
        }
        m_drawn.push_back({id, &b, {QRectF(r)}, {}});
    }

    // The closed box's face shows the selected name whole, clear of the arrow.
    void Combo(CMyComboBox& c, const QRect& r)
    {
        const int id = c.GetDlgCtrlID();
        m_drawn.push_back({id, &c, {QRectF(r)}, {}});
        const int index = c.GetCurSel();
        if (index < 0) return;
        const QString text = ToQ(c.GetLBText(index));
        const bool rtl = c.IsRtlLayout();
        const ComboFaces::Text shown = ComboFaces::FitText(text);
        if (shown.text != text)
            Add(id, 0, 0, "shortens \"" + text.toStdString() + "\" to \"" + shown.text.toStdString() + "\"");
        const QRect face(r.topLeft(), QSize(r.width(), CMyComboBox::kFaceHeight));
        const QRect box = ComboFaces::TextBox(face, rtl);
        const QRect field = ComboFaces::TextField(face, rtl);
        constexpr int kRoom = 100000;
        const QRect line = rtl ? QRect(box.right() + 1 - kRoom, box.top(), kRoom, box.height())
                               : QRect(box.left(), box.top(), kRoom, box.height());
        const Framework::TextInk ink = Controls::SingleLineTextInk(line, shown.text, shown.font,
                                                                   rtl ? Qt::AlignRight : Qt::AlignLeft, rtl);
        const int cut = Excess(QRectF(field), ink.bounds);
        if (cut > 0) Add(id, 0, cut, "is cut: ink " + RectText(ink.bounds) + " in " + RectText(field));
        Glyphs(id, ink);
    }

    void Overlaps()
    {
        for (std::size_t i = 0; i < m_drawn.size(); ++i)
            for (std::size_t j = i + 1; j < m_drawn.size(); ++j) {
                const Drawn& a = m_drawn[i];
                const Drawn& b = m_drawn[j];
                if (Allowed(a.id, b.id)) continue;
                qreal worst = 0;
                for (const QRectF& x : a.shapes)
                    for (const QRectF& y : b.shapes) {
                        const QRectF both = x.intersected(y);
                        if (both.width() > 0.5 && both.height() > 0.5)
                            worst = std::max(worst, std::min(both.width(), both.height()));
                    }
                if (worst > 0)
                    Add(a.id, b.id, static_cast<int>(std::ceil(worst)),
                        "overlaps control " + std::to_string(b.id));
            }
    }

    const Drawn* Find(int id) const
    {
        for (const Drawn& d : m_drawn)
            if (d.id == id) return &d;
        return nullptr;
    }

    // The sentence that holds a word's gap: the text whose rectangle holds the word's middle.
    const Drawn* SentenceOf(const Drawn& word) const
    {
        const QPointF middle = word.ink.center();
        for (const Drawn& d : m_drawn) {
            if (d.id == word.id || IsInlineWord(d.id) || IsPeriod(d.id)) continue;
            if (!dynamic_cast<CStaticText*>(d.control)) continue;
            if (QRectF(d.control->GetClientRectInParent()).contains(middle)) return &d;
        }
        return nullptr;
    }

    void InlineWord(const Drawn& word)
    {
        if (word.ink.isEmpty()) return;
        const Drawn* sentence = SentenceOf(word);
        if (!sentence) {
            Add(word.id, 0, 0, "stands in no sentence");
            return;
        }
        auto* t = static_cast<CStaticText*>(sentence->control);
        const QString text = ToQ(t->ShownText());
        const bool rtl = (t->GetExStyle() & WS_EX_RTLREADING) != 0;
        const auto align = static_cast<Qt::Alignment>(t->Alignment());
        const QRect r = t->TextRect();
        auto at = [&](int index) {
            return Framework::TextPositionOf(r, text, t->GetFont(), align, rtl, index, QTextOption::WordWrap, t->Headroom());
        };
        // The gaps: runs of blanks with a no-break blank in them, or of two blanks or more,
        // each beginning at the blank after the word before it; a sentence without one
        // ends where its word begins. The word's gap is the one it stands at.
        auto blank = [&](int i) { return text[i] == QLatin1Char(' ') || text[i] == QChar(0x00A0) || text[i] == QChar(0x202F); };
        struct Gap {
            int start, end, fill;
        };
        std::vector<Gap> gaps;
        for (int i = 0; i < text.size();) {
            if (!blank(i)) {
                ++i;
                continue;
            }
            int j = i;
            bool noBreak = false;
            for (; j < text.size() && blank(j); ++j)
                if (text[j] != QLatin1Char(' ')) noBreak = true;
            if (noBreak || j - i >= 2 || j == text.size()) {
                // Where the word begins: the gap's first no-break blank (the blank before
                // it may end the line above when the gap starts a line).
                int fill = i;
                while (fill < j && text[fill] != QChar(0x00A0) && text[fill] != QChar(0x202F)) ++fill;
                if (fill == j) fill = std::min(i + 1, j);
                gaps.push_back({i, j, fill});
            }
            i = j;
        }
        if (gaps.empty()) gaps.push_back({static_cast<int>(text.size()), static_cast<int>(text.size()), static_cast<int>(text.size())});
        const int wordTop = static_cast<CStaticText*>(word.control)->TextRect().top();
        const qreal wordEdge = rtl ? word.ink.right() : word.ink.left();
        const Gap* best = nullptr;
        qreal bestDistance = 0;
        for (const Gap& g : gaps) {
            const QPointF p = at(g.fill);
            const qreal d = std::abs(p.y() - wordTop) * 1000 + std::abs(p.x() - wordEdge);
            if (!best || d < bestDistance) {
                best = &g;
                bestDistance = d;
            }
        }
        const int start = best->start;
        const int end = best->end;
        const int fill = best->fill;
        QPointF from = at(fill);
        const bool startsLine = std::abs(at(start).y() - from.y()) > 1;
        if (!startsLine) from = at(start);
        const std::string where = " in the gap of control " + std::to_string(sentence->id);
        // Reading order runs right to left in a right-to-left sentence.
        auto lead = [&](qreal x) { return rtl ? x - word.ink.right() : word.ink.left() - x; };
        auto tail = [&](qreal x) { return rtl ? word.ink.left() - x : x - word.ink.right(); };
        if (std::abs(wordTop - from.y()) > 3) {
            Add(word.id, sentence->id, static_cast<int>(std::abs(wordTop - from.y())),
                "is not on the line of its gap" + where);
            return;
        }
        const qreal before = lead(from.x());
        if (before < 1.5 && start > 0 && !startsLine)
            Add(word.id, sentence->id, static_cast<int>(std::ceil(1.5 - before)),
                "touches the text before it" + where);
        // What follows the word: the sentence's next character, or a period control.
        qreal after = 0;
        bool punctuation = false;
        bool known = false;
        if (end < text.size()) {
            const QPointF to = at(end);
            punctuation = QStringLiteral(".,;:!?\u060C\u061B\u061F)").contains(text[end]);
            if (std::abs(to.y() - at(fill).y()) > 1) {
                // The line breaks after the gap: fine before a word, not before its punctuation.
                if (punctuation) Add(word.id, sentence->id, 0, "is parted from its punctuation by a line break" + where);
                return;
            }
            after = tail(to.x());
            known = true;
        } else {
            for (int id : kPeriodIds) {
                const Drawn* period = Find(id);
                if (!period || period->ink.isEmpty()) continue;
                if (std::abs(period->ink.center().y() - word.ink.center().y()) > word.ink.height()) continue;
                after = tail(rtl ? period->ink.right() : period->ink.left());
                punctuation = true;
                known = true;
            }
        }
        // The ink beside the word on its line decides where the caret positions of a
        // mixed-direction line may mislead: the nearest piece of the sentence each side.
        qreal inkBefore = -1, inkAfter = -1;
        for (const QRectF& piece : sentence->shapes) {
            // On the word's line: a piece whose middle lies within the word's line band
            // (a comma sits low, at the baseline).
            const qreal middle = piece.center().y();
            if (middle < word.ink.top() - 2 || middle > word.ink.bottom() + 5) continue;
            const bool leadSide = rtl ? piece.left() >= word.ink.center().x() : piece.right() <= word.ink.center().x();
            const qreal d = leadSide ? (rtl ? piece.left() - word.ink.right() : word.ink.left() - piece.right())
                                     : (rtl ? word.ink.left() - piece.right() : piece.left() - word.ink.right());
            qreal& nearest = leadSide ? inkBefore : inkAfter;
            if (nearest < 0 || d < nearest) nearest = d;
        }
        if (inkBefore >= 0 && inkBefore < 1.5 && !startsLine)
            Add(word.id, sentence->id, static_cast<int>(std::ceil(1.5 - inkBefore)), "touches the text before it" + where);
        if (known && inkAfter >= 0 && (after < -0.5 || inkAfter < after - 2)) after = std::min(after, inkAfter);
        if (known && punctuation && inkAfter > after + 1) after = inkAfter;
        if (!known) return;
        if (after < -0.5)
            Add(word.id, sentence->id, static_cast<int>(std::ceil(-after)),
                std::string(punctuation ? "runs over the punctuation after it" : "runs into the text after it") + where);
        else if (!punctuation && after < 2)
            Add(word.id, sentence->id, static_cast<int>(std::ceil(2 - after)), "touches the text after it" + where);
        else if (punctuation && after >= QFontMetricsF(t->GetFont()).horizontalAdvance(QLatin1Char(' ')))
            Add(word.id, sentence->id, static_cast<int>(std::floor(after)),
                "stands apart from the punctuation after it" + where);
    }

    CDialogEx& m_window;
    QRect m_client;
    bool m_wpsConnect;
    std::vector<Drawn> m_drawn;
    std::vector<LayoutFinding> m_findings;
};

}  // namespace

std::string LayoutFinding::Text() const
{
    std::string text = control ? "control " + std::to_string(control) : std::string("the window");
    text += " " + what;
    if (pixels > 0) text += " (by " + std::to_string(pixels) + (pixels == 1 ? " pixel)" : " pixels)");
    return text;
}

std::vector<LayoutFinding> AuditLayout(CDialogEx& window) { return Audit(window).Run(); }

}  // namespace lab
