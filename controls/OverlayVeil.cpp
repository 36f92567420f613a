#include "controls/OverlayVeil.h"

#include <QPainter>

#include "controls/AnimateCtrl.h"
#include "controls/OverlayGeometry.h"
#include "controls/Pictures.h"
#include "framework/Framework.h"

COverlayVeil::COverlayVeil(CDialogEx* parent, CDialogEx* mainWindow)
    : CDialogEx(kTemplateId, parent), m_pMainWindow(mainWindow)
{
    // Clicks on the veil reach the wizard under it, which hands them to its open question.
    SetTransparentForInput(true);
}

CDialogEx* COverlayVeil::MainWindow() const
{
    if (m_pMainWindow) return m_pMainWindow;
    CDialogEx* top = Parent();
    while (top && top->Parent()) top = top->Parent();
    return top;
}

int COverlayVeil::CaptionBarHeight() { return kCaptionHeight - kFrameBorder; }

void COverlayVeil::CreateControls()
{
    m_pAnimate = AddControl<CAnimateCtrl>(kAnimationId);
    m_pAnimate->ModifyStyle(0, ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY);
    m_pAnimate->MoveWindow(0, 0, overlay::kSpinnerSize, overlay::kSpinnerSize);
    m_pAnimate->ShowWindow(SW_SHOW);
}

BOOL COverlayVeil::OnInitDialog()
{
    const QRect placed = VeilPlacement();
    MoveWindow(placed.x(), placed.y(), placed.width(), placed.height());
    SetWindowRegion(overlay::VeilWindowRegion(placed.width(), placed.height()));

    // The main window's caption turns inactive while the veil is up.
    if (CDialogEx* main = MainWindow()) {
        main->PostMessage(WM_NCACTIVATE, FALSE, 0);
        main->PostMessage(WM_NCPAINT, 1, 0);
    }

    SetWindowOpacity(kOpacity);
    if (Widget()) Widget()->update();

    // Composed once over white; the painting then copies it without blending.
    const QImage png = LoadPngResource(kPictureId);
    if (!png.isNull()) {
        m_picture = QImage(png.size(), QImage::Format_RGB32);
        m_picture.fill(Qt::white);
        QPainter p(&m_picture);
        p.drawImage(0, 0, png);
    }
    return TRUE;
}

void COverlayVeil::OnPaintBackground(QPainter& painter)
{
    if (m_picture.isNull()) return;
    painter.drawImage(Widget()->rect(), m_picture);
}
