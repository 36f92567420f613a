#include "controls/MyListCtrlWidget.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>

#include "app/LocalizedText.h"
#include "controls/MyListCtrl.h"

namespace {

// The scroll bar the list's column widths are made for.
class ListScrollBar : public QScrollBar {
public:
    explicit ListScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return QSize(ListGeometry::kScrollBarWidth, QScrollBar::sizeHint().height()); }
};

// One row: its name is the network's name, its description the security and strength.
class MyListRowAccessible : public QAccessibleInterface {
public:
    MyListRowAccessible(MyListCtrlWidget* widget, int row) : m_widget(widget), m_row(row) {}

    bool isValid() const override { return m_widget && m_row < m_widget->List()->GetItemCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_widget ? m_widget->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_widget.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid()) return {};
        const CMyListCtrl* list = m_widget->List();
        if (t == QAccessible::Name) return ToQ(list->RowSsid(m_row));
        if (t == QAccessible::Description)
            return QStringLiteral("%1: %2, %3: %4/5")
                .arg(ToQ(LoadText(205)), ToQ(list->RowSecurity(m_row)).trimmed(), ToQ(LoadText(206)))
                .arg(std::max(0, list->RowBars(m_row)));
        return {};
    }
    QRect rect() const override
    {
        if (!isValid()) return {};
        QRect r = m_widget->List()->RowRect(m_row);
        return r.isEmpty() ? QRect() : QRect(m_widget->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const CMyListCtrl* list = m_widget->List();
        s.focusable = true;
        s.selectable = true;
        s.focused = m_widget->hasFocus() && list->GetItemState(m_row, LVIS_FOCUSED) != 0;
        s.selected = list->GetItemState(m_row, LVIS_SELECTED) != 0;
        s.offscreen = list->RowRect(m_row).isEmpty();
        s.invisible = m_widget->isHidden();
        return s;
    }

private:
    QPointer<MyListCtrlWidget> m_widget;
    int m_row;
};

// The list: its rows first, then its own child widgets (the scroll bar).
class MyListCtrlAccessible : public QAccessibleWidget {
public:
    explicit MyListCtrlAccessible(MyListCtrlWidget* widget) : QAccessibleWidget(widget, QAccessible::List) {}

    int childCount() const override { return Rows() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0) return nullptr;
        if (index < Rows()) return Widget()->RowInterface(index);
        return QAccessibleWidget::child(index - Rows());
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < Rows(); ++i)
            if (Widget()->RowInterface(i) == child) return i;
        int own = QAccessibleWidget::indexOfChild(child);
        return own < 0 ? -1 : Rows() + own;
    }
    QAccessibleInterface* focusChild() const override
    {
        int focused = Widget()->List()->GetNextItem(-1, LVNI_FOCUSED);
        return Widget()->hasFocus() && focused >= 0 ? Widget()->RowInterface(focused) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        int row = Widget()->List()->HitTest(Widget()->mapFromGlobal(QPoint(x, y)));
        return row >= 0 ? Widget()->RowInterface(row) : QAccessibleWidget::childAt(x, y);
    }

private:
    MyListCtrlWidget* Widget() const { return static_cast<MyListCtrlWidget*>(widget()); }
    int Rows() const { return Widget()->List()->GetItemCount(); }
};

QAccessibleInterface* ListAccessibleFactory(const QString&, QObject* object)
{
    if (auto* widget = dynamic_cast<MyListCtrlWidget*>(object)) return new MyListCtrlAccessible(widget);
    return nullptr;
}

}  // namespace

MyListCtrlWidget::MyListCtrlWidget(QWidget* parent, CMyListCtrl* list) : QWidget(parent), m_list(list)
{
    setFocusPolicy(Qt::StrongFocus);
    m_bar = new ListScrollBar(this);
    m_bar->hide();
    QObject::connect(m_bar, &QScrollBar::valueChanged, [this](int value) { m_list->OnScroll(value); });
}

MyListCtrlWidget::~MyListCtrlWidget() { ForgetRowInterfaces(); }

void MyListCtrlWidget::InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ListAccessibleFactory);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* MyListCtrlWidget::RowInterface(int row)
{
    auto it = m_rowIds.find(row);
    if (it != m_rowIds.end()) return QAccessible::accessibleInterface(it->second);
    auto* iface = new MyListRowAccessible(this, row);
    m_rowIds[row] = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

void MyListCtrlWidget::ForgetRowInterfaces()
{
    for (auto& [row, id] : m_rowIds) QAccessible::deleteAccessibleInterface(id);
    m_rowIds.clear();
}

void MyListCtrlWidget::NotifyAccessible(QAccessible::Event event, int row)
{
    if (!QAccessible::isActive() || row < 0) return;
    QAccessibleEvent e(this, event);
    e.setChild(row);
    QAccessible::updateAccessibility(&e);
}

void MyListCtrlWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect client = m_list->ClientRect();
    painter.setClipRect(client);
    painter.translate(client.topLeft());
    m_list->Paint(painter);
}

void MyListCtrlWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) m_list->OnMousePress(e->position().toPoint());
}

void MyListCtrlWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) m_list->OnMouseRelease(e->position().toPoint());
}

void MyListCtrlWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) m_list->OnMouseDoubleClick(e->position().toPoint());
}

void MyListCtrlWidget::keyPressEvent(QKeyEvent* e) { m_list->OnKey(e->key(), e->text()); }

void MyListCtrlWidget::focusInEvent(QFocusEvent* e)
{
    m_list->OnFocusIn(e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason);
    update();
}

void MyListCtrlWidget::focusOutEvent(QFocusEvent*) { update(); }

void MyListCtrlWidget::wheelEvent(QWheelEvent* e)
{
    if (!m_bar->isHidden()) QCoreApplication::sendEvent(m_bar, e);
}

void MyListCtrlWidget::resizeEvent(QResizeEvent*) { m_list->UpdateScrollBar(); }
