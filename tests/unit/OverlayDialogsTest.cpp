// The translucent veils and the blank blocker: where a veil sits over the wizard, the
// shape of its corners, what it shows on screen (80 % white over the page behind it),
// the scanning veil's spinner turning on the runtime's clock, and the blank blocker
// ending when it is told, hiding the veil as it goes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "controls/AnimateCtrl.h"
#include "controls/Emptydlg.h"
#include "controls/GrayDlg.h"
#include "controls/OverlayGeometry.h"
#include "controls/Pictures.h"
#include "controls/WpsMaskDlg.h"
#include "framework/Framework.h"
#include "runtime/Runtime.h"

#include "TestApp.h"

namespace {

// One widget application for the whole test program, set up as the program sets itself
// up. Call after rt::Init.
bool EnsureWidgetApp() { return TestApp() != nullptr; }

// A window to be covered: the wizard's background picture, or one plain colour, with a
// caption; it remembers the window messages it was sent.
class CCoveredWindow : public CDialogEx {
public:
    CCoveredWindow(QRect rect, QColor fill, CDialogEx* parent = nullptr, bool wizardLook = false)
        : CDialogEx(195, parent), m_fill(fill), m_bWizardLook(wizardLook)
    {
        SetHasCaption(true);
        SetWindowTextW(L"Tesra Connect");
        MoveWindow(rect.x(), rect.y(), rect.width(), rect.height());
        Create();
        ShowWindow(SW_SHOW);
    }
    const char* ClassName() const override { return "CCoveredWindow"; }
    std::vector<std::pair<UINT, WPARAM>> messages;
    bool rightToLeft = false;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM) override
    {
        messages.emplace_back(msg, wParam);
        return 0;
    }
    void OnPaintBackground(QPainter& p) override
    {
        if (!m_bWizardLook) {
            p.fillRect(Widget()->rect(), m_fill);
            return;
        }
        p.drawImage(0, 0, LoadPngResource(196));
        // A little of a page, so that the veil's dimming shows.
        QFont title(QStringLiteral("Arial"));
        title.setPixelSize(20);
        title.setBold(true);
        p.setFont(title);
        p.setPen(QColor(0, 70, 109));
        const Qt::Alignment side = rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
        p.drawText(QRect(44, 80, 660, 30), side | Qt::AlignVCenter, QStringLiteral("Connect to a wireless network"));
        p.fillRect(QRect(44, 143, 439, 34), QColor(0, 120, 170));
        p.fillRect(QRect(44, 177, 439, 153), Qt::white);
        p.setPen(QColor(170, 180, 190));
        p.drawRect(QRect(44, 177, 438, 152));
        for (int row = 0; row < 4; ++row) p.fillRect(QRect(44, 178 + row * 30, 438, 30), row % 2 ? QColor(241, 238, 238) : QColor(231, 229, 229));
        p.fillRect(QRect(560, 446, 93, 27), QColor(0, 153, 203));
        p.fillRect(QRect(660, 446, 70, 27), QColor(120, 140, 160));
    }

private:
    QColor m_fill;
    bool m_bWizardLook;
};

class OverlayDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
        if (!EnsureWidgetApp()) GTEST_SKIP() << "another test made a non-widget application first";
        m_nLanguage = g_nUiLanguage;
        g_nUiLanguage = 1033;
    }
    void TearDown() override
    {
        if (g_pGrayDlg) {
            delete g_pGrayDlg;
            g_pGrayDlg = nullptr;
        }
        g_nUiLanguage = m_nLanguage;
        rt::Shutdown();
    }

    // Pumps the UI thread for `ms` of virtual time, including what falls due at its end.
    static void PumpFor(std::int64_t ms)
    {
        const std::int64_t until = rt::NowMs() + ms;
        while (rt::NowMs() < until) rt::PumpStep(true, until);
        while (rt::PumpStep(false)) {
        }
    }

    int m_nLanguage = 1033;
};

QColor Blend80White(QColor behind)
{
    auto mix = [](int c) { return (204 * 255 + 51 * c + 127) / 255; };
    return QColor(mix(behind.red()), mix(behind.green()), mix(behind.blue()));
}

bool Near(QColor a, QColor b, int tolerance = 2)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string Describe(QColor c)
{
    return "(" + std::to_string(c.red()) + ", " + std::to_string(c.green()) + ", " + std::to_string(c.blue()) + ")";
}

void SaveShot(const QImage& image, const char* name)
{
    const QByteArray dir = qgetenv("TC_CONTROL_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

// The pixels a veil of width w and height h leaves out, as the corners are described.
std::vector<QPoint> CutCornerPixels(int w, int h)
{
    const int r = w - 1, b = h - 1;
    return {{0, 0},         {1, 0},         {2, 0},         {3, 0},         {0, 1},         {1, 1},     {0, 2},     {0, 3},
            {r - 3, 0},     {r - 2, 0},     {r - 1, 0},     {r, 0},         {r - 1, 1},     {r, 1},     {r, 2},     {r, 3},
            {0, b},         {1, b},         {2, b},         {3, b},         {0, b - 1},     {1, b - 1}, {0, b - 2}, {0, b - 3},
            {r - 3, b},     {r - 2, b},     {r - 1, b},     {r, b},         {r - 1, b - 1}, {r, b - 1}, {r, b - 2}, {r, b - 3}};
}

}  // namespace

// ---- Geometry -------------------------------------------------------------------------

TEST(OverlayGeometry, VeilSitsOverTheContentPanelAndFitsShortWindows)
{
    struct Case {
        const char* what;
        QRect covered;
        bool fit;
        QRect expected;
    };
    const Case cases[] = {
        {"the wizard at the screen's corner", {0, 0, 753, 530}, true, {10, 81, 735, 438}},
        {"the wizard elsewhere", {135, 119, 753, 530}, true, {145, 200, 735, 438}},
        // y = 50 + 23 + 58 = 131; the window ends at 450, so 450 - 131 - 2.
        {"a short window, grey veil", {100, 50, 753, 400}, true, {110, 131, 735, 317}},
        {"a short window, WPS veil", {100, 50, 753, 400}, false, {110, 131, 735, 438}},
        {"a window ending exactly at the veil's bottom", {0, 0, 753, 81 + 438}, true, {10, 81, 735, 438}},
        {"one pixel shorter", {0, 0, 753, 81 + 437}, true, {10, 81, 735, 435}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(overlay::VeilWindowRect(c.covered, 23, c.fit), c.expected) << c.what;
}

TEST(OverlayGeometry, RegionCutsEightPixelsAtEachCorner)
{
    for (int height : {438, 317}) {
        const int width = 735;
        const QRegion region = overlay::VeilWindowRegion(width, height);
        const std::vector<QPoint> cut = CutCornerPixels(width, height);
        for (const QPoint& p : cut) EXPECT_FALSE(region.contains(p)) << p.x() << "," << p.y() << " h=" << height;
        // Every other pixel of the rectangle is kept: the region is the rectangle less
        // exactly those 32 pixels.
        long area = 0;
        for (const QRect& r : region) area += long(r.width()) * r.height();
        EXPECT_EQ(area, long(width) * height - long(cut.size())) << "h=" << height;
        EXPECT_EQ(region.boundingRect(), QRect(0, 0, width, height));
        for (const QPoint& kept : {QPoint(4, 0), QPoint(2, 1), QPoint(1, 2), QPoint(1, 3), QPoint(0, 4),
                                   QPoint(width - 5, 0), QPoint(width - 1, 4), QPoint(4, height - 1), QPoint(width / 2, height / 2)})
            EXPECT_TRUE(region.contains(kept)) << kept.x() << "," << kept.y();
    }
}

TEST(OverlayGeometry, ScanningTextIsCentredTwoHundredPixelsDown)
{
    EXPECT_EQ(overlay::ScanningTextRect(735, 201, 18), QRect(267, 200, 201, 18));
    EXPECT_EQ(overlay::SpinnerRect(), QRect(350, 154, 34, 34));
    // The spinner is centred on the veil's width.
    EXPECT_EQ(overlay::kSpinnerX + overlay::kSpinnerSize / 2, overlay::kVeilWidth / 2);
}

// ---- The veils on screen ------------------------------------------------------------

// The same on screen whether the window system blends the veil (a compositor runs) or
// the veil blends itself over the wizard's own pixels (none runs).
TEST_F(OverlayDialogs, GreyVeilShowsEightyPercentWhiteInsideItsRoundedRegion)
{
    const QColor behind(0, 100, 200);
    CCoveredWindow wizard(QRect(40, 30, 753, 530), behind);
    for (bool blends : {true, false}) {
        SCOPED_TRACE(blends ? "the window system blends" : "the veil blends itself");
        Framework::AssumeWindowSystemBlends(blends);
        const std::size_t messagesBefore = wizard.messages.size();
        g_pGrayDlg = new CGrayDlg(&wizard);
        g_pGrayDlg->Create();
        g_pGrayDlg->ShowWindow(SW_SHOW);
        EXPECT_EQ(g_pGrayDlg->BlendsItself(), !blends);

        const QRect veil = g_pGrayDlg->WindowRect();
        ASSERT_EQ(veil, QRect(50, 30 + COverlayVeil::CaptionBarHeight() + 58, 735, 438));
        EXPECT_EQ(g_pGrayDlg->WindowRegion(), overlay::VeilWindowRegion(735, 438));
        EXPECT_FALSE(g_pGrayDlg->Picture().isNull());
        EXPECT_FALSE(g_pGrayDlg->Animation()->IsOpen()) << "no spinner outside the scanning mode";

        const QImage screen = Framework::GrabScreen();
        const QColor veiled = Blend80White(behind);
        for (const QPoint& p : CutCornerPixels(veil.width(), veil.height())) {
            const QColor seen = screen.pixelColor(veil.topLeft() + p);
            EXPECT_TRUE(Near(seen, behind)) << "cut corner " << p.x() << "," << p.y() << " shows " << Describe(seen);
        }
        // Where the veil blends itself, its window's own pixels are already the blend.
        const QImage own = g_pGrayDlg->Widget()->grab().toImage();
        for (const QPoint& p : {QPoint(4, 0), QPoint(1, 2), QPoint(0, 4), QPoint(367, 219), QPoint(734, 4),
                                QPoint(5, 437), QPoint(730, 437)}) {
            const QColor seen = screen.pixelColor(veil.topLeft() + p);
            EXPECT_TRUE(Near(seen, veiled)) << "inside " << p.x() << "," << p.y() << " shows " << Describe(seen)
                                            << ", expected " << Describe(veiled);
            if (!blends) {
                EXPECT_TRUE(Near(own.pixelColor(p), veiled)) << "the veil's window at " << p.x() << "," << p.y()
                                                             << " shows " << Describe(own.pixelColor(p));
            }
        }
        // Just outside the veil the page is untouched.
        for (const QPoint& p : {QPoint(-1, 100), QPoint(735, 100), QPoint(300, -1), QPoint(300, 438)})
            EXPECT_TRUE(Near(screen.pixelColor(veil.topLeft() + p), behind)) << p.x() << "," << p.y();

        // The wizard's caption was told to turn inactive.
        PumpFor(10);
        ASSERT_GE(wizard.messages.size(), messagesBefore + 2);
        EXPECT_EQ(wizard.messages[messagesBefore], std::make_pair(WM_NCACTIVATE, WPARAM(0)));
        EXPECT_EQ(wizard.messages[messagesBefore + 1].first, WM_NCPAINT);

        // Hidden, the page is back as it was.
        g_pGrayDlg->ShowWindow(SW_HIDE);
        EXPECT_TRUE(Near(Framework::GrabScreen().pixelColor(veil.center()), behind));
        delete g_pGrayDlg;
        g_pGrayDlg = nullptr;
    }
    Framework::AssumeWindowSystemBlends(std::nullopt);
}

TEST_F(OverlayDialogs, WpsVeilIsPlacedFromTheMainWindowAndKeepsItsHeight)
{
    // A main window too short for a full veil: the grey veil shrinks, the WPS veil not.
    CCoveredWindow wizard(QRect(0, 0, 753, 400), QColor(90, 30, 30));
    CCoveredWindow wpsDialog(QRect(170, 60, 413, 304), QColor(30, 90, 30), &wizard);

    CGrayDlg grey(&wizard);
    grey.Create();
    EXPECT_EQ(grey.WindowRect(), QRect(10, 81, 735, 400 - 81 - 2));
    EXPECT_EQ(grey.WindowRegion(), overlay::VeilWindowRegion(735, 317));

    g_pWpsMaskDlg = new CWpsMaskDlg(&wpsDialog);
    g_pWpsMaskDlg->Create();
    g_pWpsMaskDlg->ShowWindow(SW_SHOW);
    EXPECT_EQ(g_pWpsMaskDlg->MainWindow(), &wizard);
    EXPECT_EQ(g_pWpsMaskDlg->WindowRect(), QRect(10, 81, 735, 438));
    EXPECT_EQ(g_pWpsMaskDlg->WindowRegion(), overlay::VeilWindowRegion(735, 438));

    // Over the WPS dialog the veil is the same 80 % white, with the same cut corners.
    const QImage screen = Framework::GrabScreen();
    EXPECT_TRUE(Near(screen.pixelColor(300, 200), Blend80White(QColor(30, 90, 30))));
    EXPECT_TRUE(Near(screen.pixelColor(10, 81), QColor(90, 30, 30)));
    EXPECT_TRUE(Near(screen.pixelColor(14, 81), Blend80White(QColor(90, 30, 30))));

    delete g_pWpsMaskDlg;
    g_pWpsMaskDlg = nullptr;
}

// ---- The scanning veil ----------------------------------------------------------------

TEST_F(OverlayDialogs, ScanningSpinnerTurnsOnTheRuntimeClock)
{
    CCoveredWindow wizard(QRect(0, 0, 753, 530), QColor(0, 100, 200));
    g_pGrayDlg = new CGrayDlg(&wizard, TRUE);
    g_pGrayDlg->Create();
    g_pGrayDlg->ShowWindow(SW_SHOW);

    CAnimateCtrl* spinner = g_pGrayDlg->Animation();
    ASSERT_TRUE(spinner->IsOpen());
    EXPECT_EQ(spinner->FrameCount(), 12);
    EXPECT_TRUE(spinner->IsPlaying());
    EXPECT_EQ(spinner->GetClientRectInParent(), QRect(350, 154, 34, 34));

    // Frame by frame, once round and on again: endless.
    std::vector<int> seen{spinner->CurrentFrame()};
    const std::int64_t until = rt::NowMs() + 13 * CAnimateCtrl::kFramePeriodMs + CAnimateCtrl::kFramePeriodMs / 2;
    while (rt::NowMs() < until) {
        rt::PumpStep(true, until);
        if (spinner->CurrentFrame() != seen.back()) seen.push_back(spinner->CurrentFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1}));

    // Two frames apart the spinner's pixels differ on screen; the rest of the veil not.
    const QRect spinnerOnScreen = overlay::SpinnerRect().translated(g_pGrayDlg->ClientRectOnScreen().topLeft());
    const QImage before = Framework::GrabScreen().copy(spinnerOnScreen);
    PumpFor(2 * CAnimateCtrl::kFramePeriodMs);
    const QImage after = Framework::GrabScreen().copy(spinnerOnScreen);
    EXPECT_NE(before, after);

    // A stopped spinner is started again by the next repaint.
    spinner->Stop();
    ASSERT_FALSE(spinner->IsPlaying());
    g_pGrayDlg->Widget()->repaint();
    EXPECT_TRUE(spinner->IsPlaying());
    const int frame = spinner->CurrentFrame();
    PumpFor(CAnimateCtrl::kFramePeriodMs);
    EXPECT_NE(spinner->CurrentFrame(), frame);
}

TEST_F(OverlayDialogs, ScanningTextIsDrawnBelowTheSpinner)
{
    const QColor behind(255, 255, 255);
    CCoveredWindow wizard(QRect(0, 0, 753, 530), behind);
    for (int language : {1033, 1025}) {
        g_nUiLanguage = language;
        CGrayDlg veil(&wizard, TRUE);
        veil.Create();
        veil.ShowWindow(SW_SHOW);
        const QImage client = Framework::GrabScreen().copy(veil.ClientRectOnScreen());
        // Text-coloured pixels only in the text's band, 200 pixels down, around the centre.
        int inBand = 0, elsewhere = 0;
        for (int y = 0; y < client.height(); ++y)
            for (int x = 0; x < client.width(); ++x) {
                const QColor c = client.pixelColor(x, y);
                if (c.blue() - c.red() < 60) continue;  // not the blue text or spinner
                if (overlay::SpinnerRect().contains(x, y)) continue;
                (y >= 200 && y < 225 && x > 200 && x < 535 ? inBand : elsewhere)++;
            }
        EXPECT_GT(inBand, 50) << language;
        EXPECT_EQ(elsewhere, 0) << language;
        veil.ShowWindow(SW_HIDE);
    }
}

// ---- The blank blocker --------------------------------------------------------------

// Stands in for the wizard during a rescan: its timer 1 ends the blocker once the scan
// worker has cleared its flag, and notes what it saw at that moment.
class CScanningOwner : public CCoveredWindow {
public:
    using CCoveredWindow::CCoveredWindow;
    CEmptydlg* blocker = nullptr;
    bool endWithOk = false;
    bool veilVisibleAfterEnd = true;
    bool blockerWasActive = false;
    QRect blockerRect;
    std::int64_t endedAt = -1;

protected:
    void OnTimer(UINT_PTR id) override
    {
        if (id != 1 || g_bScanning) return;
        blockerWasActive = CDialogEx::ActiveWindow() == blocker;
        blockerRect = blocker->WindowRect();
        if (endWithOk) blocker->OnOK();
        else blocker->OnCancel();
        veilVisibleAfterEnd = g_pGrayDlg && g_pGrayDlg->IsWindowVisible();
        endedAt = rt::NowMs();
        KillTimer(1);
    }
};

TEST_F(OverlayDialogs, BlankBlockerEndsWhenToldAndHidesTheVeil)
{
    struct Case {
        bool ok;
        INT_PTR expected;
    };
    for (const Case c : {Case{false, IDCANCEL}, Case{true, IDOK}}) {
        CScanningOwner wizard(QRect(0, 0, 753, 530), QColor(0, 100, 200));
        g_pGrayDlg = new CGrayDlg(&wizard, TRUE);
        g_pGrayDlg->Create();
        g_pGrayDlg->ShowWindow(SW_SHOW);
        CEmptydlg blocker(&wizard);
        wizard.blocker = &blocker;
        wizard.endWithOk = c.ok;

        g_bScanning = 1;
        rt::Worker scan;
        scan.Start("scan", [] {
            rt::Sleep(3000);
            g_bScanning = 0;
        });
        wizard.SetTimer(1, 200);
        const std::int64_t start = rt::NowMs();
        const int firstFrame = g_pGrayDlg->Animation()->CurrentFrame();
        EXPECT_EQ(blocker.DoModal(), c.expected);
        scan.Join();

        EXPECT_TRUE(wizard.blockerWasActive) << "the blocker holds the modal loop";
        EXPECT_EQ(wizard.blockerRect, QRect(0, 0, 1, 1));
        EXPECT_FALSE(wizard.veilVisibleAfterEnd) << "the veil goes at the moment the blocker ends";
        // It ended on the first tick after the scan, not before.
        EXPECT_GE(wizard.endedAt - start, 3000);
        EXPECT_LT(wizard.endedAt - start, 3000 + 200 + 1);
        // The spinner kept turning inside the modal loop.
        EXPECT_NE(g_pGrayDlg->Animation()->CurrentFrame(), firstFrame);
        EXPECT_FALSE(blocker.HasWindow());

        delete g_pGrayDlg;
        g_pGrayDlg = nullptr;
    }
}

// ---- Screenshots ----------------------------------------------------------------------

TEST_F(OverlayDialogs, ScreenshotsOfTheVeilOverTheWizard)
{
    struct Shot {
        const char* file;
        int language;
        BOOL scanning;
    };
    const Shot shots[] = {
        {"overlay-veil-ltr.png", 1033, FALSE},
        {"overlay-veil-rtl.png", 1025, FALSE},
        {"overlay-scanning-ltr.png", 1033, TRUE},
        {"overlay-scanning-rtl.png", 1025, TRUE},
    };
    for (const Shot& s : shots) {
        g_nUiLanguage = s.language;
        CCoveredWindow wizard(QRect(0, 0, 753, 530), QColor(), nullptr, true);
        wizard.rightToLeft = s.language == 1025;
        CGrayDlg veil(&wizard, s.scanning);
        veil.Create();
        veil.ShowWindow(SW_SHOW);
        PumpFor(3 * CAnimateCtrl::kFramePeriodMs);
        const QImage shot = Framework::GrabScreen().copy(wizard.WindowRect());
        ASSERT_FALSE(shot.isNull());
        SaveShot(shot, s.file);
        if (s.language == 1033 && !s.scanning) {
            // The top-left corner of the veil, eight times larger.
            const QRect corner(veil.WindowRect().topLeft() - QPoint(4, 4), QSize(16, 16));
            SaveShot(shot.copy(corner).scaled(128, 128), "overlay-veil-corner-x8.png");
        }
        veil.ShowWindow(SW_HIDE);
    }
}
