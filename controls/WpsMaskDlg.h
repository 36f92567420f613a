#pragma once
// The veil over the WPS connect dialog while a dialog opened from it is shown. It is
// placed over the wizard's content panel like the grey veil, always 438 pixels high,
// and has no scanning mode.
#include "controls/OverlayVeil.h"

class CWpsMaskDlg : public COverlayVeil {
public:
    // `parent`: the WPS connect dialog. `mainWindow`: the wizard, which gives the
    // placement; null takes the top of the parent's owner chain.
    explicit CWpsMaskDlg(CDialogEx* parent, CDialogEx* mainWindow = nullptr);
    ~CWpsMaskDlg() override;
    const char* ClassName() const override { return "CWpsMaskDlg"; }

protected:
    QRect VeilPlacement() const override;
};

// The WPS veil while it exists, or null.
extern CWpsMaskDlg* g_pWpsMaskDlg;
