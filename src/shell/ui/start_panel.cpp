#include "shell/ui/start_panel.h"

#include "program/menu_model.h"
#include "program/program.h"

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
    connect(open_, &QPushButton::clicked, this, [this] { run(QStringLiteral("mnuItemOpen")); });
    connect(status_, &QPushButton::clicked, this, [this] { run(QStringLiteral("mnuItemStatusCheck")); });
    connect(download_, &QPushButton::clicked, this, [this] { run(QStringLiteral("mnuItemDownload")); });

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
    auto *hint = new QLabel(
        QStringLiteral(
            "Recording files can also be dropped onto this window.\n"
            "No instrument at hand? ./scripts/start.sh plays one (rdx600-sim) on port 1; by hand: "
            "start build/rdx600-sim, then run rdx600 with RDX600_COM1 set to the device it prints.\n"
            "Help > Help (F1) opens the manual."),
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
    open_->setEnabled(m.enabled(QStringLiteral("mnuItemOpen")));
    status_->setEnabled(m.enabled(QStringLiteral("mnuItemStatusCheck")) &&
                        m.enabled(QStringLiteral("mnuInstrument")));
    download_->setEnabled(m.enabled(QStringLiteral("mnuItemDownload")) &&
                          m.enabled(QStringLiteral("mnuInstrument")));
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
        b->setEnabled(m.enabled(item) && m.enabled(QStringLiteral("mnuItemOpen")));
        any = any || shown;
    }
    recentTitle_->setVisible(any);
}

void StartPanel::run(const QString &menuItem)
{
    p_.runCommand(menuItem);
}
