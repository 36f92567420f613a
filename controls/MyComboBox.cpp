#include "controls/MyComboBox.h"

#include "controls/SingleLineText.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <map>

#include "controls/Pictures.h"
#include "framework/Dialog.h"
#include "runtime/Runtime.h"

namespace {

const QColor kFaceTextColour(0, 70, 109);
// The drop-down list shows every language at once.
constexpr int kVisibleItems = 30;
constexpr int kFacePixels = 15;
constexpr int kSmallestFacePixels = 12;

QFont FaceFont(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

// One line in the box, vertically centred, from the box's reading edge; the clip keeps
// it off the arrow's segment.
void DrawFaceText(QPainter& painter, const QRect& box, const QRect& field, const QString& text, bool rightToLeft)
{
    painter.save();
    painter.setClipRect(field, Qt::IntersectClip);
    painter.setPen(kFaceTextColour);
    const ComboFaces::Text shown = ComboFaces::FitText(text);
    constexpr int kRoom = 100000;
    QRect line = rightToLeft ? QRect(box.right() + 1 - kRoom, box.top(), kRoom, box.height())
                             : QRect(box.left(), box.top(), kRoom, box.height());
    Controls::DrawSingleLineText(painter, line, shown.text, shown.font, rightToLeft ? Qt::AlignRight : Qt::AlignLeft,
                                 rightToLeft);
    painter.restore();
}

}  // namespace

int ComboFaces::Choose(bool rightToLeft, bool hover)
{
    if (rightToLeft) return hover ? kRtlHover : kRtlNormal;
    return hover ? kLtrHover : kLtrNormal;
}

ComboFaces::Text ComboFaces::FitText(const QString& text)
{
    for (int pixels = kFacePixels; pixels >= kSmallestFacePixels; --pixels) {
        QFont font = FaceFont(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text) <= kTextRoom) return {font, text};
    }
    QFont font = FaceFont(kSmallestFacePixels);
    return {font, QFontMetrics(font).elidedText(text, Qt::ElideRight, kTextRoom)};
}

QRect ComboFaces::TextField(const QRect& face, bool rightToLeft)
{
    return face.adjusted(rightToLeft ? kArrowWidth : 0, 0, rightToLeft ? 0 : -kArrowWidth, 0);
}

QRect ComboFaces::TextBox(const QRect& face, bool rightToLeft)
{
    const QRect field = TextField(face, rightToLeft);
    return rightToLeft ? field.adjusted(0, 0, -kTextShift, 0) : field.adjusted(kTextShift, 0, 0, 0);
}

// The closed box: the face bitmap with the selected item's text drawn onto it.
class FaceComboWidget : public QComboBox {
public:
    FaceComboWidget(QWidget* parent, CMyComboBox* control) : QComboBox(parent), m_control(control)
    {
        setAttribute(Qt::WA_Hover);
        setMaxVisibleItems(kVisibleItems);
        setMaximumHeight(CMyComboBox::kFaceHeight);
        for (int id : {ComboFaces::kLtrNormal, ComboFaces::kLtrHover, ComboFaces::kRtlNormal, ComboFaces::kRtlHover})
            m_faces[id] = LoadBitmapResource(id);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage face = m_faces[m_control->CurrentFace()];
        if (face.isNull()) return;
        face = face.convertToFormat(QImage::Format_RGB32);
        int index = currentIndex();
        if (index >= 0) {
            QPainter onFace(&face);
            bool rtl = m_control->IsRtlLayout();
            QRect box = ComboFaces::TextBox(rect(), rtl);
            QRect field = ComboFaces::TextField(face.rect(), rtl) & rect();
            DrawFaceText(onFace, box, field, itemText(index), rtl);
        }
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), face);
    }
    void enterEvent(QEnterEvent* e) override
    {
        m_control->SetHover(true);
        QComboBox::enterEvent(e);
    }
    void leaveEvent(QEvent* e) override
    {
        m_control->SetHover(false);
        QComboBox::leaveEvent(e);
    }
    void hideEvent(QHideEvent* e) override
    {
        m_control->SetHover(false);
        QComboBox::hideEvent(e);
    }

private:
    CMyComboBox* m_control;
    std::map<int, QImage> m_faces;
};

CMyComboBox::CMyComboBox(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    auto* combo = new FaceComboWidget(owner->Widget(), this);
    combo->setObjectName(QString::number(id));
    QObject::connect(combo, &QComboBox::currentIndexChanged, [this, owner, id](int) {
        if (!m_bFilling) owner->Dispatch(WM_COMMAND, static_cast<WPARAM>(id), 0);
    });
    m_pWidget = combo;
    m_pWidget->hide();
}

CMyComboBox::~CMyComboBox() = default;

void CMyComboBox::ResetContent()
{
    rt::SendToUi([&] {
        m_bFilling = true;
        Combo()->clear();
        m_bFilling = false;
    });
}

int CMyComboBox::AddString(const std::wstring& text, int itemData)
{
    int index = -1;
    rt::SendToUi([&] {
        m_bFilling = true;
        Combo()->addItem(ToQ(text), itemData);
        m_bFilling = false;
        index = Combo()->count() - 1;
    });
    return index;
}

int CMyComboBox::GetCurSel() const { return Combo()->currentIndex(); }

void CMyComboBox::SetCurSel(int index)
{
    rt::SendToUi([&] {
        m_bFilling = true;
        Combo()->setCurrentIndex(index < GetCount() ? index : -1);
        m_bFilling = false;
    });
}

int CMyComboBox::GetItemData(int index) const { return Combo()->itemData(index).toInt(); }

int CMyComboBox::GetCount() const { return Combo()->count(); }

std::wstring CMyComboBox::GetLBText(int index) const { return FromQ(Combo()->itemText(index)); }

bool CMyComboBox::ChooseAsUser(int index)
{
    if (index < 0 || index >= GetCount()) return false;
    rt::SendToUi([&] { Combo()->setCurrentIndex(index); });
    return true;
}

bool CMyComboBox::IsRtlLayout() const
{
    return (m_dwExStyle & (WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
}

void CMyComboBox::OnStyleChanged()
{
    // The drop-down list reads in the box's direction.
    m_pWidget->setLayoutDirection(IsRtlLayout() ? Qt::RightToLeft : Qt::LeftToRight);
}

void CMyComboBox::SetHover(bool hover)
{
    if (m_bHover == hover) return;
    m_bHover = hover;
    m_pWidget->update();
}
