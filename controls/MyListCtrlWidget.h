#pragma once
// The widget behind CMyListCtrl: it hands painting, mouse, keys and focus to the
// control, carries the vertical scroll bar, and gives screen readers one interface per
// row (name: the network's name; description: its security and signal strength).
#include <QAccessible>
#include <QScrollBar>
#include <QWidget>

#include <map>

class CMyListCtrl;

class MyListCtrlWidget : public QWidget {
public:
    MyListCtrlWidget(QWidget* parent, CMyListCtrl* list);
    ~MyListCtrlWidget() override;

    CMyListCtrl* List() const { return m_list; }
    QScrollBar* Bar() const { return m_bar; }

    // Row interfaces are made on demand and dropped whenever the rows change.
    QAccessibleInterface* RowInterface(int row);
    void ForgetRowInterfaces();
    void NotifyAccessible(QAccessible::Event event, int row);
    // Lets screen readers find the rows; once per program.
    static void InstallAccessibility();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CMyListCtrl* m_list;
    QScrollBar* m_bar;
    std::map<int, QAccessible::Id> m_rowIds;
};
