#pragma once
// A static text whose caption follows the mnemonic rule of a window's text: "&&" shows
// one "&" and a single "&" shows nothing (it marks the next letter). The caption keeps
// the doubled form; the control draws what a person reads. Wraps within its rectangle
// and aligns as its styles say, like CStaticText.
#include <QString>

#include "framework/Wnd.h"

class CPrefixText : public CWnd {
public:
    CPrefixText(CDialogEx* owner, int id);
    // The text as drawn.
    QString ShownText() const;
    int Alignment() const;
};
