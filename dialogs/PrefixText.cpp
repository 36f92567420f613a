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
        Framework::DrawControlText(p, rect(), m_control->ShownText(), m_control->GetFont(),
                                   static_cast<Qt::Alignment>(m_control->Alignment()),
                                   (m_control->GetExStyle() & WS_EX_RTLREADING) != 0);
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
