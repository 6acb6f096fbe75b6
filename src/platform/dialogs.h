// Message boxes, input boxes and the common file and printer dialogs.
#pragma once

#include <QString>
#include <optional>

enum class MsgIcon { None, Information, Exclamation, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };
// Which button Enter presses: the first (Ok, Yes, Retry) or the second (Cancel, No).
enum class MsgDefault { First, Second };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box; an empty title shows the program's name only.
    virtual MsgResult message(const QString &text, const QString &title = {},
                              MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                              MsgDefault defaultButton = MsgDefault::First) = 0;
    // A single-line input box. Cancel answers with empty text.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // Open and save dialogs. `filter` is in the "text|pattern|text|pattern"
    // form; nullopt when the user cancels.
    virtual std::optional<QString> openFile(const QString &initialDir, const QString &filter) = 0;
    virtual std::optional<QString> saveFile(const QString &initialDir, const QString &filter,
                                            bool confirmOverwrite) = 0;
    // The printer dialog; false when the user cancels.
    virtual bool printerDialog() = 0;
    // Hourglass pointer on or off.
    virtual void setBusy(bool busy) = 0;
};
