#include "controls/MyListBox.h"

#include <QPainter>
#include <QWidget>

#include "framework/Dialog.h"

const QColor CMyListBox::kFillColour(115, 138, 154);

namespace {

class FlatListWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), CMyListBox::kFillColour);
    }
};

}  // namespace

CMyListBox::CMyListBox() : CWnd(nullptr, 0, nullptr) {}

CMyListBox::CMyListBox(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    m_pWidget = new FlatListWidget(owner->Widget());
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
}

CMyListBox::~CMyListBox() = default;
