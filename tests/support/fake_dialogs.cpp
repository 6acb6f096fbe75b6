#include "fake_dialogs.h"

MsgResult FakeDialogs::message(const QString &text, const QString &title, MsgButtons buttons, MsgIcon icon,
                               MsgDefault defaultButton)
{
    messages.push_back({text, title, buttons, icon, defaultButton});
    if (!messageAnswers.empty()) {
        const MsgResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgResult::Yes;
    case MsgButtons::RetryCancel:
        return MsgResult::Retry;
    default:
        return MsgResult::Ok;
    }
}

QString FakeDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    inputs.push_back({prompt, title, defaultText});
    if (inputAnswers.empty()) {
        return {};
    }
    QString r = inputAnswers.front();
    inputAnswers.pop_front();
    return r;
}

std::optional<QString> FakeDialogs::openFile(const QString &initialDir, const QString &filter)
{
    openDirs << initialDir;
    openFilters << filter;
    if (openAnswers.empty()) {
        return std::nullopt;
    }
    const bool chosen = openAnswers.front().has_value();
    const QString answer = openAnswers.front().value_or(QString());
    openAnswers.pop_front();
    if (!chosen) {
        return std::nullopt;
    }
    return answer;
}

std::optional<QString> FakeDialogs::saveFile(const QString &initialDir, const QString &filter, bool)
{
    saveDirs << initialDir;
    saveFilters << filter;
    if (saveAnswers.empty()) {
        return std::nullopt;
    }
    const bool chosen = saveAnswers.front().has_value();
    const QString answer = saveAnswers.front().value_or(QString());
    saveAnswers.pop_front();
    if (!chosen) {
        return std::nullopt;
    }
    return answer;
}

bool FakeDialogs::printerDialog()
{
    ++printerDialogs;
    if (printerAnswers.empty()) {
        return true;
    }
    const bool r = printerAnswers.front();
    printerAnswers.pop_front();
    return r;
}

QStringList FakeDialogs::messageTexts() const
{
    QStringList out;
    for (const auto &m : messages) {
        out << m.text;
    }
    return out;
}
