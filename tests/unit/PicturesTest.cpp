// The program's pictures: every resource exists at its exact size, and each family of
// pictures keeps the promises its users rely on (transparent corners, white keys,
// the list strip's tiles, distinct button faces, animation frames).
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdlib>
#include <vector>

namespace {

struct Sized {
  int id;
  int width;
  int height;
};

// The PNG resources of the wizard, with their sizes.
const std::vector<Sized> kPng = {
    {196, 750, 500}, {204, 70, 27},   {205, 70, 27},   {206, 70, 27},   {207, 70, 27},   {208, 70, 27},
    {218, 59, 60},   {219, 70, 60},   {220, 101, 45},  {224, 4, 4},     {232, 72, 35},   {234, 483, 274},
    {246, 379, 276}, {247, 227, 217}, {248, 379, 276}, {260, 44, 35},   {261, 44, 35},   {262, 204, 120},
    {264, 750, 500}, {273, 253, 276}, {284, 413, 304}, {285, 201, 23},  {286, 80, 23},   {287, 80, 23},
    {288, 80, 23},   {289, 80, 23},   {293, 413, 174}, {294, 81, 24},   {295, 223, 35},  {296, 102, 35},
    {297, 72, 35},   {298, 223, 35},  {299, 72, 35},   {301, 440, 3},   {313, 91, 43},   {314, 5, 5},
    {315, 24, 24},   {316, 24, 24},   {317, 24, 24},   {318, 16, 14},   {319, 140, 30},  {320, 16, 16},
    {321, 16, 16},   {323, 44, 35},   {324, 223, 35},  {325, 72, 35},   {326, 1, 154},   {342, 483, 314},
    {343, 16, 14},   {344, 15, 8},    {345, 10, 5},    {346, 102, 35},  {347, 102, 35},  {350, 348, 220},
    {352, 44, 35},   {353, 44, 35},   {354, 44, 35},   {355, 224, 35},  {356, 224, 35},  {357, 224, 35},
    {358, 102, 35},  {359, 102, 35},  {360, 102, 35},  {362, 72, 35},   {363, 72, 35},   {364, 441, 3},
    {365, 140, 30},  {366, 93, 27},   {367, 93, 27},   {368, 93, 27},   {369, 93, 27},   {370, 93, 27},
    {371, 115, 27},  {372, 115, 27},  {373, 115, 27},  {374, 115, 27},  {375, 115, 27},  {376, 100, 23},
    {377, 100, 23},  {378, 100, 23},  {379, 100, 23},  {431, 653, 394}, {436, 16, 16},   {438, 379, 276},
    {439, 253, 275}, {440, 379, 276},
};

// The bitmap resources, with their sizes.
const std::vector<Sized> kBmp = {
    {304, 34, 34},  {306, 34, 34},  {307, 34, 34},  {308, 34, 34},  {309, 34, 34},
    {310, 34, 34},  {311, 34, 34},  {312, 34, 34},  {235, 352, 30}, {437, 352, 30},
    {322, 421, 30}, {432, 132, 23}, {433, 132, 23}, {434, 132, 23}, {435, 132, 23},
};

QImage png(int id) { return QImage(QStringLiteral(":/png/%1.png").arg(id)); }
QImage bmp(int id) { return QImage(QStringLiteral(":/bmp/%1.png").arg(id)); }

bool pureWhite(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu; }

int countIf(const QImage& img, const QRect& r, bool (*pred)(QRgb)) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += pred(img.pixel(x, y)) ? 1 : 0;
  return n;
}

TEST(Pictures, EveryPngResourceHasItsExactSize) {
  EXPECT_EQ(kPng.size(), 86u);
  for (const Sized& s : kPng) {
    const QImage img = png(s.id);
    ASSERT_FALSE(img.isNull()) << "PNG " << s.id << " is missing";
    EXPECT_EQ(img.size(), QSize(s.width, s.height)) << "PNG " << s.id;
  }
}

TEST(Pictures, EveryBitmapResourceHasItsExactSizeAndIsOpaque) {
  for (const Sized& s : kBmp) {
    const QImage img = bmp(s.id);
    ASSERT_FALSE(img.isNull()) << "bitmap " << s.id << " is missing";
    EXPECT_EQ(img.size(), QSize(s.width, s.height)) << "bitmap " << s.id;
    EXPECT_FALSE(img.hasAlphaChannel()) << "bitmap " << s.id << " must be opaque";
  }
}

TEST(Pictures, IconAndScanAnimationExist) {
  EXPECT_EQ(QImage(QStringLiteral(":/ico/175.png")).size(), QSize(32, 32));
  EXPECT_EQ(QImage(QStringLiteral(":/ico/175_16.png")).size(), QSize(16, 16));
  int frames = 0;
  while (!QImage(QStringLiteral(":/avi/337_%1.png").arg(frames)).isNull()) {
    EXPECT_EQ(QImage(QStringLiteral(":/avi/337_%1.png").arg(frames)).size(), QSize(34, 34));
    ++frames;
  }
  EXPECT_GE(frames, 8);
  // one turn of a spinner: consecutive frames differ
  for (int f = 1; f < frames; ++f)
    EXPECT_NE(QImage(QStringLiteral(":/avi/337_%1.png").arg(f)), QImage(QStringLiteral(":/avi/337_%1.png").arg(f - 1)));
}

TEST(Pictures, BusyFramesAreSpinnersOnWhiteThatTurn) {
  const int order[] = {306, 307, 308, 309, 310, 311, 312, 304};
  for (int id : order) {
    const QImage f = bmp(id);
    // the corners are the transparent white; a spinner is drawn in blue
    EXPECT_TRUE(pureWhite(f, 0, 0) && pureWhite(f, 33, 0) && pureWhite(f, 0, 33) && pureWhite(f, 33, 33)) << id;
    const int blue = countIf(f, f.rect(), [](QRgb c) { return qBlue(c) > qRed(c) + 60; });
    EXPECT_GT(blue, 40) << id;
  }
  for (int a = 0; a < 8; ++a)
    for (int b = a + 1; b < 8; ++b) EXPECT_NE(bmp(order[a]), bmp(order[b])) << order[a] << " vs " << order[b];
}

TEST(Pictures, ButtonFaceSetsHaveFiveDistinctFacesWithRoundCorners) {
  const std::vector<std::vector<int>> sets = {
      {204, 205, 206, 207, 208}, {366, 367, 368, 369, 370}, {371, 372, 373, 374, 375}};
  for (const auto& set : sets) {
    for (size_t a = 0; a < set.size(); ++a) {
      const QImage face = png(set[a]);
      EXPECT_EQ(qAlpha(face.pixel(0, 0)), 0) << set[a] << " corner shows the background";
      EXPECT_EQ(qAlpha(face.pixel(face.width() / 2, face.height() / 2)), 255) << set[a];
      for (size_t b = a + 1; b < set.size(); ++b) EXPECT_NE(face, png(set[b])) << set[a] << " vs " << set[b];
    }
  }
}

TEST(Pictures, VeilIsTranslucentWhite) {
  const QImage veil = png(264);
  const QRgb centre = veil.pixel(375, 250);
  EXPECT_EQ(qAlpha(centre), 217);
  EXPECT_EQ(QColor(centre).rgb() & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(qAlpha(veil.pixel(0, 0)), 0) << "the corners are cut";
}

TEST(Pictures, SignalStripHoldsBarsPadlockAndRowTiles) {
  const QImage strip = bmp(235);
  auto cell = [&](int k) { return strip.copy(32 * k, 0, 32, 30); };
  auto green = [](QRgb c) { return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40; };
  int previous = -1;
  for (int k = 0; k <= 5; ++k) {
    const QImage c = cell(k);
    EXPECT_TRUE(pureWhite(c, 0, 0)) << "image " << k << " stands on transparent white";
    const int lit = countIf(c, c.rect(), green);
    EXPECT_GT(lit, previous) << "image " << k << " shows more bars than image " << k - 1;
    previous = lit;
  }
  EXPECT_EQ(countIf(cell(0), cell(0).rect(), green), 0);
  EXPECT_GT(countIf(cell(6), cell(6).rect(), [](QRgb c) { return !((c & 0xFFFFFFu) == 0xFFFFFFu); }), 60)
      << "image 6 is the padlock";
  const struct { int k; QRgb colour; } tiles[] = {
      {7, qRgb(255, 255, 255)}, {8, qRgb(231, 229, 229)}, {9, qRgb(241, 238, 238)}};
  for (const auto& t : tiles)
    for (QPoint at : {QPoint(0, 0), QPoint(16, 15), QPoint(31, 29)})
      EXPECT_EQ(cell(t.k).pixel(at) & 0xFFFFFFu, t.colour & 0xFFFFFFu) << "tile " << t.k;
  // the right-to-left strip mirrors the bars and keeps the rest
  const QImage rtl = bmp(437);
  for (int k = 0; k <= 5; ++k) EXPECT_EQ(rtl.copy(32 * k, 0, 32, 30), cell(k).mirrored(true, false)) << k;
  EXPECT_EQ(rtl.copy(32 * 7, 0, 32 * 4, 30), strip.copy(32 * 7, 0, 32 * 4, 30));
}

TEST(Pictures, FocusedRowBackgroundIsAGreyGradientDarkeningDownwards) {
  const QImage row = bmp(322);
  const QColor top(row.pixel(200, 2)), bottom(row.pixel(200, 27));
  EXPECT_GT(top.lightness(), bottom.lightness());
  for (const QColor& c : {top, bottom}) {
    EXPECT_LE(std::abs(c.red() - c.blue()), 16);
    EXPECT_LT(c.lightness(), 180) << "white text must stand out on it";
  }
}

TEST(Pictures, ComboFacesPutTheArrowOnTheReadingEnd) {
  // The arrow is the darkest blue in the face; it lies right for 433/434, left for 435/432.
  const struct { int id; bool arrowRight; } faces[] = {{433, true}, {434, true}, {435, false}, {432, false}};
  for (const auto& f : faces) {
    const QImage img = bmp(f.id);
    auto arrow = [](QRgb c) { return qBlue(c) > 90 && qRed(c) < 60; };
    const int right = countIf(img, QRect(100, 3, 29, 17), arrow);
    const int left = countIf(img, QRect(3, 3, 29, 17), arrow);
    EXPECT_EQ(right > left, f.arrowRight) << f.id;
  }
  EXPECT_NE(bmp(433), bmp(434));
  EXPECT_NE(bmp(435), bmp(432));
}

TEST(Pictures, CheckBoxesTellTickedFromEmpty) {
  auto darkOrBlue = [](QRgb c) { return qAlpha(c) > 200 && QColor(c).lightness() < 180; };
  const QImage ticked = png(320), empty = png(321);
  EXPECT_GT(countIf(ticked, QRect(3, 3, 10, 10), darkOrBlue), 30);
  EXPECT_EQ(countIf(empty, QRect(3, 3, 10, 10), darkOrBlue), 0);
  EXPECT_NE(png(436), ticked);
}

}  // namespace
