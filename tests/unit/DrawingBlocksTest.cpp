// The drawing blocks the controls share: the PNG loader, the off-screen context that
// reaches its target in one copy, and the bitmap control that leaves out pure white.
#include <gtest/gtest.h>

#include <QPainter>

#include "controls/GDIPlus2LoadPNGResource.h"
#include "controls/MemDrawDC.h"
#include "controls/Pictures.h"
#include "controls/TransImage.h"
#include "tests/unit/ImageControlsSupport.h"

using imagecontrols::ControlsTest;
using imagecontrols::PanelDlg;

// ---- The PNG loader -------------------------------------------------------------------------

TEST(PngLoader, LoadsByIdAndHoldsOnlyTheLastPicture)
{
    CGDIPlus2LoadPNGResource loader;
    EXPECT_EQ(loader.GetBitmap(), nullptr) << "an empty loader holds nothing";
    ASSERT_TRUE(loader.Load(204));
    EXPECT_EQ(loader.GetBitmap()->size(), QSize(70, 27));
    ASSERT_TRUE(loader.Load(196));
    EXPECT_EQ(loader.ResourceId(), 196);
    EXPECT_EQ(loader.GetBitmap()->size(), QSize(750, 500));
    loader.Empty();
    EXPECT_FALSE(loader.IsLoaded());
    EXPECT_TRUE(loader.Load(205)) << "an emptied loader loads again";
}

TEST(PngLoader, AnIdThatNamesNoPngLeavesTheLoaderEmpty)
{
    struct Case {
        int id;
        const char* what;
    };
    for (Case c : {Case{304, "a bitmap resource"}, Case{337, "an animation"}, Case{0, "no ID"}, Case{65000, "nothing"}}) {
        CGDIPlus2LoadPNGResource loader;
        ASSERT_TRUE(loader.Load(204));
        EXPECT_FALSE(loader.Load(c.id)) << c.what;
        EXPECT_EQ(loader.GetBitmap(), nullptr) << c.what << ": the earlier picture is gone too";
        EXPECT_EQ(loader.ResourceId(), 0);
    }
}

TEST(PngLoader, DrawingBlendsOverWhatIsThereAndConversionKeepsOrFillsTheBackground)
{
    CGDIPlus2LoadPNGResource loader;
    ASSERT_TRUE(loader.Load(204));
    const QImage& face = *loader.GetBitmap();
    ASSERT_EQ(qAlpha(face.pixel(0, 0)), 0) << "the button's corner is transparent";
    ASSERT_EQ(qAlpha(face.pixel(35, 13)), 255);

    QImage target(100, 50, QImage::Format_ARGB32_Premultiplied);
    target.fill(QColor(200, 30, 40));
    QPainter p(&target);
    loader.Draw(p, 10, 5);
    p.end();
    EXPECT_EQ(target.pixel(10, 5), qRgb(200, 30, 40)) << "the corner lets the red through";
    EXPECT_EQ(target.pixel(45, 18), face.pixel(35, 13)) << "an opaque pixel lands at its natural place";
    EXPECT_EQ(target.pixel(81, 18), qRgb(200, 30, 40)) << "drawn at its natural size, not stretched";

    QImage kept = loader.CreateBitmap();  // white with alpha 0: the picture's own alpha stays
    EXPECT_EQ(qAlpha(kept.pixel(0, 0)), 0);
    EXPECT_EQ(kept.pixel(35, 13), face.pixel(35, 13));
    QImage onWhite = loader.CreateBitmap(0xFFFFFFFF);
    EXPECT_EQ(onWhite.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(onWhite.pixel(35, 13), face.pixel(35, 13));
    EXPECT_TRUE(CGDIPlus2LoadPNGResource().CreateBitmap().isNull());
}

// ---- The off-screen context -----------------------------------------------------------------

TEST(MemDrawDC, AllZeroRectangleCoversTheTargetsClipBox)
{
    QImage target(200, 100, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter p(&target);
    p.setClipRect(QRect(30, 20, 50, 40));
    {
        CMemDrawDC dc(p, QRect());
        EXPECT_EQ(dc.Rect(), QRect(30, 20, 50, 40));
        dc.fillRect(QRect(0, 0, 200, 100), Qt::blue);
    }
    p.end();
    EXPECT_EQ(target.pixel(30, 20), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(79, 59), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(29, 20), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(80, 59), qRgb(255, 255, 255));

    QImage whole(120, 60, QImage::Format_ARGB32_Premultiplied);
    QPainter q(&whole);
    EXPECT_EQ(CMemDrawDC::ClipBox(q), QRect(0, 0, 120, 60)) << "no clip: the whole device";
    q.translate(20, 10);
    EXPECT_EQ(CMemDrawDC::ClipBox(q), QRect(-20, -10, 120, 60)) << "in the painter's logical coordinates";
}

TEST(MemDrawDC, CallersDrawInTheTargetsCoordinatesAndTheCopyComesAtTheEnd)
{
    QImage target(200, 100, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter p(&target);
    {
        CMemDrawDC dc(p, QRect(50, 40, 60, 30));
        dc.fillRect(QRect(50, 40, 60, 30), QColor(0, 70, 109));
        dc.fillRect(QRect(60, 45, 10, 10), Qt::red);
        dc.fillRect(QRect(0, 0, 40, 40), Qt::green);  // outside its rectangle: lost
        EXPECT_EQ(dc.Bitmap().pixel(10, 5), qRgb(255, 0, 0)) << "the off-screen bitmap starts at the rectangle";
        EXPECT_EQ(target.pixel(60, 45), qRgb(255, 255, 255)) << "nothing reaches the target before the end";
    }
    p.end();
    EXPECT_EQ(target.pixel(60, 45), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(50, 40), qRgb(0, 70, 109));
    EXPECT_EQ(target.pixel(109, 69), qRgb(0, 70, 109));
    EXPECT_EQ(target.pixel(110, 70), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(10, 10), qRgb(255, 255, 255));
}

// ---- The bitmap control that leaves out white ------------------------------------------------

TEST(TransImage, KeyingOutWhiteTouchesOnlyPureWhite)
{
    QImage bitmap(4, 1, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 255, 255));
    bitmap.setPixel(1, 0, qRgb(254, 255, 255));
    bitmap.setPixel(2, 0, qRgb(0, 102, 204));
    bitmap.setPixel(3, 0, qRgb(0, 0, 0));
    QImage keyed = KeyOutWhite(bitmap);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(254, 255, 255));
    EXPECT_EQ(keyed.pixel(2, 0), qRgb(0, 102, 204));
    EXPECT_EQ(keyed.pixel(3, 0), qRgb(0, 0, 0));
}

class TransImageTest : public ControlsTest {};

TEST_F(TransImageTest, WhitePixelsOfABusyFrameShowThePageThrough)
{
    PanelDlg dlg;
    auto* busy = dlg.Add<CTransImage>(1070);
    auto* empty = dlg.Add<CTransImage>(1071);
    const QRect place(178, 275, 34, 34);
    busy->MoveWindow(place.x(), place.y(), 34, 34);
    empty->MoveWindow(300, 275, 34, 34);
    const QImage frame = LoadBitmapResource(306);
    ASSERT_FALSE(frame.isNull());
    busy->SetImage(frame, 306);
    busy->ShowWindow(SW_SHOW);
    empty->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    const QImage shot = dlg.Widget()->grab().toImage();
    int white = 0, ink = 0;
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 34; ++x) {
            const QRgb source = frame.pixel(x, y);
            const QRgb shown = shot.pixel(place.x() + x, place.y() + y);
            if ((source & 0xFFFFFF) == 0xFFFFFF) {
                ++white;
                EXPECT_EQ(shown, dlg.Background().pixel(place.x() + x, place.y() + y)) << x << ", " << y;
            } else {
                ++ink;
                EXPECT_EQ(shown, source | 0xFF000000u) << x << ", " << y;
            }
        }
    EXPECT_GT(white, 0);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(busy->ImageResourceId(), 306);
    // Without a bitmap it draws nothing over the page.
    for (int y = 275; y < 309; ++y)
        for (int x = 300; x < 334; ++x) ASSERT_EQ(shot.pixel(x, y), dlg.Background().pixel(x, y));

    // Every frame of the busy indicator, as the page timers show them.
    QImage sheet = shot.copy(QRect(150, 215, 320, 110));  // the shown frame stays at (28, 60)
    QPainter p(&sheet);
    const int frames[] = {306, 307, 308, 309, 310, 311, 312, 304};
    for (int i = 0; i < 8; ++i) {
        busy->SetImage(LoadBitmapResource(frames[i]), frames[i]);
        p.drawImage(12 + i * 38, 10, dlg.Widget()->grab(place).toImage());
    }
    p.end();
    imagecontrols::SaveShot(sheet, QStringLiteral("busy-frames"));
}
