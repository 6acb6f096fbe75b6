// Creates the windows of initialization and recovery (InitInst, recover)
// and hands them to the program. The returned object owns them; keep it for
// the whole run.
#pragma once

#include <memory>

class Program;
class QWidget;
class InitInstWindow;
class RecoverWindow;

struct SetupWindowSet {
    SetupWindowSet();
    ~SetupWindowSet();
    SetupWindowSet(const SetupWindowSet &) = delete;
    SetupWindowSet &operator=(const SetupWindowSet &) = delete;
    std::unique_ptr<InitInstWindow> initInst;
    std::unique_ptr<RecoverWindow> recover;
};

std::unique_ptr<SetupWindowSet> installSetupWindows(Program &p, QWidget *parent);
