#pragma once
// One PNG picture of the program, found by its resource ID and decoded when first used; and the
// two ways a decoded picture reaches the screen: drawn alpha-blended at its natural
// size, or converted into a bitmap over a background colour.
#include <QImage>
#include <QRgb>

class QPainter;

class CLoadPNGbitmap {
public:
    virtual ~CLoadPNGbitmap() = default;
};

class CGDIPlus2LoadPNGResource : public CLoadPNGbitmap {
public:
    CGDIPlus2LoadPNGResource() = default;
    ~CGDIPlus2LoadPNGResource() override;
    CGDIPlus2LoadPNGResource(const CGDIPlus2LoadPNGResource&) = delete;
    CGDIPlus2LoadPNGResource& operator=(const CGDIPlus2LoadPNGResource&) = delete;

    // Decodes the PNG resource with this ID; true when a usable picture is held
    // afterwards. Whatever was held before is released first, so a failed load leaves
    // the loader empty. Bitmap resources are not PNG resources and do not load here.
    bool Load(int resourceId);
    void Empty();

    // The decoded picture, or null while empty.
    const QImage* GetBitmap() const { return Picture().isNull() ? nullptr : &m_bitmap; }
    bool IsLoaded() const { return !Picture().isNull(); }
    int ResourceId() const { return m_nResourceId; }  // 0 while empty

    // Draws the whole picture at its natural size with its top-left corner at (x, y),
    // blended over what the painter's device already holds. Nothing while empty.
    void Draw(QPainter& dc, int x = 0, int y = 0) const;

    // The picture composed over the background colour (ARGB; the default is white with
    // an alpha of 0, which keeps the picture's own transparency). Null while empty.
    QImage CreateBitmap(QRgb background = 0x00FFFFFF) const;

private:
    // Decodes on first use (once per process for each picture).
    const QImage& Picture() const;

    mutable QImage m_bitmap;
    mutable bool m_bDecoded = false;
    int m_nResourceId = 0;
};
