// The one QApplication of the widget tests, made on first use.
#pragma once

#include <QApplication>

inline void ensureUiTestApp()
{
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen"); // widget tests need no display
        }
        static int argc = 1;
        static char name[] = "rdx600_ui_tests";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv); // lives for the whole test run
    }
}
