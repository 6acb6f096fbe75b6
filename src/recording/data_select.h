// The data selection window's logic: the list of open recordings, the
// horizontal scrolling of long paths, the click, OK and Cancel rules. The
// window measures text widths and shows what this class computes.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class Program;

// The window as the core sees it.
class DataSelectView {
public:
    virtual ~DataSelectView() = default;
    // Shows the window modally with the list filled with `lines` (one per
    // slot, in slot order); returns when the window has closed.
    virtual void showModal(const QStringList &lines) = 0;
};

class DataSelect {
public:
    explicit DataSelect(Program &p) : p_(p) {}

    // Activation. `widths` are the display widths of `lines` and
    // `listWidth` the width of the list, in one unit of the window's choice.
    void activate(const QStringList &lines, const std::vector<int32_t> &widths, int32_t listWidth);

    // Scroll bar range and state.
    int scrollMinimum() const { return 1; }
    int scrollMaximum() const { return LongestName; }
    int largeChange() const { return scrollMaximum() - scrollMinimum() + 1; }
    bool scrollEnabled() const { return scrollEnabled_; }
    bool okEnabled() const { return okEnabled_; }

    // Scroll bar moved: the lines as they are now shown.
    void scroll(int value);
    // The lines shown for the current ScrollIndex.
    QStringList shownLines() const;

    // Click on list line `line` (0..2).
    void click(int line);
    // OK: the window has closed; acts on gOutputMode.
    void ok();
    // Cancel: the window closes.
    void cancel();

    // The diagnostic "Show scroll data" text.
    QString scrollDataText(int scrollValue, int smallChange, int32_t listWidth) const;

    QStringList FullNames;
    int LastIndex = -1;
    int32_t WidestName = 1;
    int LongestName = 1;
    int ScrollIndex = 1;
    int Chosen = -2;

private:
    Program &p_;
    bool scrollEnabled_ = false;
    bool okEnabled_ = true;
};
