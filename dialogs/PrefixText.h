#pragma once
// A static text whose caption follows the mnemonic rule of a window's text: "&&" shows
// one "&" and a single "&" shows nothing (it marks the next letter). The caption keeps
// the doubled form; the control draws what a person reads. Wraps within its rectangle
// and aligns as its styles say, like CStaticText. Its text may start below the control's
// top edge (the inset), so that glyphs reaching above the Latin letters stay inside it.
#include <QRect>
#include <QString>
#include <QTextOption>

#include "framework/Wnd.h"

class CPrefixText : public CWnd {
public:
    CPrefixText(CDialogEx* owner, int id);
    // The text as drawn.
    QString ShownText() const;
    int Alignment() const;
    bool RightToLeft() const { return (m_dwExStyle & WS_EX_RTLREADING) != 0; }

    // Words wider than the control break at its edge (a network name without spaces).
    void SetBreakLongWords(bool on) { m_wrap = on ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WordWrap; }
    QTextOption::WrapMode WrapMode() const { return m_wrap; }
    // Where the text is laid out, in the dialog's client pixels: the control may be larger
    // than it, so that glyphs reaching past it stay inside the control. Set after moving
    // the control; moving it again without this lays the text out in the whole control.
    void SetTextRect(const QRect& rect);
    QRect TextRect() const;
    // The ink of the text if it were laid out in `textRect`.
    QRect InkFor(const QRect& textRect) const;

private:
    QTextOption::WrapMode m_wrap = QTextOption::WordWrap;
    QRect m_textRect;  // in the dialog's client pixels
    QRect m_placedAt;  // the control's place when m_textRect was set
};
