#pragma once
// The cancel question: "Are you sure you want to cancel Setup?" with Yes and No.
#include <QImage>

#include "framework/Controls.h"
#include "framework/MessageMap.h"

class CQuitDlg : public CMappedDialog<CQuitDlg> {
public:
    explicit CQuitDlg(CDialogEx* parent);
    const char* ClassName() const override { return "CQuitDlg"; }

    using Map = MessageMapEntry<CQuitDlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    LRESULT OnCloseFromOutside(WPARAM, LPARAM);
    void OnYes() { OnOK(); }
    void OnNo() { OnCancel(); }

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnPaintBackground(QPainter& painter) override;

private:
    QImage m_background;
};
