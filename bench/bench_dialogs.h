// Dialogs that answer at once, for the benchmarks: OK to every message box,
// `yesNo` to questions, `inputText` to input boxes, `saveTo` to the save
// dialog; open dialogs are cancelled and the printer dialog refused.
#pragma once

#include "platform/dialogs.h"

#include <optional>

class BenchDialogs final : public Dialogs {
public:
    MsgResult message(const QString &, const QString &, MsgButtons buttons, MsgIcon, MsgDefault) override
    {
        ++messages;
        return buttons == MsgButtons::YesNo ? yesNo : MsgResult::Ok;
    }
    QString inputBox(const QString &, const QString &, const QString &) override { return inputText; }
    std::optional<QString> openFile(const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, bool) override { return saveTo; }
    bool printerDialog() override { return false; }
    void setBusy(bool) override {}

    MsgResult yesNo = MsgResult::No;
    QString inputText;
    std::optional<QString> saveTo;
    int messages = 0;
};
