#pragma once
// A text link: link-blue text over the parent's background, underlined while it is
// lit (the mouse is over it or it has the keyboard focus), with the hand cursor. A
// click (pressed and released on the link) or Space or Enter while it has the focus
// sends its ID to the parent as a command. The check-box label of the password dialog
// (1157) is the quiet variant: text blue, never underlined, the arrow cursor, and it
// lights up its check box (1155) instead of taking the focus.
#include <QRect>

#include <cstdint>

#include "framework/Wnd.h"

constexpr int kCheckBoxLabelId = 1157;
constexpr int kCheckBoxLabelBoxId = 1155;
constexpr int kCopyLinkId = 1175;  // the error details' Copy link

// How a link's text is drawn.
struct LinkTextStyle {
    int pixelHeight;
    bool underline;
    std::uint32_t rgb;  // 0xRRGGBB
    bool alignRight;    // right-aligned with right-to-left reading; centred otherwise
    bool handCursor;
};
LinkTextStyle LinkStyleFor(int controlId, int uiLanguage, bool lit);

// The release rule of a click: the cursor at release lies within the rectangle the
// link covered at the press, its edges included.
bool ReleaseInsidePress(const QRect& pressRect, const QPoint& cursor);

class CMyStatic : public CWnd {
public:
    CMyStatic(CDialogEx* owner, int id);

    bool IsLit() const { return m_bLit; }

    // Called by the link's widget.
    void OnMouseMove();
    void OnMouseLeave();
    void OnLButtonDown(const QPoint& cursor);
    void OnLButtonUp(const QPoint& cursor);
    void OnSetFocus();
    void OnKillFocus();
    bool OnKeyDown(int qtKey);  // true when consumed
    void Paint(class QPainter& dc);
    void Click();

private:
    void LightCheckBox(bool on);

    bool m_bLit = false;
    bool m_bPressed = false;
    QRect m_rcPress;  // screen coordinates, recorded at the press
};
