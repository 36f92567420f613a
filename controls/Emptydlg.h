#pragma once
// A blank modal dialog that only holds a modal loop: the wizard runs it while the
// scanning veil is shown, and ends it when the scan is over. It sits 1 x 1 pixel at
// the screen's corner and is never seen.
#include "framework/Dialog.h"

class CEmptydlg : public CDialogEx {
public:
    static constexpr int kTemplateId = 105;

    explicit CEmptydlg(CDialogEx* parent = nullptr);
    const char* ClassName() const override { return "CEmptydlg"; }

    // However it ends, the grey veil is hidden at the same moment.
    void OnOK() override;
    void OnCancel() override;

protected:
    BOOL OnInitDialog() override;
};
