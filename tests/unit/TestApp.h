#pragma once
// The one widget application of the test program (offscreen: no display is needed),
// set up as the program sets itself up: Fusion style, the program's fonts, the input
// filter of the dialogs. Null when another kind of Qt application was made first.
#include <QApplication>

#include "framework/Framework.h"

inline QApplication* TestApp()
{
    static QApplication* app = []() -> QApplication* {
        if (!QCoreApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "tc_unit_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
        auto* widgets = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (widgets) Framework::Init();
        return widgets;
    }();
    return app;
}
