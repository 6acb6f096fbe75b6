// A fresh Program wired to fakes, for one test.
#pragma once

#include "fake_clock.h"
#include "fake_dialogs.h"
#include "fake_help_viewer.h"
#include "program/program.h"
#include "temp_settings.h"

#include <QTemporaryDir>
#include <memory>

struct TestProgram {
    TestProgram();
    FakeDialogs dialogs;
    TempSettings settings;
    FakeClock clock;
    FakeHelpViewer help;
    QTemporaryDir files; // a folder for the files a test writes
    std::unique_ptr<Program> program;
    Program &p() { return *program; }
    QString path(const QString &name) const { return files.filePath(name); }
};
