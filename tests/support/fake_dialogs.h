// Dialogs with scripted answers; records every message box.
#pragma once

#include "platform/dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class FakeDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        MsgButtons buttons;
        MsgIcon icon;
        MsgDefault defaultButton = MsgDefault::First;
    };
    struct Input {
        QString prompt;
        QString title;
        QString defaultText;
    };

    MsgResult message(const QString &text, const QString &title, MsgButtons buttons, MsgIcon icon,
                      MsgDefault defaultButton) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    std::optional<QString> openFile(const QString &initialDir, const QString &filter) override;
    std::optional<QString> saveFile(const QString &initialDir, const QString &filter,
                                    bool confirmOverwrite) override;
    bool printerDialog() override;
    void setBusy(bool busy) override { busy_ = busy; }

    // Scripted answers, taken in order. Without one: message boxes answer
    // Ok (or the first button), input boxes answer empty text (cancel), file
    // dialogs are cancelled, the printer dialog is confirmed.
    std::deque<MsgResult> messageAnswers;
    std::deque<QString> inputAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<bool> printerAnswers;

    // What was shown.
    std::vector<Message> messages;
    std::vector<Input> inputs;
    QStringList openFilters, openDirs, saveFilters, saveDirs;
    int printerDialogs = 0;
    bool busy_ = false;

    QStringList messageTexts() const;
    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }
};
