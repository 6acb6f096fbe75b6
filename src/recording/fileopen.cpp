#include "recording/fileopen.h"

#include "platform/dialogs.h"
#include "platform/file_read.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/notes.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// Older min/max/avg files: each triple minimum, maximum, average (file
// order) is put right when it is not; returns the new last index.
int reorderOlderTriples(std::vector<int16_t> &buf, int last)
{
    last -= 1;
    int k = 0;
    for (; k <= last - 3; k += 3) {
        const int16_t a = buf[k];
        const int16_t b = buf[k + 1];
        const int16_t c = buf[k + 2];
        if (!(a <= c && c <= b)) {
            std::array<int16_t, 3> s{a, b, c};
            std::sort(s.begin(), s.end());
            buf[k] = s[0];
            buf[k + 1] = s[2];
            buf[k + 2] = s[1];
        }
    }
    return k + 2;
}

void restoreOpenAfterFailure(Program &p, int slot)
{
    // The third slot stays free: Open and the recent files are usable again.
    if (slot == 2) {
        p.menu.setEnabled(menu::kItemOpen, true);
        ShowRecentFileEntries(p);
    }
}

FileopenResult fail(Program &p, int slot, FileopenResult result)
{
    Recording &r = p.rec;
    switch (result) {
    case FileopenResult::NotFound:
        p.dialogs().message(QStringLiteral("File not found"));
        break;
    case FileopenResult::ProcessingError:
        p.dialogs().message(QStringLiteral("Error in processing file"));
        break;
    case FileopenResult::ModeMixing:
        p.dialogs().message(QStringLiteral("Mode mixing not allowed"));
        break;
    default:
        break;
    }
    if (result != FileopenResult::ModeMixing) {
        r.gOutputMode = OutputMode::CancelOrUserScaleMin;
        // A file that cannot be read is no recent recording.
        forgetRecentFile(p, r.gOpenPath);
    }
    restoreOpenAfterFailure(p, slot);
    p.dialogs().setBusy(false);
    return result;
}

} // namespace

namespace {

constexpr int kRecentFiles = 4;
const QString kRecentSection = QStringLiteral("Settings");

QString recentKey(int i)
{
    return QStringLiteral("mrufile%1").arg(i);
}

QStringList storedRecentFiles(Program &p)
{
    QStringList paths;
    for (int i = 1; i <= kRecentFiles; ++i) {
        paths << p.settings().get(kRecentSection, recentKey(i));
    }
    return paths;
}

// Writes the list (newest first, at most four) and shows its entries, while
// Open is usable.
void storeRecentFiles(Program &p, QStringList paths)
{
    paths.removeAll(QString());
    const bool openUsable = p.menu.enabled(menu::kItemOpen);
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path = paths.value(i - 1);
        p.settings().save(kRecentSection, recentKey(i), path);
        if (!path.isEmpty()) {
            p.menu.setCaption(MenuModel::mru(i), path);
        }
        p.menu.setVisible(MenuModel::mru(i), !path.isEmpty() && openUsable);
    }
}

QStringList withoutFile(const QStringList &paths, const QString &path)
{
    const QString identity = fileIdentity(path);
    QStringList kept;
    for (const QString &stored : paths) {
        if (!stored.isEmpty() && fileIdentity(stored) != identity) {
            kept << stored;
        }
    }
    return kept;
}

} // namespace

void updateRecentFiles(Program &p, const QString &path)
{
    storeRecentFiles(p, QStringList{path} + withoutFile(storedRecentFiles(p), path));
}

void forgetRecentFile(Program &p, const QString &path)
{
    const QStringList stored = storedRecentFiles(p);
    const QStringList kept = withoutFile(stored, path);
    if (kept.size() != stored.size() - stored.count(QString())) {
        storeRecentFiles(p, kept);
    }
}

FileopenResult Fileopen(Program &p)
{
    Recording &r = p.rec;
    p.dialogs().setBusy(true);
    p.chart.gSelStartText.clear();
    r.gOutputMode = OutputMode::Nothing;

    int slot = 0;
    while (slot < kSlots && r.slotInUse(slot)) {
        ++slot;
    }
    if (slot == kSlots) {
        p.dialogs().setBusy(false);
        return FileopenResult::NoFreeSlot;
    }
    if (slot == 2) {
        p.menu.setEnabled(menu::kItemOpen, false);
        for (int i = 1; i <= 4; ++i) {
            p.menu.setVisible(MenuModel::mru(i), false);
        }
    }

    // First pass: header, mode check, range and format marker.
    const std::optional<QByteArray> read = readRegularFile(r.gOpenPath);
    if (!read) {
        return fail(p, slot, FileopenResult::NotFound);
    }
    const QByteArray &bytes = *read;
    RecordingScan scan;
    if (!scanRecording(bytes, scan)) {
        return fail(p, slot, FileopenResult::NotFound);
    }
    QString header = scan.header;
    const QString modeLetter = modeLetterOf(header);
    if (slot != 0 && modeLetter != r.gInfo[0][kColMode].text()) {
        return fail(p, slot, FileopenResult::ModeMixing);
    }

    // Second pass: the header fields.
    const QString units = header.mid(2, 1);
    r.gModeLetter = modeLetter;
    p.menu.setEnabled(
        {menu::kPwrview, menu::kItemViewPower, menu::kItemPrintpwrSum, menu::kItemViewpwrsummry}, true);
    if (units == QLatin1String("V")) {
        p.menu.setEnabled(
            {menu::kPwrview, menu::kItemPrintpwrSum, menu::kItemViewPower, menu::kItemPrintPwrTable}, false);
    }
    const QString serial = header.mid(7, 4);
    if (header.size() > 51 && header.mid(44, 8) != QLatin1String("   Vbatt")) {
        copyLateStamp(header);
    }
    const auto endTime = textformat::parseDate(header.mid(30, 14));
    if (!endTime) {
        return fail(p, slot, FileopenResult::ProcessingError);
    }
    const QString endText = textformat::dateText(*endTime, textformat::DateText::Stamp);

    // Values, newest first.
    ValueItems values;
    if (!readValueItems(bytes, scan, ItemScale::Tenths, values) || values.count == 0) {
        return fail(p, slot, FileopenResult::ProcessingError);
    }
    int last = std::min(values.count - 1, kLastValueIndex);
    const bool tLayout = scan.formatMarker == QLatin1String("T");
    if (!tLayout && isMinMaxAvg(modeLetter)) {
        last = reorderOlderTriples(values.buffer, last);
    }
    // Oldest first; min/max/avg triples become average, maximum, minimum.
    auto &dest = r.gValues[slot];
    std::reverse_copy(values.buffer.begin(), values.buffer.begin() + last + 1, dest.begin());
    if (!tLayout && isMinMaxAvg(modeLetter)) {
        dest[0] = dest[2];
        dest[1] = dest[3];
    }

    // The maximum is never below 0; the minimum is the smallest value.
    int maxV = 0;
    int minV = dest[0];
    for (int i = 0; i <= last; ++i) {
        maxV = std::max<int>(maxV, dest[i]);
        minV = std::min<int>(minV, dest[i]);
    }

    // Time stamps.
    const auto interval = p.modes.interval(modeLetter);
    if (!interval) {
        return fail(p, slot, FileopenResult::ProcessingError);
    }
    QDateTime end = *endTime;
    int32_t startIndex = 0;
    if (tLayout) {
        startIndex = -last;
    } else {
        // The older layout stamps the time the last interval began: move on
        // to the interval's end.
        if (*interval == 0) {
            return fail(p, slot, FileopenResult::ProcessingError);
        }
        const int m = static_cast<int>(textformat::leadingNumber(header.mid(42, 2)));
        if (m % *interval != 0) {
            end = end.addSecs(60LL * (*interval * (m / *interval + 1) - m));
        }
        startIndex = -(last + 1);
    }
    auto &info = r.gInfo[slot];
    info[kColStart] = textformat::dateText(end, textformat::DateText::Stamp);
    info[kColMode] = modeLetter;
    r.ginx = slot;
    const QString startText = calcDate(modeLetter, info[kColStart].text(), startIndex);
    if (startText.isEmpty()) {
        return fail(p, slot, FileopenResult::ProcessingError);
    }

    info[kColMode] = modeLetter;
    info[kColSerial] = serial;
    info[kColStart] = startText;
    info[kColLast] = last;
    info[kColUnits] = units;
    info[kColMax] = static_cast<double>(static_cast<float>(maxV) / 10.0F);
    info[kColMin] = static_cast<double>(static_cast<float>(minV) / 10.0F);
    info[kColPath] = r.gOpenPath;
    info[kColRange] = scan.rangeText;
    info[kColEnd] = endText;
    info[kColEdited] = 0;
    info[kColHeader] = header;
    info[kColFormat] = scan.formatMarker;

    // Notes: a missing notes file gives empty notes.
    r.gWorkPath = notesPath(r.gOpenPath);
    r.gSite[slot] = readNotesFile(r.gWorkPath).value_or(SiteNotes{});
    r.ginx = slot;
    p.dialogs().setBusy(false);
    // Only a file that opened joins the list; opening it again moves it up.
    updateRecentFiles(p, r.gOpenPath);
    return FileopenResult::Opened;
}

namespace {

// Menus once a file has been read by the Open command.
void setMenusAfterOpen(Program &p)
{
    MenuModel &m = p.menu;
    if (isMinMaxAvg(p.rec.gModeLetter)) {
        m.setEnabled(menu::kPwrview, false);
    }
    m.setEnabled({menu::kItemClose, menu::kView, menu::kItemViewPlot, menu::kItemPrint}, true);
    m.setEnabled({menu::kItemViewTable, menu::kItemPrintTable, menu::kItemViewPwrTable,
                  menu::kItemViewpwrsummry, menu::kItemPrintpwrSum, menu::kItemPrintPwrTable},
                 false);
}

bool readable(const QString &path)
{
    return isReadableRegularFile(path);
}

} // namespace

bool startOpeningFile(Program &p, const QString &path)
{
    if (p.rec.openCount() >= kSlots || !p.menu.enabled(menu::kItemOpen)) {
        return false;
    }
    HideChart(p);
    HideTextViews(p);
    if (!readable(path)) {
        forgetRecentFile(p, path);
        p.dialogs().message(QStringLiteral("File not found"));
        return false;
    }
    p.rec.gOpenPath = path;
    return true;
}

bool chooseRecordingFile(Program &p)
{
    HideChart(p);
    HideTextViews(p);
    p.rec.gWorkPath = p.settings().get(QStringLiteral("Directory"), QStringLiteral("default"));
    const auto path =
        p.dialogs().openFile(p.rec.gWorkPath, QStringLiteral("data files (*.dat)|*.dat|All files (*.*)|*.*"));
    if (!path || path->isEmpty() || !readable(*path)) {
        p.dialogs().setBusy(false);
        return false;
    }
    p.rec.gOpenPath = *path;
    return true;
}

bool finishOpeningFile(Program &p, FileopenResult result)
{
    Recording &r = p.rec;
    // With nothing open the recording commands stay disabled.
    if (r.slotInUse(0)) {
        setMenusAfterOpen(p);
    }
    r.gSelectFlag = 0;
    p.dialogs().setBusy(false);
    r.gOutputMode = OutputMode::Nothing;
    return result == FileopenResult::Opened;
}

namespace {

void recentFileNotFound(Program &p)
{
    Recording &r = p.rec;
    p.dialogs().setBusy(false);
    r.gOutputMode = OutputMode::Nothing;
    forgetRecentFile(p, r.gOpenPath);
    p.dialogs().message(QStringLiteral("File not found or disk error"));
}

} // namespace

bool startOpeningRecentFile(Program &p, int entry)
{
    Recording &r = p.rec;
    r.gOpenPath = p.menu.caption(MenuModel::mru(entry));
    if (r.gOpenPath.isEmpty() || !readable(r.gOpenPath)) {
        recentFileNotFound(p);
        return false;
    }
    HideChart(p);
    HideTextViews(p);
    return true;
}

void finishOpeningRecentFile(Program &p)
{
    Recording &r = p.rec;
    if (r.gOutputMode == OutputMode::CancelOrUserScaleMin) {
        recentFileNotFound(p);
        return;
    }
    MenuModel &m = p.menu;
    if (r.slotInUse(0)) {
        m.setEnabled({menu::kItemViewPwrTable, menu::kItemViewpwrsummry, menu::kItemViewTable,
                      menu::kItemPrintpwrSum, menu::kItemPrintPwrTable, menu::kItemPrintTable},
                     false);
        m.setEnabled({menu::kItemClose, menu::kItemViewPlot, menu::kItemPrint, menu::kView}, true);
    }
    p.dialogs().setBusy(false);
    r.gOutputMode = OutputMode::Nothing;
}
