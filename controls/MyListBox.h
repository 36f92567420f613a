#pragma once
// A list box that paints itself as one flat colour and nothing else. The combo box keeps
// one that is never attached to a window, so its drop-down list keeps the system's look.
#include <QColor>

#include "framework/Wnd.h"

class CMyListBox : public CWnd {
public:
    static const QColor kFillColour;  // RGB(115, 138, 154)

    // Not attached to any window: holds no widget and must not be shown or moved.
    CMyListBox();
    // A list box child of the owner's window.
    CMyListBox(CDialogEx* owner, int id);
    ~CMyListBox() override;

    bool IsAttached() const { return m_pWidget != nullptr; }
};
