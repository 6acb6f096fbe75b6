#include "fake_data_select.h"

void FakeDataSelect::showModal(const QStringList &lines)
{
    ++shown;
    lastLines = lines;
    DataSelect core(p_);
    std::vector<int32_t> widths;
    for (const QString &l : lines) {
        widths.push_back(static_cast<int32_t>(l.size()) * 8);
    }
    core.activate(lines, widths, 400);
    for (int line : clicks) {
        core.click(line);
    }
    okWasEnabled = core.okEnabled();
    if (pressOk && core.okEnabled()) {
        core.ok();
    } else {
        core.cancel();
    }
}
