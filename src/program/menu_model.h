// The main window's menu tree as data: every item with its caption and its
// enabled, visible and checked state. Commands change the states here; the
// window mirrors them.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

struct MenuItem {
    QString name;
    QString caption;
    QString parent; // empty for the top-level menus
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool separatorBefore = false;
};

class MenuModel {
public:
    MenuModel();

    // Builds the full tree with every item's starting state.
    void build();

    bool has(const QString &name) const { return index_.count(name) != 0; }
    const MenuItem &item(const QString &name) const;
    MenuItem &item(const QString &name);

    bool enabled(const QString &name) const { return item(name).enabled; }
    bool visible(const QString &name) const { return item(name).visible; }
    bool checked(const QString &name) const { return item(name).checked; }
    QString caption(const QString &name) const { return item(name).caption; }

    void setEnabled(const QString &name, bool on) { item(name).enabled = on; }
    void setVisible(const QString &name, bool on) { item(name).visible = on; }
    void setChecked(const QString &name, bool on) { item(name).checked = on; }
    void setCaption(const QString &name, const QString &caption) { item(name).caption = caption; }
    void setEnabled(const QStringList &names, bool on);

    // Items in tree order (parents before children, siblings in menu order).
    const std::vector<MenuItem> &items() const { return items_; }
    QStringList children(const QString &parent) const;

    // Name of recent-file entry i (0..4): "mnuMRU(i)".
    static QString mru(int i);
    // True for the names mru() gives.
    static bool isMru(const QString &name);

private:
    void add(const QString &name, const QString &caption, const QString &parent, bool enabled = true,
             bool visible = true);
    std::vector<MenuItem> items_;
    std::map<QString, size_t> index_;
};
