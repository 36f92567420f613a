#include "controls/MyStatic.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/MyButton.h"
#include "controls/SingleLineText.h"
#include "framework/Dialog.h"

LinkTextStyle LinkStyleFor(int controlId, int uiLanguage, bool lit)
{
    LinkTextStyle style{uiLanguage == 1054 ? 17 : 16, lit, 0x0099CB, IsRtlLanguage(uiLanguage), true};
    if (controlId == kCopyLinkId) {
        // The Copy link of the error details: one pixel over that dialog's text.
        style.pixelHeight = IsRtlLanguage(uiLanguage) || uiLanguage == 1054 ? 16 : 15;
    }
    if (controlId == kCheckBoxLabelId) {
        style.underline = false;
        style.rgb = 0x00466D;
        style.handCursor = false;
    }
    return style;
}

bool ReleaseInsidePress(const QRect& pressRect, const QPoint& cursor)
{
    return cursor.x() >= pressRect.left() && cursor.x() <= pressRect.left() + pressRect.width() &&
           cursor.y() >= pressRect.top() && cursor.y() <= pressRect.top() + pressRect.height();
}

namespace {

class LinkWidget : public QWidget {
public:
    LinkWidget(QWidget* parent, CMyStatic* control) : QWidget(parent), m_control(control)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }
    CMyStatic* Control() const { return m_control; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_control->Paint(p);
    }
    void enterEvent(QEnterEvent*) override { m_control->OnMouseMove(); }
    void mouseMoveEvent(QMouseEvent*) override { m_control->OnMouseMove(); }
    void leaveEvent(QEvent*) override { m_control->OnMouseLeave(); }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton) m_control->OnLButtonDown(e->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton) m_control->OnLButtonUp(e->globalPosition().toPoint());
    }
    // A double-click is neither a press nor a click.
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (m_control->OnKeyDown(e->key())) e->accept();
        else QWidget::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QWidget::focusInEvent(e);
        m_control->OnSetFocus();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QWidget::focusOutEvent(e);
        m_control->OnKillFocus();
    }

private:
    CMyStatic* m_control;
};

// Screen readers see a link (the check-box label: a text) that can be pressed.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkWidget* widget)
        : QAccessibleWidget(widget, widget->Control()->GetDlgCtrlID() == kCheckBoxLabelId ? QAccessible::StaticText
                                                                                         : QAccessible::Link)
    {
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction()) static_cast<LinkWidget*>(widget())->Control()->Click();
        else QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* LinkAccessibleFactory(const QString&, QObject* object)
{
    if (auto* link = dynamic_cast<LinkWidget*>(object)) return new LinkAccessible(link);
    return nullptr;
}

}  // namespace

CMyStatic::CMyStatic(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(LinkAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    m_pWidget = new LinkWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    const LinkTextStyle style = LinkStyleFor(id, g_nUiLanguage, false);
    m_pWidget->setCursor(style.handCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_textColor = QColor::fromRgb(static_cast<QRgb>(style.rgb));
    m_pWidget->hide();
}

// ---- Mouse and keyboard -------------------------------------------------------------------

void CMyStatic::OnMouseMove()
{
    if (m_bLit) return;
    m_bLit = true;
    if (m_nID == kCheckBoxLabelId) {
        LightCheckBox(true);
    } else {
        m_pWidget->setFocus(Qt::MouseFocusReason);
    }
    m_pWidget->update();
}

void CMyStatic::OnMouseLeave()
{
    if (m_nID == kCheckBoxLabelId) LightCheckBox(false);
    // Hovering gave the link the focus; it stays lit until the focus moves on.
    m_bLit = m_pWidget->hasFocus();
    m_pWidget->update();
}

void CMyStatic::OnLButtonDown(const QPoint& cursor)
{
    (void)cursor;
    m_bPressed = true;
    m_rcPress = QRect(m_pWidget->mapToGlobal(QPoint(0, 0)), m_pWidget->size());
    m_pWidget->update();
}

void CMyStatic::OnLButtonUp(const QPoint& cursor)
{
    if (!m_bPressed) return;  // the release of a double-click, or of a press elsewhere
    m_bPressed = false;
    const bool inside = ReleaseInsidePress(m_rcPress, cursor);
    m_bLit = inside || m_pWidget->hasFocus();
    m_pWidget->update();
    if (inside) Click();
}

void CMyStatic::OnSetFocus()
{
    m_bLit = true;
    m_pWidget->update();
}

void CMyStatic::OnKillFocus()
{
    m_bLit = false;
    m_pWidget->update();
}

bool CMyStatic::OnKeyDown(int qtKey)
{
    if (qtKey != Qt::Key_Space && qtKey != Qt::Key_Return && qtKey != Qt::Key_Enter) return false;
    Click();
    return true;
}

void CMyStatic::Click()
{
    if (m_pOwner && m_nID != 0)
        m_pOwner->SendMessage(WM_COMMAND, static_cast<WPARAM>(m_nID), reinterpret_cast<LPARAM>(this));
}

void CMyStatic::LightCheckBox(bool on)
{
    if (!m_pOwner) return;
    if (auto* box = dynamic_cast<CMyButton*>(m_pOwner->GetDlgItem(kCheckBoxLabelBoxId))) box->SetHover(on);
}

// ---- Painting -----------------------------------------------------------------------------

void CMyStatic::Paint(QPainter& dc)
{
    const LinkTextStyle style = LinkStyleFor(m_nID, g_nUiLanguage, m_bLit);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(style.pixelHeight);
    font.setUnderline(style.underline);
    dc.setPen(QColor::fromRgb(static_cast<QRgb>(style.rgb)));
    Controls::DrawSingleLineText(dc, m_pWidget->rect(), ToQ(m_text), font,
                                 style.alignRight ? Qt::AlignRight : Qt::AlignHCenter, style.alignRight);
}
