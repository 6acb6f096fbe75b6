// Dialogs of the command-line tool: messages go to standard error; nothing
// is asked of the user.
#pragma once

#include "platform/dialogs.h"

#include <QTextStream>
#include <functional>

class CliDialogs : public Dialogs {
public:
    explicit CliDialogs(QTextStream &err) : err_(err) {}

    MsgResult message(const QString &text, const QString &title, MsgButtons buttons, MsgIcon icon,
                      MsgDefault defaultButton) override;
    // Answers with `inputAnswer` (a value named on the command line), else empty (cancel).
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        ++inputBoxes;
        return inputAnswer.value_or(QString());
    }
    std::optional<QString> openFile(const QString &, const QString &) override { return std::nullopt; }
    // Answers with `saveAnswer` (the output file named on the command line).
    std::optional<QString> saveFile(const QString &, const QString &, bool) override { return saveAnswer; }
    bool printerDialog() override { return false; }
    void setBusy(bool) override {}

    std::optional<QString> saveAnswer;
    std::optional<QString> inputAnswer;
    // The answer a person would give to a question box, when a subcommand
    // takes it from its options; without it questions are cancelled or
    // answered No.
    std::function<MsgResult(const QString &text, MsgButtons buttons)> answer;
    int inputBoxes = 0;
    int messages = 0;

private:
    QTextStream &err_;
};
