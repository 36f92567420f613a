#pragma once
// The grey veil over the wizard while one of its modal dialogs is open.
#include <QImage>

#include "framework/Dialog.h"

class CGrayDlg : public CDialogEx {
public:
    explicit CGrayDlg(CDialogEx* owner);
    const char* ClassName() const override { return "CGrayDlg"; }

protected:
    BOOL OnInitDialog() override;
    void OnPaintBackground(QPainter& painter) override;

private:
    QImage m_veil;
};

// The overlay currently shown, or null.
extern CGrayDlg* g_pGrayDlg;
