#pragma once
// Plain controls: static text, push button and picture. They
// paint themselves over their parent's background and never paint one of their own.
#include <QImage>
#include <QPushButton>
#include <QWidget>

#include "framework/Wnd.h"

// A static text: wraps within its rectangle; right-aligned with SS_RIGHT/WS_EX_RIGHT,
// right-to-left reading with WS_EX_RTLREADING, centred with SS_CENTER.
class CStaticText : public CWnd {
public:
    CStaticText(CDialogEx* owner, int id);
    int Alignment() const;
    // The text starts this many pixels under the control's top. With `marksAbove` the
    // room is for marks that rise above the first line (they may use it); without,
    // it keeps the text clear of what lies above the control.
    void SetTextTop(int pixels, bool marksAbove = true);
    int TextTop() const { return m_nTextTop; }
    int Headroom() const { return m_bMarksAbove ? m_nTextTop : 0; }
    // What is drawn, when it differs from the caption (a sentence whose gap is fitted to
    // the word placed in it); a new caption ends it.
    void SetShownText(const std::wstring& text);
    std::wstring ShownText() const { return m_bShownSet ? m_shown : GetWindowTextW(); }
    // Where the text is laid out, in the parent's coordinates.
    QRect TextRect() const { return GetClientRectInParent().adjusted(0, m_nTextTop, 0, 0); }

private:
    int m_nTextTop = 0;
    bool m_bMarksAbove = true;
    std::wstring m_shown;
    bool m_bShownSet = false;

protected:
    void OnTextChanged() override;
};

// A push button that sends its ID as a command to the dialog when clicked.
class CPushButton : public CWnd {
public:
    CPushButton(CDialogEx* owner, int id);
    QPushButton* Button() const { return static_cast<QPushButton*>(m_pWidget); }

protected:
    void OnTextChanged() override;
};

// A picture control showing one image (a PNG or bitmap resource), scaled to fit if set.
class CPicture : public CWnd {
public:
    CPicture(CDialogEx* owner, int id);
    void SetImage(const QImage& image, int resourceId);
    void ClearImage() { SetImage(QImage(), 0); }
    int ImageResourceId() const { return m_nImageId; }
    const QImage& Image() const { return m_image; }
    // Clicking a picture that has a command sends its ID (the licence check boxes).
    void SetClickable(bool on)
    {
        m_bClickable = on;
        m_pWidget->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    }
    bool Clickable() const { return m_bClickable; }

private:
    QImage m_image;
    int m_nImageId = 0;
    bool m_bClickable = false;
};
