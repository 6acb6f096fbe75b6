// The one offscreen QApplication of a widget benchmark, made on first use
// (before the first widget) and kept for the whole run.
#pragma once

#include <QApplication>
#include <memory>

inline QApplication &benchApp()
{
    static int argc = 1;
    static char name[] = "rdx600_bench_ui";
    static char *argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}
