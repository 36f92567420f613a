#include "framework/Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "framework/Dialog.h"
#include "framework/TextDraw.h"

namespace {

// Sends a control's command to its dialog.
void Command(CDialogEx* owner, int id) { owner->Dispatch(WM_COMMAND, static_cast<WPARAM>(id), 0); }

class TextWidget : public QWidget {
public:
    TextWidget(QWidget* parent, CStaticText* control) : QWidget(parent), m_control(control)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(m_control->TextColor());
        Framework::DrawControlText(p, rect().adjusted(0, m_control->TextTop(), 0, 0), ToQ(m_control->ShownText()),
                                   m_control->GetFont(),
                                   static_cast<Qt::Alignment>(m_control->Alignment()),
                                   (m_control->GetExStyle() & WS_EX_RTLREADING) != 0, QTextOption::WordWrap,
                                   m_control->Headroom());
    }

private:
    CStaticText* m_control;
};

class PictureWidget : public QWidget {
public:
    PictureWidget(QWidget* parent, CPicture* control) : QWidget(parent), m_control(control) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_control->Image().isNull()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(QPoint(0, 0), m_control->Image().size()), m_control->Image());
        // A picture with text (the WPS PIN box) draws its caption centred on the picture.
        const std::wstring caption = m_control->GetWindowTextW();
        if (!caption.empty()) {
            p.setPen(m_control->TextColor());
            p.setFont(m_control->GetFont());
            p.drawText(QRect(QPoint(0, 0), m_control->Image().size()), Qt::AlignCenter, ToQ(caption));
        }
        if (hasFocus()) {
            p.setPen(QPen(QColor(0, 153, 203), 1, Qt::DotLine));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    void mousePressEvent(QMouseEvent* e) override { m_pressed = e->button() == Qt::LeftButton; }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        bool fire = m_pressed && m_control->Clickable() && rect().contains(e->position().toPoint());
        m_pressed = false;
        if (fire) Command(m_control->Owner(), m_control->GetDlgCtrlID());
    }
    // A clickable picture (the licence check box) is reached by Tab and ticked by Space.
    void keyPressEvent(QKeyEvent* e) override
    {
        if (m_control->Clickable() && e->key() == Qt::Key_Space) Command(m_control->Owner(), m_control->GetDlgCtrlID());
        else QWidget::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    CPicture* m_control;
    bool m_pressed = false;
};

}  // namespace

CStaticText::CStaticText(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    m_pWidget = new TextWidget(owner->Widget(), this);
    m_pWidget->hide();
    m_pWidget->setObjectName(QString::number(id));
}

void CStaticText::SetShownText(const std::wstring& text)
{
    m_shown = text;
    m_bShownSet = true;
    m_pWidget->update();
}

void CStaticText::OnTextChanged()
{
    m_bShownSet = false;
    m_shown.clear();
    m_pWidget->update();
}

void CStaticText::SetTextTop(int pixels, bool marksAbove)
{
    m_nTextTop = pixels;
    m_bMarksAbove = marksAbove;
    m_pWidget->update();
}

int CStaticText::Alignment() const
{
    int align = Qt::AlignTop;
    if (m_dwStyle & SS_CENTER) align |= Qt::AlignHCenter;
    else if ((m_dwStyle & SS_RIGHT) || (m_dwExStyle & WS_EX_RIGHT)) align |= Qt::AlignRight;
    else align |= Qt::AlignLeft;
    return align;
}

CPushButton::CPushButton(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    auto* button = new QPushButton(owner->Widget());
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button, &QPushButton::clicked, [owner, id] { Command(owner, id); });
    m_pWidget = button;
    m_pWidget->hide();
}

void CPushButton::OnTextChanged() { Button()->setText(ToQ(m_text)); }

CPicture::CPicture(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    m_pWidget = new PictureWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
}

void CPicture::SetImage(const QImage& image, int resourceId)
{
    m_image = image;
    m_nImageId = resourceId;
    m_pWidget->update();
}
