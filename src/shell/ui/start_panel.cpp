#include "shell/ui/start_panel.h"

#include "link/instrument_catalogue.h"
#include "program/menu_items.h"
#include "program/menu_model.h"
#include "program/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *actionButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumWidth(150);
    return b;
}

} // namespace

StartPanel::StartPanel(Program &p, QWidget *parent) : QWidget(parent), p_(p)
{
    setObjectName(QStringLiteral("startPanel"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 24, 24, 24);

    auto *title = new QLabel(
        QStringLiteral("<b>RDX600</b> &mdash; recordings of portable ammeters and voltmeters"), this);
    title->setTextFormat(Qt::RichText);
    outer->addWidget(title);
    outer->addSpacing(12);

    auto *buttons = new QHBoxLayout;
    open_ = actionButton(QStringLiteral("Open a recording..."), QStringLiteral("startOpen"), this);
    status_ = actionButton(QStringLiteral("Status Check"), QStringLiteral("startStatus"), this);
    download_ = actionButton(QStringLiteral("Download"), QStringLiteral("startDownload"), this);
    for (QPushButton *b : {open_, status_, download_}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    outer->addLayout(buttons);
    connect(open_, &QPushButton::clicked, this, [this] { run(menu::kItemOpen); });
    connect(status_, &QPushButton::clicked, this, [this] { run(menu::kItemStatusCheck); });
    connect(download_, &QPushButton::clicked, this, [this] { run(menu::kItemDownload); });

    outer->addSpacing(16);
    recentTitle_ = new QLabel(QStringLiteral("Recent recordings:"), this);
    outer->addWidget(recentTitle_);
    for (int i = 1; i <= 4; ++i) {
        auto *b = new QPushButton(this);
        b->setObjectName(QStringLiteral("startRecent%1").arg(i));
        b->setFlat(true);
        b->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
        connect(b, &QPushButton::clicked, this, [this, i] { run(MenuModel::mru(i)); });
        recent_.append(b);
        outer->addWidget(b);
    }

    outer->addSpacing(16);
    auto *hint = new QLabel(QStringLiteral("Recording files can also be dropped onto this window.\n") +
                                simulatorHint(QCoreApplication::applicationDirPath()) +
                                QStringLiteral("\nHelp > Help (F1) opens the manual."),
                            this);
    hint->setWordWrap(true);
    hint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outer->addWidget(hint);
    outer->addStretch(1);
}

bool StartPanel::wanted(const Program &p)
{
    const MainViewState &v = p.view;
    const bool anyView = v.Label1.visible || v.Label2.visible || v.Label3.visible || v.Header1.visible ||
                         v.RichTextBox1.visible || v.chart1Visible || v.chart2Visible || v.Drive1.visible ||
                         v.Dir1.visible || v.Command1.visible || v.Command2.visible;
    return !anyView && !p.rec.slotInUse(0);
}

void StartPanel::refresh()
{
    const MenuModel &m = p_.menu;
    open_->setEnabled(m.enabled(menu::kItemOpen));
    status_->setEnabled(m.enabled(menu::kItemStatusCheck) && m.enabled(menu::kInstrument));
    download_->setEnabled(m.enabled(menu::kItemDownload) && m.enabled(menu::kInstrument));
    bool any = false;
    for (int i = 1; i <= 4; ++i) {
        QPushButton *b = recent_[i - 1];
        const QString item = MenuModel::mru(i);
        const QString path = m.caption(item);
        const bool shown = m.visible(item) && !path.isEmpty();
        if (shown) {
            QString text = QFileInfo(path).fileName() + QStringLiteral("   (") + path + QStringLiteral(")");
            text.replace(QLatin1Char('&'), QStringLiteral("&&"));
            b->setText(text);
            b->setToolTip(path);
        }
        b->setVisible(shown);
        b->setEnabled(m.enabled(item) && m.enabled(menu::kItemOpen));
        any = any || shown;
    }
    recentTitle_->setVisible(any);
}

QString StartPanel::simulatorHint(const QString &programDir)
{
    // A program built from the source checkout lies below the folder that
    // holds scripts/start.sh; an installed one has no such folder above it.
    QDir dir(programDir);
    for (int up = 0; up < 4; ++up) {
        if (QFileInfo::exists(dir.filePath(QStringLiteral("scripts/start.sh")))) {
            const QString sim = dir.relativeFilePath(QDir(programDir).filePath(QStringLiteral("rdx600-sim")));
            const QString program = dir.relativeFilePath(QDir(programDir).filePath(QStringLiteral("rdx600")));
            return QStringLiteral(
                       "No instrument at hand? In the source folder, ./scripts/start.sh starts the "
                       "program with a simulated instrument (rdx600-sim) on port 1; by hand: start ") +
                   sim + QStringLiteral(", then run ") + program +
                   QStringLiteral(" with RDX600_COM1 set to the device it prints.");
        }
        if (!dir.cdUp()) {
            break;
        }
    }
    return QStringLiteral(
        "No instrument at hand? Run rdx600-sim in a terminal: it plays an instrument and prints its "
        "device (for example /dev/pts/3). Then start the program with RDX600_COM1 set to that device "
        "(RDX600_COM1=/dev/pts/3 rdx600) and use port 1 (Options > Com Port Selection).");
}

void StartPanel::run(const QString &menuItem)
{
    // A button does what its menu item does, the menu's own rules first:
    // opening the Instrument menu asks for the instrument type on first use.
    QString top = menuItem;
    while (p_.menu.has(top) && !p_.menu.item(top).parent.isEmpty()) {
        top = p_.menu.item(top).parent;
    }
    p_.menuOpened(top);
    // Leaving that question without a type leaves the command unrun, as
    // closing the menu would: no exchange at a rate the unit may not use.
    if (top == menu::kInstrument && p_.splash.instSelection == InstType::kNone) {
        return;
    }
    p_.runCommand(menuItem);
}
