#include "platform/ui/help_window.h"

#include "platform/ui/window_placement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The section (h2) or subsection (h3) headings with an anchor, in order,
// with the plain text of their part of the page.
struct Heading {
    int level = 2;
    QString anchor;
    QString title;
    QString text;
};

QList<Heading> headingsOf(const QString &html)
{
    static const QRegularExpression heading(
        QStringLiteral("<h([23])[^>]*\\bid=\"([^\"]+)\"[^>]*>(.*?)</h\\1>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QList<Heading> out;
    QList<qsizetype> starts;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString title = m.captured(3);
        title.remove(tags);
        out.append({m.captured(1).toInt(), m.captured(2), title.simplified(), {}});
        starts.append(m.capturedStart());
    }
    for (qsizetype i = 0; i < out.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : html.size();
        out[i].text = html.mid(starts[i], end - starts[i]).remove(tags).simplified();
    }
    return out;
}

} // namespace

QString manualIndexFile()
{
    QStringList folders;
    const QString fromEnv = qEnvironmentVariable("RDX600_MANUAL");
    if (!fromEnv.isEmpty()) {
        folders << fromEnv;
    }
    folders
        << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/rdx600/manual"));
#ifdef RDX600_SOURCE_DIR
    folders << QStringLiteral(RDX600_SOURCE_DIR "/docs/manual");
#endif
    for (const QString &folder : folders) {
        const QFileInfo index(QDir(folder).filePath(QStringLiteral("index.html")));
        if (index.isFile()) {
            return index.absoluteFilePath();
        }
    }
    return {};
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("RDX600 Help"));
    resize(placement::fittingSize(*this, QSize(1000, 720)));
    auto *layout = new QVBoxLayout(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Search:"), this));
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("helpSearch"));
    search_->setPlaceholderText(QStringLiteral("a word, then Enter (again for the next place)"));
    searchRow->addWidget(search_, 1);
    result_ = new QLabel(this);
    searchRow->addWidget(result_);
    layout->addLayout(searchRow);

    auto *split = new QSplitter(this);
    contents_ = new QTreeWidget(split);
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setHeaderLabel(QStringLiteral("Contents"));
    contents_->setMinimumWidth(220);
    browser_ = new QTextBrowser(split);
    browser_->setObjectName(QStringLiteral("helpText"));
    browser_->setOpenExternalLinks(true);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    connect(search_, &QLineEdit::returnPressed, this, [this] { search(search_->text()); });
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { showSection(item->data(0, Qt::UserRole).toString()); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { showSection(item->data(0, Qt::UserRole).toString()); });
}

bool HelpWindow::load(const QString &indexFile)
{
    QFile file(indexFile);
    if (!QFileInfo(indexFile).isFile() || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString html = QString::fromUtf8(file.readAll());
    const QFileInfo index(indexFile);
    browser_->setSearchPaths({index.absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(index.absoluteFilePath()));
    if (browser_->document()->isEmpty()) {
        return false;
    }
    buildContents(html);
    return true;
}

void HelpWindow::buildContents(const QString &html)
{
    contents_->clear();
    sections_.clear();
    QTreeWidgetItem *section = nullptr;
    for (const Heading &h : headingsOf(html)) {
        QTreeWidgetItem *item = nullptr;
        if (h.level == 2 || section == nullptr) {
            item = new QTreeWidgetItem(contents_);
            section = item;
        } else {
            item = new QTreeWidgetItem(section);
        }
        item->setText(0, h.title);
        item->setData(0, Qt::UserRole, h.anchor);
        sections_.append({item, h.text});
    }
    contents_->expandAll();
}

void HelpWindow::showSection(const QString &anchor)
{
    if (!anchor.isEmpty()) {
        browser_->scrollToAnchor(anchor);
    }
}

bool HelpWindow::search(const QString &text)
{
    const QString word = text.trimmed();
    int holding = 0;
    for (const auto &[item, sectionText] : sections_) {
        const bool holds = !word.isEmpty() && sectionText.contains(word, Qt::CaseInsensitive);
        QFont font = item->font(0);
        font.setBold(holds);
        item->setFont(0, font);
        holding += holds ? 1 : 0;
    }
    if (word.isEmpty()) {
        result_->clear();
        return false;
    }
    // The next place from the cursor, else from the top.
    if (!browser_->find(word)) {
        browser_->moveCursor(QTextCursor::Start);
        if (!browser_->find(word)) {
            result_->setText(QStringLiteral("not found"));
            return false;
        }
    }
    result_->setText(QStringLiteral("in %1 section%2 (in bold)").arg(holding).arg(holding == 1 ? "" : "s"));
    return true;
}
