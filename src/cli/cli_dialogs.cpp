#include "cli/cli_dialogs.h"

#include "cli/cli.h"

MsgResult CliDialogs::message(const QString &text, const QString &title, MsgButtons buttons, MsgIcon,
                              MsgDefault)
{
    ++messages;
    QString line = unixLines(text);
    if (!title.isEmpty()) {
        line = title + QStringLiteral(": ") + line;
    }
    err_ << line << '\n';
    err_.flush();
    if (answer) {
        return answer(text, buttons);
    }
    switch (buttons) {
    case MsgButtons::OkCancel:
    case MsgButtons::RetryCancel:
    case MsgButtons::YesNoCancel:
        return MsgResult::Cancel;
    case MsgButtons::YesNo:
        return MsgResult::No;
    default:
        return MsgResult::Ok;
    }
}
