// The data selection window for tests: runs the real selection logic with
// scripted clicks and a scripted OK or Cancel.
#pragma once

#include "recording/data_select.h"

#include <QStringList>
#include <vector>

class Program;

class FakeDataSelect : public DataSelectView {
public:
    explicit FakeDataSelect(Program &p) : p_(p) {}
    void showModal(const QStringList &lines) override;

    // Lines clicked in order, then OK (true) or Cancel (false).
    std::vector<int> clicks;
    bool pressOk = true;

    int shown = 0;
    QStringList lastLines;
    bool okWasEnabled = false;

private:
    Program &p_;
};
