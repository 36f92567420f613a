#pragma once
// What an image button shows: which of its five faces for the state it is drawn in,
// which pictures make up the face sets of the wizard's buttons, and how its caption is
// set. Plain logic, no widgets, so that it can be checked case by case.
#include <cstdint>
#include <string_view>

#include "platform/Win32Types.h"

// The five faces of an image button.
enum class ButtonFace { Normal, Disabled, Focused, Hover, Pressed };
constexpr int kButtonFaceCount = 5;

// The item state of one draw request.
struct ButtonItemState {
    bool disabled = false;
    bool selected = false;  // pressed: the mouse button or Space is down on it
    bool focused = false;   // it has the keyboard focus
};

struct ButtonFaceChoice {
    ButtonFace face;
    bool hover;  // the button's hover flag after the draw: pressing clears it
};

// Disabled wins over everything; pressed over focus and hover (and ends the hover
// until the mouse comes to rest on the button again); a focused button under the mouse
// shows its hover face.
ButtonFaceChoice ChooseButtonFace(const ButtonItemState& state, bool hover);

// The PNG resource IDs of one button's five faces.
struct ButtonFaceSet {
    WORD normal = 0;
    WORD disabled = 0;
    WORD focused = 0;
    WORD hover = 0;
    WORD pressed = 0;
    WORD For(ButtonFace face) const;
    bool operator==(const ButtonFaceSet&) const = default;
};

// Push buttons: 70, 93 and 115 pixels wide, 27 high.
constexpr ButtonFaceSet kStandardFaces{204, 205, 206, 207, 208};
constexpr ButtonFaceSet kWideFaces{367, 366, 368, 369, 370};
constexpr ButtonFaceSet kWiderFaces{372, 371, 373, 374, 375};
// The WPS Connect button, 80 × 23 and, for long captions, 100 × 23. It is never
// disabled on its page, so its focused face is its hover face.
constexpr ButtonFaceSet kConnectFaces{286, 288, 287, 287, 289};
constexpr ButtonFaceSet kConnectLongFaces{376, 378, 377, 377, 379};
// The network list's column headers and the rescan button, 35 high, left-to-right and
// right-to-left (the grooves and corners are mirrored).
constexpr ButtonFaceSet kNameHeaderFaces{295, 295, 295, 298, 324};
constexpr ButtonFaceSet kNameHeaderRtlFaces{355, 355, 355, 356, 357};
constexpr ButtonFaceSet kSecurityHeaderFaces{296, 296, 296, 346, 347};
constexpr ButtonFaceSet kSecurityHeaderRtlFaces{358, 358, 358, 359, 360};
constexpr ButtonFaceSet kStrengthHeaderFaces{297, 297, 297, 299, 325};
constexpr ButtonFaceSet kStrengthHeaderRtlFaces{362, 362, 362, 363, 232};
constexpr ButtonFaceSet kRescanFaces{260, 260, 260, 261, 323};
constexpr ButtonFaceSet kRescanRtlFaces{352, 352, 352, 353, 354};
// The grey bubble behind the rescan button's hint: one picture for every state.
constexpr ButtonFaceSet kBubbleFaces{294, 294, 294, 294, 294};
// Check boxes, 16 × 16: 321 empty, 320 ticked, 436 ticked and dimmed (what a click on
// an empty box would give, shown while the mouse or the focus is on it).
constexpr ButtonFaceSet kEmptyBoxFaces{321, 321, 436, 436, 321};          // password dialog 1155
constexpr ButtonFaceSet kTickedBoxFaces{320, 320, 320, 320, 320};         // password dialog 1156, licence 1162
constexpr ButtonFaceSet kLicenceEmptyBoxFaces{321, 321, 436, 436, 436};   // licence 1163

// The face set of each image button of the wizard's page template, by control ID, in
// the given UI language (right-to-left languages take the mirrored headers and rescan
// button; Russian the long Connect button). All zeros for an ID that is not one.
ButtonFaceSet WizardButtonFaces(int controlId, int uiLanguage);

// How a button's caption is set, by control ID and UI language.
enum class CaptionAlign { Centre, Left, Right };
struct ButtonCaptionStyle {
    std::wstring_view family;  // font face name
    int pixelHeight;           // character height in pixels
    bool bold;
    std::uint32_t rgb;         // 0xRRGGBB
    CaptionAlign align;
    int insetLeft;             // the text rectangle is the client area minus these
    int insetRight;
    bool rtlReading;
};
ButtonCaptionStyle CaptionStyleFor(int controlId, int uiLanguage);

// The caption colour on every face: near-white, readable on blue and grey alike.
constexpr std::uint32_t kCaptionRgb = 0xF8F7F7;
