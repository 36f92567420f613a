#pragma once
// The layout audit: what a person would see wrong on the window shown now, read from
// the program's own layout (the controls' rectangles, fonts and text layout), not from
// pixels. For every visible control of the window:
//   - it lies inside the window's client area;
//   - its text is drawn whole inside it: no line cut, no glyph outside its rectangle
//     (tone marks and descenders included); a button's caption stays inside its face;
//   - every glyph comes from the program's own fonts; a mirrored window's texts read
//     right to left, right-aligned;
//   - an image button's face pictures fit its size (and, on the wizard, are the set the
//     interface language asks for);
//   - nothing drawn lies over anything else drawn (texts by the ink of their words,
//     other controls by their rectangles), except the pairs the pages place so;
//   - a bold inline word sits whole in the gap its sentence leaves for it, a blank away
//     from the word before it and close to the punctuation after it.
// Works on any dialog; the checks that need a page's knowledge (inline words, face
// sets) apply where their controls are.
#include <string>
#include <vector>

class CDialogEx;

namespace lab {

struct LayoutFinding {
    int control = 0;    // the control found wrong (0: the window)
    int other = 0;      // the second control of an overlap
    int pixels = 0;     // by how many pixels
    std::string what;   // "is cut", "overlaps", ...

    std::string Text() const;  // "control 1061 is cut by 5 pixels: ..."
};

std::vector<LayoutFinding> AuditLayout(CDialogEx& window);

}  // namespace lab
