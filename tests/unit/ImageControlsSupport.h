#pragma once
// What the image-button, link and picture tests share: one QApplication on the
// offscreen platform, a panel dialog painted with the wizard background that records
// the commands it receives, and saving screenshots under $TC_CONTROL_SHOTS.
#include <gtest/gtest.h>

#include <QApplication>
#include "TestApp.h"
#include <QCursor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <utility>
#include <vector>

#include "controls/MyButton.h"
#include "controls/Pictures.h"
#include "framework/Dialog.h"
#include "framework/Framework.h"
#include "runtime/Runtime.h"

namespace imagecontrols {

// The one application of the test process (widgets need a QApplication).
inline bool EnsureApp() { return TestApp() != nullptr; }

inline void Settle()
{
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// A wizard-like panel: background PNG 196, controls added by the test.
class PanelDlg : public CDialogEx {
public:
    struct Command {
        int id;
        int hoverLabel;  // the hover-label flag when the command arrived
        bool operator==(const Command&) const = default;
    };

    PanelDlg(int width = 750, int height = 500) : CDialogEx(195)
    {
        m_background = LoadPngResource(196);
        Create();
        MoveWindow(0, 0, width, height);
    }
    const char* ClassName() const override { return "PanelDlg"; }

    template <class T, class... Args>
    T* Add(int id, Args&&... args)
    {
        T* control = AddControl<T>(id, std::forward<Args>(args)...);
        return control;
    }

    void ShowAndActivate()
    {
        // The window comes up with the mouse on its bare frame, away from every control.
        QCursor::setPos(QPoint(2, 2));
        Settle();
        ShowWindow(SW_SHOW);
        Widget()->activateWindow();
        (void)QTest::qWaitForWindowActive(Widget());
        // The focus starts on the panel itself.
        Widget()->setFocus();
        Settle();
    }

    std::vector<Command> commands;
    std::vector<int> CommandIds() const
    {
        std::vector<int> ids;
        for (const Command& c : commands) ids.push_back(c.id);
        return ids;
    }
    const QImage& Background() const { return m_background; }

protected:
    void OnCommand(int id) override { commands.push_back({id, g_bHoverLabel}); }
    void OnPaintBackground(QPainter& painter) override { painter.drawImage(0, 0, m_background); }

private:
    QImage m_background;
};

// Runs the runtime on a virtual clock for each test (window operations go through it).
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!EnsureApp()) GTEST_SKIP() << "another test made a GUI application without widgets";
        rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
        g_bHoverLabel = 0;
    }
    void TearDown() override
    {
        Settle();
        rt::Shutdown();
    }
};

// Saves a screenshot when TC_CONTROL_SHOTS names a directory.
inline void SaveShot(const QImage& image, const QString& name)
{
    const QByteArray dir = qgetenv("TC_CONTROL_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png"));
}

inline bool Near(QRgb a, QRgb b, int tolerance = 2)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace imagecontrols
