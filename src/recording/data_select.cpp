#include "recording/data_select.h"

#include "platform/dialogs.h"
#include "program/program.h"
#include "recording/notes.h"

#include <algorithm>

void DataSelect::activate(const QStringList &lines, const std::vector<int32_t> &widths, int32_t listWidth)
{
    if (p_.rec.gOutputMode == OutputMode::FileSelection) {
        Chosen = -2;
        okEnabled_ = false;
    }
    LastIndex = std::min(static_cast<int>(lines.size()) - 1, 2);
    WidestName = 0;
    LongestName = 0;
    FullNames.clear();
    for (int i = 0; i <= LastIndex; ++i) {
        FullNames << lines[i];
        const int32_t w = i < static_cast<int>(widths.size()) ? widths[i] : 0;
        WidestName = std::max(WidestName, w);
        LongestName = std::max(LongestName, static_cast<int>(lines[i].size()));
    }
    WidestName = std::max<int32_t>(WidestName, 1);
    LongestName = std::max(LongestName, 1);
    ScrollIndex = 1;
    // All paths fit: no scrolling.
    scrollEnabled_ = !(0.9 * listWidth >= WidestName);
}

void DataSelect::scroll(int value)
{
    ScrollIndex = std::clamp(value, 1, LongestName);
}

QStringList DataSelect::shownLines() const
{
    QStringList out;
    for (const QString &name : FullNames) {
        // From character ScrollIndex on; shorter lines show nothing.
        out << (name.size() < ScrollIndex ? QString() : name.mid(ScrollIndex - 1));
    }
    return out;
}

void DataSelect::click(int line)
{
    ScrollIndex = 1;
    okEnabled_ = true;
    Chosen = line;
    if (!p_.rec.slotInUse(Chosen)) {
        p_.dialogs().message(QStringLiteral("No Selection Made") + QLatin1Char('\r') +
                                 QStringLiteral("  Click on filename"),
                             QStringLiteral("Error"), MsgButtons::Ok);
        okEnabled_ = false;
    }
    if (p_.rec.gOutputMode != OutputMode::FileSelection) {
        p_.rec.ginx = Chosen;
    }
}

void DataSelect::ok()
{
    Recording &r = p_.rec;
    switch (r.gOutputMode) {
    case OutputMode::FileSelection:
        r.ginx = Chosen;
        break;
    case OutputMode::CancelOrUserScaleMin:
        if (p_.windows.editNotes != nullptr) {
            p_.windows.editNotes->showNotes();
        }
        break;
    case OutputMode::Summary:
    case OutputMode::Print:
        Program::run(p_.procs.Printinfo);
        break;
    default:
        break; // the reading table and the power table choose on their own
    }
}

void DataSelect::cancel()
{
    if (p_.rec.gOutputMode == OutputMode::FileSelection) {
        p_.rec.ginx = -2;
    }
}

QString DataSelect::scrollDataText(int scrollValue, int smallChange, int32_t listWidth) const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("scrollindex=") + QString::number(ScrollIndex) + crlf +
           QStringLiteral("scroll value = ") + QString::number(scrollValue) + crlf +
           QStringLiteral("smallChange=") + QString::number(smallChange) + crlf +
           QStringLiteral("widthlongest=") + QString::number(WidestName) + crlf +
           QStringLiteral("list1.Width=") + QString::number(listWidth);
}
