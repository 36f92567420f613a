#pragma once
// The grey veil over the wizard while one of its modal dialogs is open, and while a
// rescan runs: then it also turns the spinner and says "Scanning for networks...".
#include "controls/OverlayVeil.h"

class CGrayDlg : public COverlayVeil {
public:
    static constexpr int kSpinnerAviId = 337;
    static constexpr int kScanningTextId = 203;

    // `owner`: the wizard, whose window the veil covers. `scanning`: 1 turns on the
    // spinner and the scanning text (the rescan command); it is read by Create().
    explicit CGrayDlg(CDialogEx* owner, BOOL scanning = FALSE);
    ~CGrayDlg() override;
    const char* ClassName() const override { return "CGrayDlg"; }

    void SetScanning(BOOL scanning) { m_bScanning = scanning; }  // before Create()
    BOOL IsScanning() const { return m_bScanning; }

protected:
    QRect VeilPlacement() const override;
    BOOL OnInitDialog() override;
    void OnPaintBackground(QPainter& painter) override;

private:
    void StartSpinner();
    void DrawScanningText(QPainter& painter);

    BOOL m_bScanning = FALSE;
};

// The grey veil while it exists, or null.
extern CGrayDlg* g_pGrayDlg;
