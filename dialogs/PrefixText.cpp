#include "dialogs/PrefixText.h"

#include <QPainter>

#include "framework/Dialog.h"
#include "framework/TextDraw.h"

namespace {

class PrefixTextWidget : public QWidget {
public:
    PrefixTextWidget(QWidget* parent, CPrefixText* control) : QWidget(parent), m_control(control)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(m_control->TextColor());
        const QRect text = m_control->TextRect().translated(-m_control->GetClientRectInParent().topLeft());
        Framework::DrawControlText(p, text, m_control->ShownText(), m_control->GetFont(),
                                   static_cast<Qt::Alignment>(m_control->Alignment()), m_control->RightToLeft(),
                                   m_control->WrapMode());
    }

private:
    CPrefixText* m_control;
};

}  // namespace

CPrefixText::CPrefixText(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    m_pWidget = new PrefixTextWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
}

QString CPrefixText::ShownText() const
{
    const QString caption = ToQ(m_text);
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                shown += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        shown += caption[i];
    }
    return shown;
}

int CPrefixText::Alignment() const
{
    int align = Qt::AlignTop;
    if ((m_dwStyle & SS_RIGHT) || (m_dwExStyle & WS_EX_RIGHT)) align |= Qt::AlignRight;
    else align |= Qt::AlignLeft;
    return align;
}

QRect CPrefixText::InkFor(const QRect& textRect) const
{
    return Framework::DrawnTextBounds(textRect, ShownText(), m_font, static_cast<Qt::Alignment>(Alignment()),
                                      RightToLeft(), m_wrap)
        .toAlignedRect();
}

void CPrefixText::SetTextRect(const QRect& rect)
{
    m_textRect = rect;
    m_placedAt = GetClientRectInParent();
}

QRect CPrefixText::TextRect() const
{
    const QRect now = GetClientRectInParent();
    return m_textRect.isNull() || now != m_placedAt ? now : m_textRect;
}
