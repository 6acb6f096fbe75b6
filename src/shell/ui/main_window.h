// The main window RDX: the menu bar built from the menu model, the report
// labels and text view, two chart areas, the status bar and the
// default-directory panel. It mirrors Program::menu and Program::view and
// forwards menu commands and button presses to the core.
#pragma once

#include "program/program.h"

#include <QMainWindow>
#include <map>

class QAction;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class StartPanel;
class QFileSystemModel;
class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;
class QTreeView;

class RDX : public QMainWindow, public MainView {
    Q_OBJECT
public:
    explicit RDX(Program &p, QWidget *parent = nullptr);
    ~RDX() override;
    RDX(const RDX &) = delete;
    RDX &operator=(const RDX &) = delete;

    void sync() override;
    void quit() override;

    // The window's smallest size.
    static constexpr QSize kMinimumSize{600, 340};
    // Where the window's size and place are kept between runs (a setting of
    // its own beside the program's other settings).
    static constexpr const char *kGeometrySection = "Window";
    static constexpr const char *kGeometryKey = "geometry";

    // Empty containers (with a QVBoxLayout) for ChartFX1 and ChartFX2.
    QWidget *chartArea1() const { return chartArea1_; }
    QWidget *chartArea2() const { return chartArea2_; }

    // The action of a menu item by its name (a submenu's menu action for
    // the items that open a submenu); null when there is none.
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;

    // The controls, with the names the program gives them.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Header1 = nullptr;
    QTextEdit *RichTextBox1 = nullptr;
    QLabel *StatusPanel[3] = {nullptr, nullptr, nullptr};
    QComboBox *Drive1 = nullptr;
    QTreeView *Dir1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    StartPanel *startPanel() const { return startPanel_; }

    // Opens dropped recording files as Open does; a file beyond the third
    // open recording is refused with a message.
    void openDroppedFiles(const QStringList &paths);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void restorePlace();
    void storePlace();
    void buildMenus();
    void addShortcuts();
    void buildCentralArea();
    void syncMenus();
    void syncView();
    void syncDefaultDirPanel();
    void onCommand1();
    void onCommand2();
    void onDirSelected();

    Program &p_;
    std::map<QString, QAction *> actions_;
    std::map<QString, QMenu *> menus_;
    std::map<QString, QString> captionSuffix_; // key hints shown after a caption
    QWidget *chartPlace_ = nullptr;            // holds both chart areas, one over the other
    QWidget *chartArea1_ = nullptr;
    QWidget *chartArea2_ = nullptr;
    QWidget *dirPanel_ = nullptr;
    StartPanel *startPanel_ = nullptr;
    QFileSystemModel *dirModel_ = nullptr;
    QString shownRichText_;
    uint32_t shownBackground_ = 0xFFFFFFFFU; // none yet
    QString dirRoot_;
    bool drivesListed_ = false;
};
