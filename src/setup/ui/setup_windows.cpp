#include "setup/ui/setup_windows.h"

#include "program/program.h"
#include "setup/ui/init_inst_window.h"
#include "setup/ui/recover_window.h"

SetupWindowSet::SetupWindowSet() = default;
SetupWindowSet::~SetupWindowSet() = default;

std::unique_ptr<SetupWindowSet> installSetupWindows(Program &p, QWidget *parent)
{
    auto set = std::make_unique<SetupWindowSet>();
    set->initInst = std::make_unique<InitInstWindow>(p, parent);
    set->recover = std::make_unique<RecoverWindow>(p, parent);
    p.windows.initInst = set->initInst.get();
    p.windows.recover = set->recover.get();
    return set;
}
