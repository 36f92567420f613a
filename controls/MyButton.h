#pragma once
// The wizard's image button. Its face is one of five PNG pictures chosen by state
// (normal, disabled, focused, hover, pressed), composited once over the pixels of the
// parent behind the button and kept; its caption is drawn over the face in near-white.
// Loaded with check-box pictures it is a picture check box. A button with a hover text
// tells its parent (command 1104) once when the mouse comes to rest on it and once when
// the mouse leaves, so that the parent can show a hint of its own.
#include <QImage>

#include <optional>
#include <string>

#include "controls/ButtonFace.h"
#include "controls/GDIPlus2LoadPNGResource.h"
#include "framework/Wnd.h"

class QFont;
class QPainter;

// The font a caption of this style is drawn in.
QFont ButtonCaptionFont(const ButtonCaptionStyle& style);

// The hover-label flag, shared by every button: 1 while the mouse rests on a button
// with a hover text, 0 after it left. Read by the parent's handler of command 1104.
extern int g_bHoverLabel;
constexpr int kHoverNotifyId = 1104;

class CMyButton : public CWnd {
public:
    CMyButton(CDialogEx* owner, int id);
    CMyButton(CDialogEx* owner, int id, const ButtonFaceSet& faces);
    ~CMyButton() override;

    // Loads the five face pictures in this order; always 1.
    int LoadFaces(WORD normal, WORD disabled, WORD focused, WORD hover, WORD pressed);
    int LoadFaces(const ButtonFaceSet& faces);
    // One face picture, for owners that load a single face.
    CGDIPlus2LoadPNGResource& Face(ButtonFace face) { return m_pictures[static_cast<int>(face)]; }

    // Stores a non-empty hover text (an empty one is ignored); if the mouse already
    // rests on the button and the parent has not been told, tells it now.
    void SetHoverText(const std::wstring& text);
    const std::wstring& HoverText() const { return m_szHoverText; }

    // Replaces the background snapshot from the context the parent paints its own
    // background into (a CMemDrawDC or any painter on an image); other painters are
    // ignored. Only matters before the button's faces have been composited.
    void RecaptureBackground(QPainter& parentDc);

    // The hover flag: set while the mouse rests on the button. A check-box label sets
    // it on its box to light the box up.
    void SetHover(bool hover);
    bool IsHover() const { return m_bHover; }

    // Takes another face set and composites it at the next draw: for a button whose
    // pictures depend on the interface language when the language changes.
    void ReplaceFaces(const ButtonFaceSet& faces);
    // The picture IDs loaded now.
    ButtonFaceSet LoadedFaces() const;

    bool IsPrepared() const { return m_bPrepared; }
    // The face drawn last; none before the first draw.
    std::optional<ButtonFace> CurrentFace() const { return m_currentFace; }

    // Called by the button's widget.
    void OnMouseMove();
    void OnMouseLeave();
    void OnClicked();
    void PrepareFaces(QPainter& dc);  // the colour query that precedes every draw
    void DrawItem(QPainter& dc);

protected:
    void OnTextChanged() override;

private:
    void OnMouseHover();
    void NotifyHover();
    void CaptureParentBackground();
    void UpdateAccessibleName();

    CGDIPlus2LoadPNGResource m_pictures[kButtonFaceCount];  // by ButtonFace
    bool m_bHover = false;
    bool m_bTracking = false;
    bool m_bNotified = false;
    bool m_bPrepared = false;
    std::wstring m_szHoverText;
    QImage m_faces[kButtonFaceCount];  // composited faces, by ButtonFace
    QImage m_background;               // the parent's pixels behind the button
    std::optional<ButtonFace> m_currentFace;
};
