#include "controls/ButtonFace.h"

#include "app/LocalizedText.h"

ButtonFaceChoice ChooseButtonFace(const ButtonItemState& state, bool hover)
{
    if (state.disabled) return {ButtonFace::Disabled, hover};
    if (state.selected) return {ButtonFace::Pressed, false};
    if (state.focused) return {hover ? ButtonFace::Hover : ButtonFace::Focused, hover};
    return {hover ? ButtonFace::Hover : ButtonFace::Normal, hover};
}

WORD ButtonFaceSet::For(ButtonFace face) const
{
    switch (face) {
    case ButtonFace::Normal: return normal;
    case ButtonFace::Disabled: return disabled;
    case ButtonFace::Focused: return focused;
    case ButtonFace::Hover: return hover;
    case ButtonFace::Pressed: return pressed;
    }
    return 0;
}

ButtonFaceSet WizardButtonFaces(int controlId, int uiLanguage)
{
    const bool rtl = IsRtlLanguage(uiLanguage);
    switch (controlId) {
    case 1067: case 1068: case 1078: case 1069: return kStandardFaces;  // Next, Back, Cancel/Close
    case 1073: case 1077: return kWideFaces;
    case 1074: case 1075: case 1072: return kWiderFaces;
    case 1103: return uiLanguage == 1049 ? kConnectLongFaces : kConnectFaces;
    case 1098: return rtl ? kRescanRtlFaces : kRescanFaces;
    case 1120: return rtl ? kNameHeaderRtlFaces : kNameHeaderFaces;
    case 1121: return rtl ? kSecurityHeaderRtlFaces : kSecurityHeaderFaces;
    case 1122: return rtl ? kStrengthHeaderRtlFaces : kStrengthHeaderFaces;
    case 1102: return kBubbleFaces;
    case 1162: return kTickedBoxFaces;
    case 1163: return kLicenceEmptyBoxFaces;
    default: return {};
    }
}

ButtonCaptionStyle CaptionStyleFor(int controlId, int uiLanguage)
{
    const bool rtl = IsRtlLanguage(uiLanguage);
    // 9 point at 96 dots per inch is 12 pixels, 10 point 13.
    ButtonCaptionStyle style{L"Arial", 12, true, kCaptionRgb, CaptionAlign::Centre, 0, 0, rtl};
    if (rtl) style = {L"Arial", 13, false, kCaptionRgb, CaptionAlign::Centre, 0, 0, true};
    else if (uiLanguage == 1054) style = {L"Arial Unicode MS", 13, false, kCaptionRgb, CaptionAlign::Centre, 0, 0, false};

    switch (controlId) {
    case 1102:  // the hint bubble: a quieter regular face
        style.family = L"Arial";
        style.pixelHeight = 12;
        style.bold = false;
        break;
    case 1120: case 1121: case 1122:  // column headers: text at the reading side, 10 pixels in
        if (rtl) {
            style.align = CaptionAlign::Right;
            style.insetRight = 10;
        } else {
            style.align = CaptionAlign::Left;
            style.insetLeft = 10;
        }
        break;
    case 1151:  // the PIN box: large black digits
        style.family = L"Arial";
        style.pixelHeight = 20;
        style.bold = true;
        style.rgb = 0x000000;
        break;
    default:
        break;
    }
    return style;
}
