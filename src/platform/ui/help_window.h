// The help window: the program's HTML manual in a text browser, its contents
// (the manual's section headings) beside it, and a search field that finds
// a word in the text and lists the sections that hold it.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <utility>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Loads the manual's start page; false when it cannot be read.
    bool load(const QString &indexFile);

    // Finds the next place that holds `text` (from the top when none is
    // left below) and lists the sections that hold it; false when the
    // manual has none.
    bool search(const QString &text);

    QTextBrowser *browser() const { return browser_; }
    QTreeWidget *contents() const { return contents_; }
    QLineEdit *searchField() const { return search_; }
    QLabel *searchResult() const { return result_; }

private:
    void buildContents(const QString &html);
    void showSection(const QString &anchor);

    QTextBrowser *browser_ = nullptr;
    QTreeWidget *contents_ = nullptr;
    QLineEdit *search_ = nullptr;
    QLabel *result_ = nullptr;
    // Each contents entry with the plain text of its part of the manual.
    QList<std::pair<QTreeWidgetItem *, QString>> sections_;
};

// Where the manual is: $RDX600_MANUAL (a folder), the program's share folder
// beside its bin folder once installed, or the source tree's docs/manual.
// Empty when none holds an index.html.
QString manualIndexFile();
