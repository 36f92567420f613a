#include "controls/MyRTF.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/Dialog.h"
#include "runtime/Runtime.h"

namespace {

// The label's window: paints the control's rendering over the parent's pixels and lets
// clicks through, as a static text does.
class MarkupLabelWidget : public QWidget {
public:
    MarkupLabelWidget(QWidget* parent, CMyRTF* control) : QWidget(parent), m_control(control)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }
    void Detach() { m_control = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_control) return;
        QPainter p(this);
        m_control->Paint(p);
    }

private:
    CMyRTF* m_control;
};

// Screen readers meet the label as static text named by its words, without the tags.
QAccessibleInterface* MarkupLabelAccessible(const QString&, QObject* object)
{
    if (auto* widget = dynamic_cast<MarkupLabelWidget*>(object))
        return new QAccessibleWidget(widget, QAccessible::StaticText);
    return nullptr;
}

void InstallAccessibleFactory()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(MarkupLabelAccessible);
}

constexpr int kDefaultPixelSize = 16;  // a height of 0 asks for the default size
constexpr int kMaxPixelSize = 1000;

}  // namespace

// ---- Measuring with the program's fonts -----------------------------------------------

QFont CQtMarkupMeasure::ToQFont(const MarkupFont& font) const
{
    QFont q = m_template;
    if (!font.face.empty()) q.setFamily(QString::fromStdWString(font.face));
    int pixels = kDefaultPixelSize;
    if (font.height < 0) {
        pixels = font.height == INT_MIN ? kMaxPixelSize : -font.height;
    } else if (font.height > 0) {
        // A cell height: the character height whose ascent and descent add up to it.
        QFont reference = q;
        reference.setPixelSize(100);
        QFontMetricsF m(reference);
        pixels = static_cast<int>(std::lround(std::min<double>(font.height, kMaxPixelSize * 2) * 100.0 /
                                              std::max(1.0, m.ascent() + m.descent())));
    }
    q.setPixelSize(std::clamp(pixels, 1, kMaxPixelSize));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    q.setItalic(false);
    q.setUnderline(false);
    q.setStrikeOut(false);
    return q;
}

MarkupExtent CQtMarkupMeasure::TextExtent(const MarkupFont& font, const std::wstring& text) const
{
    QFontMetrics m(ToQFont(font));
    return {m.horizontalAdvance(QString::fromStdWString(text)), m.height()};
}

int CQtMarkupMeasure::Descent(const MarkupFont& font) const { return QFontMetrics(ToQFont(font)).descent(); }

MarkupFont MarkupFontOf(const QFont& font, int dpi)
{
    MarkupFont out;
    out.face = font.family().toStdWString();
    if (font.pixelSize() > 0) out.height = -font.pixelSize();
    else out.height = -static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0));
    out.weight = font.weight();
    return out;
}

// ---- The label ----------------------------------------------------------------------

CMyRTF::CMyRTF(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    InstallAccessibleFactory();
    m_pWidget = new MarkupLabelWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_textColor = QColor(0, 70, 109);
    m_pWidget->hide();
}

CMyRTF::~CMyRTF()
{
    // The window lives on with its dialog a moment longer; it must not paint through us.
    if (auto* widget = dynamic_cast<MarkupLabelWidget*>(m_pWidget)) widget->Detach();
}

void CMyRTF::SetMarkup(const std::wstring& markup)
{
    rt::SendToUi([&] {
        m_strMarkup = markup;
        m_bDirty = true;
        CWnd::SetWindowTextW(markup);
        m_pWidget->setAccessibleName(QString::fromStdWString(MarkupPlainText(markup)));
        if (m_pWidget->isVisible()) m_pWidget->repaint();
    });
}

bool CMyRTF::RightToLeft() const { return (m_dwExStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0; }

void CMyRTF::Paint(QPainter& painter)
{
    const QSize size = m_pWidget->size();
    const qreal ratio = m_pWidget->devicePixelRatioF();
    // Rendered again only when what it shows changed: the markup, the label's size, its
    // font or default colour, or the direction.
    bool stale = m_bDirty || m_renderedFont != m_font || m_renderedColor != m_textColor ||
                 m_renderedSize != size || m_renderedRatio != ratio;
    if (stale) Render(size, ratio);
    if (!m_cache.isNull()) painter.drawImage(QPoint(0, 0), m_cache);
}

void CMyRTF::Render(QSize size, qreal ratio)
{
    m_bDirty = false;
    m_renderedFont = m_font;
    m_renderedColor = m_textColor;
    m_renderedSize = size;
    m_renderedRatio = ratio;
    ++m_nRenders;
    m_layout = MarkupLayoutResult();
    m_cache = QImage();
    if (m_strMarkup.empty() || size.isEmpty()) return;  // the parent's pixels stay as they are

    const bool rtl = RightToLeft();
    CQtMarkupMeasure measure(m_font);
    const MarkupColor color{m_textColor.red(), m_textColor.green(), m_textColor.blue()};
    m_layout = LayoutMarkup(m_strMarkup, MarkupFontOf(m_font, m_pWidget->logicalDpiY()), size.width(),
                            size.height(), measure, rtl, color);

    m_cache = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
    m_cache.setDevicePixelRatio(ratio);
    m_cache.fill(Qt::transparent);
    QPainter p(&m_cache);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    for (const MarkupRun& run : m_layout.runs) {
        QFont font = measure.ToQFont(run.font);
        p.setFont(font);
        p.setPen(QColor(run.color.r, run.color.g, run.color.b));
        // Pieces of one line share their top edge; each sits on its own font's baseline.
        p.drawText(QPoint(run.x, run.y + QFontMetrics(font).ascent()), QString::fromStdWString(run.text));
    }
}
