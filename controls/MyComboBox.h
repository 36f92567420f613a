#pragma once
// A drop-down list combo box (the wizard's language choice, the password dialog's
// security type) whose closed face is a bitmap with its own arrow, showing the selected
// item's text; under the mouse it shows its hover face. The drop-down list keeps the
// system's look. A change of selection by the user sends the control's ID as a command;
// filling the box and SetCurSel send nothing. Right-to-left (WS_EX_RIGHT,
// WS_EX_RTLREADING or WS_EX_LAYOUTRTL) takes the faces with the arrow at the left and
// right-aligns the text.
#include <QComboBox>
#include <QFont>
#include <QImage>

#include <string>

#include "controls/MyListBox.h"
#include "framework/Wnd.h"

// The faces of the closed box, bitmaps of 132 x 23 pixels.
struct ComboFaces {
    static constexpr int kLtrNormal = 433;
    static constexpr int kLtrHover = 434;
    static constexpr int kRtlNormal = 435;
    static constexpr int kRtlHover = 432;
    // The arrow's segment at the right end (left end right-to-left) of every face.
    static constexpr int kArrowWidth = 22;
    // The face for the layout and whether the mouse is over the box.
    static int Choose(bool rightToLeft, bool hover);

    // The selected item's text starts this far in from the face's reading edge.
    static constexpr int kTextShift = 4;
    // The width the text may take: up to 2 pixels short of the arrow's segment.
    static constexpr int kTextRoom = 132 - kArrowWidth - kTextShift - 2;
    // The text as the face shows it: Arial 15 pixels; a name too long for the room is
    // drawn smaller, down to 12 pixels, and shortened with an ellipsis only when even that
    // does not fit.
    struct Text {
        QFont font;
        QString text;
    };
    static Text FitText(const QString& text);
    // The part of a face the text may ink: all but the arrow's segment.
    static QRect TextField(const QRect& face, bool rightToLeft);
    // Where the text starts: the field moved kTextShift in from the reading edge (a glyph
    // may overhang that edge into the field).
    static QRect TextBox(const QRect& face, bool rightToLeft);
};

class CMyComboBox : public CWnd {
public:
    static constexpr int kFaceHeight = 23;

    CMyComboBox(CDialogEx* owner, int id);
    ~CMyComboBox() override;

    QComboBox* Combo() const { return static_cast<QComboBox*>(m_pWidget); }
    void ResetContent();
    // Appends an item; returns its index.
    int AddString(const std::wstring& text, int itemData);
    int GetCurSel() const;
    // Selects without a command (-1: nothing selected).
    void SetCurSel(int index);
    int GetItemData(int index) const;
    int GetCount() const;
    std::wstring GetLBText(int index) const;

    // Picks an entry as a person does in the drop-down list: a different entry than the
    // current one sends the command. False when there is no such entry.
    bool ChooseAsUser(int index);

    bool IsRtlLayout() const;
    bool IsHover() const { return m_bHover; }
    // The face shown now (a bitmap resource ID).
    int CurrentFace() const { return ComboFaces::Choose(IsRtlLayout(), m_bHover); }

protected:
    void OnStyleChanged() override;

private:
    friend class FaceComboWidget;
    void SetHover(bool hover);

    CMyListBox m_ListBox;  // never attached to a window
    bool m_bHover = false;
    bool m_bFilling = false;
};
