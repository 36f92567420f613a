#pragma once
// What the two translucent veils share: a caption-less window over the covered
// window's content panel with slightly rounded corners, 80 % opaque, showing the veil
// picture stretched over its client area, and the (idle) animation control 1161 of
// their common dialog template.
#include <QImage>
#include <QRect>

#include "framework/Dialog.h"

class CAnimateCtrl;

class COverlayVeil : public CDialogEx {
public:
    static constexpr int kTemplateId = 327;
    static constexpr int kAnimationId = 1161;
    static constexpr int kPictureId = 264;
    static constexpr double kOpacity = 204.0 / 255.0;  // 80 % opaque

    // `mainWindow`: the application's main window; null takes the top of the owner chain.
    COverlayVeil(CDialogEx* parent, CDialogEx* mainWindow);

    // The veil picture as it is painted (composed over white); null when it did not load.
    const QImage& Picture() const { return m_picture; }
    CAnimateCtrl* Animation() const { return m_pAnimate; }
    CDialogEx* MainWindow() const;

    // The height of a caption bar as the system reports it (the frame border above it
    // not included).
    static int CaptionBarHeight();

protected:
    // The veil's window rectangle on screen.
    virtual QRect VeilPlacement() const = 0;

    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnPaintBackground(QPainter& painter) override;

    CAnimateCtrl* m_pAnimate = nullptr;
    QImage m_picture;

private:
    CDialogEx* m_pMainWindow;
};
