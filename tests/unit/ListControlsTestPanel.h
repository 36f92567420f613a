#pragma once
// What the tests of the network list and the combo box share: one widget application
// for the whole test program (offscreen, the program's fonts and style), a panel dialog
// painted with the wizard background that records the messages and commands its
// controls send, and the screenshot folder.
#include <gtest/gtest.h>

#include <QApplication>
#include "TestApp.h"
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>

#include <string>
#include <vector>

#include "app/Globals.h"
#include "controls/Pictures.h"
#include "framework/Dialog.h"
#include "framework/Fonts.h"
#include "runtime/Runtime.h"

namespace listtest {

// The widget application; null when another kind of application was made first.
inline QApplication* App() { return TestApp(); }

// A dialog the size of the wizard's client area with its background.
class Panel : public CDialogEx {
public:
    Panel() : CDialogEx(195) {}
    const char* ClassName() const override { return "TestPanel"; }

    void Open()
    {
        Create();
        MoveWindow(0, 0, 750, 500);
        ShowWindow(SW_SHOW);
    }
    template <class T>
    T* Add(int id)
    {
        return AddControl<T>(id);
    }

    std::vector<UINT> messages;
    std::vector<int> commands;

protected:
    LRESULT OnMessage(UINT msg, WPARAM, LPARAM) override
    {
        messages.push_back(msg);
        return 0;
    }
    void OnCommand(int id) override { commands.push_back(id); }
    void OnPaintBackground(QPainter& painter) override { painter.drawImage(0, 0, LoadPngResource(196)); }
};

// The runtime on the virtual clock (window operations go through it) and the widget
// application, English interface.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(App(), nullptr) << "a non-widget Qt application exists already";
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        g_nUiLanguage = 1033;
    }
    void TearDown() override { rt::Shutdown(); }
};

// Saves a screenshot when TC_CONTROL_SHOTS names a folder.
inline void SaveShot(const QImage& image, const std::string& name)
{
    QByteArray dir = qgetenv("TC_CONTROL_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/") + QString::fromStdString(name) + QStringLiteral(".png"));
}

// The panel as drawn, its background and controls.
inline QImage Grab(Panel& panel) { return panel.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace listtest
