#include "controls/MyButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "app/Globals.h"
#include "controls/MemDrawDC.h"
#include "controls/SingleLineText.h"
#include "framework/Dialog.h"

int g_bHoverLabel = 0;

namespace {

// A push button that leaves all drawing to its control: the focus chain, Space to
// press, the click and the accessible push-button role are the toolkit's.
class MyButtonWidget : public QPushButton {
public:
    MyButtonWidget(QWidget* parent, CMyButton* control) : QPushButton(parent), m_control(control)
    {
        setAutoDefault(false);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        QObject::connect(this, &QPushButton::clicked, [control] { control->OnClicked(); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_control->PrepareFaces(p);
        m_control->DrawItem(p);
    }
    void enterEvent(QEnterEvent* e) override
    {
        QPushButton::enterEvent(e);
        if (isEnabled()) m_control->OnMouseMove();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (isEnabled()) m_control->OnMouseMove();
        QPushButton::mouseMoveEvent(e);
    }
    void leaveEvent(QEvent* e) override
    {
        QPushButton::leaveEvent(e);
        m_control->OnMouseLeave();
    }

private:
    CMyButton* m_control;
};

// Screen readers see a push button named by its caption; pressing it is a click, at
// once (the toolkit's own button animates the press on a timer of its own).
class MyButtonAccessible : public QAccessibleWidget {
public:
    explicit MyButtonAccessible(MyButtonWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = static_cast<QPushButton*>(widget())->isDown();
        return s;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override
    {
        if (name == pressAction()) static_cast<QPushButton*>(widget())->click();
        else QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* MyButtonAccessibleFactory(const QString&, QObject* object)
{
    if (auto* button = dynamic_cast<MyButtonWidget*>(object)) return new MyButtonAccessible(button);
    return nullptr;
}

// The composition order of the faces.
constexpr ButtonFace kComposeOrder[] = {ButtonFace::Normal, ButtonFace::Pressed, ButtonFace::Focused,
                                        ButtonFace::Hover, ButtonFace::Disabled};

}  // namespace

QFont ButtonCaptionFont(const ButtonCaptionStyle& style)
{
    QFont font(QString::fromWCharArray(style.family.data(), static_cast<qsizetype>(style.family.size())));
    // A face the machine lacks falls back to Arial's substitutes (Thai among them).
    font.setFamilies({font.family(), QStringLiteral("Arial")});
    font.setPixelSize(style.pixelHeight);
    font.setBold(style.bold);
    return font;
}


CMyButton::CMyButton(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(MyButtonAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    m_pWidget = new MyButtonWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
}

CMyButton::CMyButton(CDialogEx* owner, int id, const ButtonFaceSet& faces) : CMyButton(owner, id)
{
    LoadFaces(faces);
}

CMyButton::~CMyButton()
{
    for (auto& picture : m_pictures) picture.Empty();
}

int CMyButton::LoadFaces(WORD normal, WORD disabled, WORD focused, WORD hover, WORD pressed)
{
    Face(ButtonFace::Normal).Load(normal);
    Face(ButtonFace::Disabled).Load(disabled);
    Face(ButtonFace::Focused).Load(focused);
    Face(ButtonFace::Hover).Load(hover);
    Face(ButtonFace::Pressed).Load(pressed);
    return 1;
}

int CMyButton::LoadFaces(const ButtonFaceSet& faces)
{
    return LoadFaces(faces.normal, faces.disabled, faces.focused, faces.hover, faces.pressed);
}

void CMyButton::ReplaceFaces(const ButtonFaceSet& faces)
{
    if (faces == LoadedFaces()) return;
    LoadFaces(faces);
    for (QImage& face : m_faces) face = QImage();
    m_background = QImage();  // the button may stand elsewhere now (mirrored pages)
    m_bPrepared = false;
    m_pWidget->update();
}

ButtonFaceSet CMyButton::LoadedFaces() const
{
    auto id = [this](ButtonFace f) { return static_cast<WORD>(m_pictures[static_cast<int>(f)].ResourceId()); };
    return {id(ButtonFace::Normal), id(ButtonFace::Disabled), id(ButtonFace::Focused), id(ButtonFace::Hover),
            id(ButtonFace::Pressed)};
}

// ---- Hover tracking ---------------------------------------------------------------------

void CMyButton::OnMouseMove()
{
    // One hover per stay of the mouse; the hover time is a millisecond, so the hover
    // comes with the first move.
    if (m_bTracking) return;
    m_bTracking = true;
    OnMouseHover();
}

void CMyButton::OnMouseHover()
{
    m_bHover = true;
    m_pWidget->update();
    SetHoverText(m_szHoverText);
}

void CMyButton::OnMouseLeave()
{
    if (!m_bTracking) return;  // no stay began, so none ends
    m_bTracking = false;
    m_bHover = false;
    SetHoverText(m_szHoverText);
    m_pWidget->update();
    if (!m_szHoverText.empty()) {
        g_bHoverLabel = 0;
        m_bNotified = false;
        NotifyHover();
    }
}

void CMyButton::SetHoverText(const std::wstring& text)
{
    if (text.empty()) return;
    m_szHoverText = text;
    UpdateAccessibleName();
    if (m_bHover && !m_bNotified) {
        g_bHoverLabel = 1;
        m_bNotified = true;
        NotifyHover();
    }
}

void CMyButton::NotifyHover()
{
    if (m_pOwner && m_nID != 0)
        m_pOwner->SendMessage(WM_COMMAND, kHoverNotifyId, reinterpret_cast<LPARAM>(this));
}

void CMyButton::SetHover(bool hover)
{
    m_bHover = hover;
    m_pWidget->update();
}

void CMyButton::OnClicked()
{
    if (m_pOwner) m_pOwner->SendMessage(WM_COMMAND, static_cast<WPARAM>(m_nID), reinterpret_cast<LPARAM>(this));
}

// ---- Faces --------------------------------------------------------------------------------

void CMyButton::CaptureParentBackground()
{
    QWidget* parent = m_pWidget->parentWidget();
    const qreal ratio = m_pWidget->devicePixelRatioF();
    m_background = QImage(m_pWidget->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_background.setDevicePixelRatio(ratio);
    m_background.fill(Qt::transparent);
    if (!parent) return;
    // The parent's own painting only: its background, none of its children.
    parent->render(&m_background, QPoint(0, 0), QRegion(m_pWidget->geometry()), QWidget::DrawWindowBackground);
}

void CMyButton::RecaptureBackground(QPainter& parentDc)
{
    QPaintDevice* device = parentDc.device();
    if (!device || device->devType() != QInternal::Image) return;
    const QImage& pixels = *static_cast<QImage*>(device);
    QRect source = parentDc.deviceTransform().mapRect(QRectF(m_pWidget->geometry())).toAlignedRect();
    m_background = pixels.copy(source).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_background.setDevicePixelRatio(pixels.devicePixelRatio());
}

void CMyButton::PrepareFaces(QPainter& dc)
{
    if (m_bPrepared || !Face(ButtonFace::Normal).IsLoaded()) return;
    const QRect client = m_pWidget->rect();
    CMemDrawDC off(dc, client);
    if (m_background.isNull()) CaptureParentBackground();
    if (m_faces[static_cast<int>(ButtonFace::Normal)].isNull()) {
        for (ButtonFace face : kComposeOrder) {
            off.save();
            off.setCompositionMode(QPainter::CompositionMode_Source);
            off.drawImage(client, m_background);
            off.restore();
            const CGDIPlus2LoadPNGResource& picture = Face(face);
            if (!picture.IsLoaded()) continue;  // that state draws nothing
            picture.Draw(off, 0, 0);
            m_faces[static_cast<int>(face)] = off.Bitmap().copy();
        }
    }
    if (!m_currentFace) m_currentFace = ButtonFace::Normal;
    m_bPrepared = true;
}

void CMyButton::DrawItem(QPainter& dc)
{
    auto* button = static_cast<QPushButton*>(m_pWidget);
    ButtonItemState state{!m_pWidget->isEnabled(), button->isDown(), m_pWidget->hasFocus()};
    ButtonFaceChoice choice = ChooseButtonFace(state, m_bHover);
    m_bHover = choice.hover;
    m_currentFace = choice.face;

    const QRect client = m_pWidget->rect();
    const QImage& face = m_faces[static_cast<int>(choice.face)];
    if (m_bPrepared && !face.isNull()) dc.drawImage(client, face);

    const int language = g_nUiLanguage;
    const ButtonCaptionStyle style = CaptionStyleFor(m_nID, language);
    dc.setPen(QColor::fromRgb(static_cast<QRgb>(style.rgb)));
    Qt::Alignment align = style.align == CaptionAlign::Left    ? Qt::AlignLeft
                          : style.align == CaptionAlign::Right ? Qt::AlignRight
                                                               : Qt::AlignHCenter;
    QRect text = client.adjusted(style.insetLeft, 0, -style.insetRight, 0);
    Controls::DrawSingleLineText(dc, text, Controls::StripMnemonics(ToQ(m_text)), ButtonCaptionFont(style), align,
                                 style.rtlReading);
}

// ---- Accessibility ------------------------------------------------------------------------

void CMyButton::OnTextChanged() { UpdateAccessibleName(); }

void CMyButton::UpdateAccessibleName()
{
    // A picture-only button (rescan) is named by its hover text.
    QString name = Controls::StripMnemonics(ToQ(m_text));
    if (name.isEmpty()) name = ToQ(m_szHoverText);
    m_pWidget->setAccessibleName(name);
}
