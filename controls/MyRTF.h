#pragma once
// The markup text label: a short paragraph from the string tables whose words may be
// coloured, resized or bold (see MarkupLayout.h), word-wrapped to the label's width and
// drawn over whatever the parent painted behind it. The text is rendered once per change
// into a transparent layer that later repaints only copy.
#include <QFont>
#include <QImage>
#include <QString>

#include <string>

#include "controls/MarkupLayout.h"
#include "framework/Wnd.h"

// Measures with the program's fonts: a MarkupFont becomes a copy of a template QFont
// (the label's font) with the face, size and weight of the description.
class CQtMarkupMeasure : public MarkupMeasure {
public:
    explicit CQtMarkupMeasure(QFont templateFont) : m_template(std::move(templateFont)) {}
    MarkupExtent TextExtent(const MarkupFont& font, const std::wstring& text) const override;
    int Descent(const MarkupFont& font) const override;
    QFont ToQFont(const MarkupFont& font) const;

private:
    QFont m_template;
};

// The description of a QFont as a LOGFONT would give it: a pixel size is a character
// height (negative), a point size is converted at dpi.
MarkupFont MarkupFontOf(const QFont& font, int dpi = 96);

class CMyRTF : public CWnd {
public:
    CMyRTF(CDialogEx* owner, int id);
    ~CMyRTF() override;

    // Sets the markup (also the window text) and repaints at once. The owner calls it
    // whenever the text or the language changes.
    void SetMarkup(const std::wstring& markup);
    // The window text of this label is its markup.
    void SetWindowTextW(const std::wstring& text) override { SetMarkup(text); }
    const std::wstring& Markup() const { return m_strMarkup; }

    // Mirrored (lines start at the right edge, right-to-left reading) with
    // WS_EX_RTLREADING or WS_EX_LAYOUTRTL.
    bool RightToLeft() const;

    // The pieces of the last rendering and how many renderings there were (tests).
    const MarkupLayoutResult& LastLayout() const { return m_layout; }
    int RenderCount() const { return m_nRenders; }

    // Draws the label (from the cached rendering, rendering first when needed).
    void Paint(class QPainter& painter);

protected:
    void OnStyleChanged() override { m_bDirty = true; }

private:
    void Render(QSize size, qreal ratio);

    QImage m_cache;  // the rendered text on transparent pixels, label-sized
    bool m_bDirty = true;
    std::wstring m_strMarkup;
    MarkupLayoutResult m_layout;
    QFont m_renderedFont;  // what the cache was rendered from, besides the markup
    QColor m_renderedColor;
    QSize m_renderedSize;
    qreal m_renderedRatio = 0;
    int m_nRenders = 0;
};
