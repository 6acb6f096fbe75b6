#include "shell/ui/main_window.h"

#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "platform/ui/window_placement.h"
#include "program/menu_items.h"
#include "reports/open_recording.h"
#include "shell/shell_commands.h"
#include "shell/startup.h"
#include "shell/ui/start_panel.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// True when every character takes the same width (some fonts that do are
// not flagged as fixed-pitch).
bool monospaced(const QFont &font)
{
    const QFontMetrics m(font);
    return m.horizontalAdvance(QLatin1Char('i')) == m.horizontalAdvance(QLatin1Char('M')) &&
           m.horizontalAdvance(QLatin1Char(' ')) == m.horizontalAdvance(QLatin1Char('W'));
}

// A fixed-pitch font for the report texts, whose columns are made of blanks.
QFont fixedPitchFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (monospaced(font)) {
        return font;
    }
    for (const char *family : {"DejaVu Sans Mono", "Liberation Mono", "Courier New", "Courier"}) {
        QFont candidate(QString::fromLatin1(family), font.pointSize());
        candidate.setStyleHint(QFont::TypeWriter);
        if (monospaced(candidate)) {
            return candidate;
        }
    }
    return font;
}

QLabel *reportLabel(const QString &name, bool fixedPitch, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (fixedPitch) {
        label->setFont(fixedPitchFont());
    }
    label->hide();
    return label;
}

// The program's line ends (CR, CR LF) as the line feeds Qt shows.
QString shownText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void mirror(QWidget *w, const ViewControl &c)
{
    w->setVisible(c.visible);
    w->setEnabled(c.enabled);
}

void mirrorLabel(QLabel *label, const ViewControl &c)
{
    const QString text = shownText(c.text);
    if (label->text() != text) {
        label->setText(text);
    }
    mirror(label, c);
}

QString rgbName(uint32_t rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFU, 6, 16, QLatin1Char('0'));
}

} // namespace

RDX::RDX(Program &p, QWidget *parent) : QMainWindow(parent), p_(p)
{
    setObjectName(QStringLiteral("RDX"));
    // The smallest window in which the chart, its labels and legend still
    // fit; small enough for a 1280 x 800 screen at twice the normal scale.
    setMinimumSize(kMinimumSize);
    buildMenus();
    addShortcuts();
    buildCentralArea();
    setAcceptDrops(true);
    p_.windows.main = this;
    mainWindowLoad(p_);
    sync();
    restorePlace();
}

void RDX::restorePlace()
{
    // The size and place the window had when it was last closed; the first
    // time a size that fits the screen.
    const QByteArray saved = QByteArray::fromBase64(
        p_.settings()
            .get(QString::fromLatin1(kGeometrySection), QString::fromLatin1(kGeometryKey))
            .toLatin1());
    if (!saved.isEmpty() && restoreGeometry(saved)) {
        return;
    }
    resize(placement::fittingSize(*this, QSize(1000, 700)));
}

void RDX::storePlace()
{
    p_.settings().save(QString::fromLatin1(kGeometrySection), QString::fromLatin1(kGeometryKey),
                       QString::fromLatin1(saveGeometry().toBase64()));
}

RDX::~RDX()
{
    if (p_.windows.main == this) {
        p_.windows.main = nullptr;
    }
}

QAction *RDX::action(const QString &name) const
{
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu *RDX::menu(const QString &name) const
{
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

void RDX::buildMenus()
{
    for (const MenuItem &item : p_.menu.items()) {
        const QString name = item.name;
        const bool opensSubmenu = !p_.menu.children(name).isEmpty();
        QMenu *parentMenu = item.parent.isEmpty() ? nullptr : menu(item.parent);
        if (parentMenu != nullptr && item.separatorBefore) {
            parentMenu->addSeparator();
        }
        QAction *a = nullptr;
        if (opensSubmenu) {
            auto *m = new QMenu(item.caption, this);
            m->setObjectName(name);
            if (parentMenu == nullptr) {
                menuBar()->addMenu(m);
                // The menu-opening rules run for the top-level menus.
                connect(m, &QMenu::aboutToShow, this, [this, name] { p_.menuOpened(name); });
            } else {
                parentMenu->addMenu(m);
            }
            menus_[name] = m;
            a = m->menuAction();
        } else {
            a = parentMenu == nullptr ? menuBar()->addAction(item.caption)
                                      : parentMenu->addAction(item.caption);
            connect(a, &QAction::triggered, this, [this, name] { p_.runCommand(name); });
        }
        a->setObjectName(name);
        actions_[name] = a;
    }
}

void RDX::addShortcuts()
{
    // The standard keys of a desktop program, shown beside their menu items.
    const std::pair<const char *, QKeySequence> keys[] = {
        {menu::kItemOpen, QKeySequence::Open},         {menu::kItemSave, QKeySequence::Save},
        {menu::kItemClose, QKeySequence::Close},       {menu::kItemExit, QKeySequence::Quit},
        {menu::kItemHelp, QKeySequence::HelpContents},
    };
    for (const auto &[name, key] : keys) {
        if (QAction *a = action(QString::fromLatin1(name))) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
    }
    // Print is a menu of reports: its key opens that menu.
    if (QMenu *print = menu(menu::kItemPrint)) {
        captionSuffix_[menu::kItemPrint] =
            QStringLiteral("\t") + QKeySequence(QKeySequence::Print).toString(QKeySequence::NativeText);
        print->menuAction()->setText(print->menuAction()->text() + captionSuffix_[menu::kItemPrint]);
        auto *key = new QShortcut(QKeySequence::Print, this);
        connect(key, &QShortcut::activated, this, [this, print] {
            p_.menuOpened(menu::kFile);
            if (print->menuAction()->isEnabled() && print->menuAction()->isVisible()) {
                print->popup(mapToGlobal(QPoint(40, menuBar()->height())));
            }
        });
    }
}

void RDX::openDroppedFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (p_.rec.openCount() >= kSlots) {
            p_.dialogs().message(QStringLiteral("Three recordings are open already: ") +
                                 QFileInfo(path).fileName() + QStringLiteral(" was not opened."));
            break;
        }
        openRecordingFile(p_, QFileInfo(path).absoluteFilePath());
    }
    p_.sync();
}

void RDX::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void RDX::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    event->acceptProposedAction();
    openDroppedFiles(paths);
}

void RDX::buildCentralArea()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);

    Label1 = reportLabel(QStringLiteral("Label1"), true, central);
    Label1->setAutoFillBackground(true);
    Label2 = reportLabel(QStringLiteral("Label2"), true, central);
    Header1 = reportLabel(QStringLiteral("Header1"), true, central);
    Label3 = reportLabel(QStringLiteral("Label3"), false, central);

    RichTextBox1 = new QTextEdit(central);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setAcceptRichText(false);
    RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
    RichTextBox1->setFont(fixedPitchFont());
    RichTextBox1->hide();

    // The two charts share one place: the imported chart lies over the
    // recording chart while it is shown.
    chartPlace_ = new QWidget(central);
    chartPlace_->setObjectName(QStringLiteral("chartPlace"));
    auto *overlay = new QGridLayout(chartPlace_);
    overlay->setContentsMargins(0, 0, 0, 0);
    chartPlace_->hide();
    chartArea1_ = new QWidget(chartPlace_);
    chartArea1_->setObjectName(QStringLiteral("ChartFX1"));
    new QVBoxLayout(chartArea1_);
    chartArea1_->layout()->setContentsMargins(0, 0, 0, 0);
    chartArea1_->hide();
    chartArea2_ = new QWidget(chartPlace_);
    chartArea2_->setObjectName(QStringLiteral("ChartFX2"));
    new QVBoxLayout(chartArea2_);
    chartArea2_->layout()->setContentsMargins(0, 0, 0, 0);
    chartArea2_->hide();
    overlay->addWidget(chartArea1_, 0, 0);
    overlay->addWidget(chartArea2_, 0, 0);
    chartArea2_->raise();

    // The default-directory panel.
    dirPanel_ = new QWidget(central);
    dirPanel_->setObjectName(QStringLiteral("defaultDirPanel"));
    auto *panel = new QHBoxLayout(dirPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    Drive1 = new QComboBox(dirPanel_);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setMinimumWidth(160);
    Command1 = new QPushButton(dirPanel_);
    Command1->setObjectName(QStringLiteral("Command1"));
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    Dir1 = new QTreeView(dirPanel_);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setModel(dirModel_);
    for (int column = 1; column < dirModel_->columnCount(); ++column) {
        Dir1->hideColumn(column);
    }
    Dir1->header()->hide();
    Dir1->setMinimumSize(320, 240);
    Command2 = new QPushButton(dirPanel_);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto *leftColumn = new QVBoxLayout;
    leftColumn->addWidget(Drive1);
    leftColumn->addWidget(Command1);
    leftColumn->addStretch();
    auto *rightColumn = new QVBoxLayout;
    rightColumn->addWidget(Dir1);
    rightColumn->addWidget(Command2);
    panel->addLayout(leftColumn);
    panel->addLayout(rightColumn, 1);
    panel->addStretch();
    dirPanel_->hide();
    connect(Drive1, &QComboBox::currentTextChanged, this,
            [this](const QString &drive) { p_.view.drive1Drive = drive; });
    connect(Command1, &QPushButton::clicked, this, &RDX::onCommand1);
    connect(Command2, &QPushButton::clicked, this, &RDX::onCommand2);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, &RDX::onDirSelected);

    startPanel_ = new StartPanel(p_, central);
    layout->addWidget(startPanel_, 1);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Header1);
    layout->addWidget(RichTextBox1, 1);
    layout->addWidget(Label3);
    layout->addWidget(chartPlace_, 1);
    layout->addWidget(dirPanel_);
    layout->addStretch(0);
    setCentralWidget(central);

    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = new QLabel(this);
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        StatusPanel[i]->setMinimumWidth(i == 0 ? 80 : 180);
        statusBar()->addWidget(StatusPanel[i], i == 0 ? 0 : 1);
    }
    statusBar()->setSizeGripEnabled(true);
}

void RDX::sync()
{
    syncMenus();
    syncView();
}

void RDX::syncMenus()
{
    for (const MenuItem &item : p_.menu.items()) {
        QAction *a = action(item.name);
        if (a == nullptr) {
            continue;
        }
        QString caption = item.caption;
        if (MenuModel::isMru(item.name)) {
            caption.replace(QLatin1Char('&'), QStringLiteral("&&")); // a path, not an accelerator
        }
        if (const auto suffix = captionSuffix_.find(item.name); suffix != captionSuffix_.end()) {
            caption += suffix->second;
        }
        if (a->text() != caption) {
            a->setText(caption);
        }
        a->setEnabled(item.enabled);
        a->setVisible(item.visible);
        if (item.checked && !a->isCheckable()) {
            a->setCheckable(true);
        }
        if (a->isCheckable()) {
            a->setChecked(item.checked);
        }
    }
    // Tidy CSV... serves whenever a recording is open, so the Export menu
    // opens for it too; its other items then stay as the Export menu's own
    // state has them.
    const bool exportMenu = p_.menu.enabled(menu::kItemExportType);
    const bool tidy = p_.menu.enabled(menu::kItemExpTidy);
    if (QAction *a = action(menu::kItemExportType)) {
        a->setEnabled(exportMenu || tidy);
    }
    for (const QString &child : p_.menu.children(menu::kItemExportType)) {
        if (QAction *a = action(child); a != nullptr && child != menu::kItemExpTidy) {
            a->setEnabled(p_.menu.enabled(child) && exportMenu);
        }
    }
}

void RDX::syncView()
{
    const MainViewState &v = p_.view;
    if (windowTitle() != v.title) {
        setWindowTitle(v.title);
    }
    mirrorLabel(Label1, v.Label1);
    if (shownBackground_ != v.label1Background) {
        shownBackground_ = v.label1Background;
        Label1->setStyleSheet(
            QStringLiteral("QLabel#Label1 { background-color: %1; }").arg(rgbName(shownBackground_)));
    }
    mirrorLabel(Label2, v.Label2);
    mirrorLabel(Label3, v.Label3);
    mirrorLabel(Header1, v.Header1);
    if (shownRichText_ != v.RichTextBox1.text) {
        shownRichText_ = v.RichTextBox1.text;
        RichTextBox1->setPlainText(shownText(shownRichText_));
    }
    mirror(RichTextBox1, v.RichTextBox1);
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i]->setText(v.statusPanels[i].text);
        StatusPanel[i]->setVisible(v.statusPanels[i].visible);
    }
    statusBar()->setVisible(v.statusBarVisible);
    chartArea1_->setVisible(v.chart1Visible);
    chartArea2_->setVisible(v.chart2Visible);
    chartPlace_->setVisible(v.chart1Visible || v.chart2Visible);
    syncDefaultDirPanel();
    const bool start = StartPanel::wanted(p_);
    if (start) {
        startPanel_->refresh();
    }
    startPanel_->setVisible(start);
}

void RDX::syncDefaultDirPanel()
{
    const MainViewState &v = p_.view;
    if (v.Drive1.visible && !drivesListed_) {
        // Showing the drive list refreshes it.
        const QSignalBlocker block(Drive1);
        Drive1->clear();
        for (const QFileInfo &drive : QDir::drives()) {
            Drive1->addItem(drive.absolutePath());
        }
        const int at = Drive1->findText(v.drive1Drive);
        if (at >= 0) {
            Drive1->setCurrentIndex(at);
        } else if (!v.drive1Drive.isEmpty()) {
            Drive1->addItem(v.drive1Drive);
            Drive1->setCurrentIndex(Drive1->count() - 1);
        }
        p_.view.drive1Drive = Drive1->currentText();
    }
    drivesListed_ = v.Drive1.visible;
    if (v.Dir1.visible && dirRoot_.isEmpty()) {
        // Dir1 opens on the chosen drive, with that drive selected.
        dirRoot_ = v.dir1Path;
        dirModel_->setRootPath(dirRoot_);
        const QModelIndex root = dirModel_->index(dirRoot_);
        Dir1->expand(root);
        Dir1->setCurrentIndex(root);
    } else if (!v.Dir1.visible) {
        dirRoot_.clear();
    }
    mirror(Drive1, v.Drive1);
    mirror(Dir1, v.Dir1);
    Command1->setText(v.Command1.text);
    mirror(Command1, v.Command1);
    Command2->setText(v.Command2.text);
    mirror(Command2, v.Command2);
    dirPanel_->setVisible(v.Drive1.visible || v.Dir1.visible || v.Command1.visible || v.Command2.visible);
}

void RDX::onCommand1()
{
    p_.view.drive1Drive = Drive1->currentText();
    DefaultDirSelectDrive(p_);
    p_.sync();
}

void RDX::onCommand2()
{
    DefaultDirSelectDirectory(p_);
    p_.sync();
}

void RDX::onDirSelected()
{
    const QModelIndex current = Dir1->currentIndex();
    if (current.isValid()) {
        p_.view.dir1Path = dirModel_->filePath(current);
    }
}

void RDX::quit()
{
    storePlace();
    hide();
    QCoreApplication::exit(0);
}

void RDX::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the whole program, whatever else is open.
    storePlace();
    event->accept();
    QCoreApplication::exit(0);
}
