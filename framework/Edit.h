#pragma once
// A single-line edit box: bordered, scrolling its text sideways, limited to a number of
// characters, optionally masking what is typed with a password character. Every change
// of its text (typed or set) sends its ID to the dialog as a command, as an edit's text
// update notification does; the dialog reads the text with GetWindowTextW.
#include <QLineEdit>

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    CEdit(CDialogEx* owner, int id);

    QLineEdit* LineEdit() const { return static_cast<QLineEdit*>(m_pWidget); }
    // At most `count` characters, typed or set; longer texts are cut.
    void SetLimitText(int count);
    int GetLimitText() const;
    // 0 shows the text in clear; any other character masks every character with it.
    void SetPasswordChar(wchar_t c);
    wchar_t GetPasswordChar() const { return m_passwordChar; }
    // What a person sees in the box: the text, or one password character per character.
    std::wstring DisplayedText() const;
    // Puts the caret after the last character and scrolls it into view.
    void SetCaretAtEnd();

protected:
    void OnTextChanged() override;
    void OnStyleChanged() override;

private:
    void TextEdited(const QString& text);

    wchar_t m_passwordChar = 0;
    bool m_bSetting = false;
};
