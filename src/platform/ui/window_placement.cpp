#include "platform/ui/window_placement.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace placement {

namespace {
// Where presentOver last put a window.
const char *const kPlacedAt = "rdx600PlacedAt";
// Room for a title bar when a window is sized to the screen.
constexpr int kTitleBar = 40;
} // namespace

QRect centredWithin(const QSize &size, const QRect &anchor, const QRect &screen)
{
    QRect r(QPoint(0, 0), size);
    r.moveCenter(anchor.center());
    if (screen.isValid()) {
        r.moveRight(std::min(r.right(), screen.right()));
        r.moveBottom(std::min(r.bottom(), screen.bottom()));
        r.moveLeft(std::max(r.left(), screen.left()));
        r.moveTop(std::max(r.top(), screen.top()));
    }
    return r;
}

void placeOver(QWidget &window)
{
    const QWidget *owner = window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
    const QScreen *screen = owner != nullptr ? owner->screen() : window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect free = screen != nullptr ? screen->availableGeometry() : QRect();
    window.ensurePolished();
    if (QLayout *layout = window.layout()) {
        layout->activate(); // the size the texts now shown need
    }
    QSize size = window.sizeHint().expandedTo(window.minimumSize());
    if (free.isValid()) {
        size = size.boundedTo(free.size() - (owner != nullptr
                                                 ? owner->frameGeometry().size() - owner->geometry().size()
                                                 : QSize()))
                   .expandedTo(window.minimumSize());
    }
    // Wrapped texts need a height that follows from the width.
    if (const QLayout *layout = window.layout(); layout != nullptr && layout->hasHeightForWidth()) {
        size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
    }
    if (size.isValid()) {
        window.resize(size);
    }
    // move() places the frame: centre the frame, whose edges a window not
    // shown yet does not know, so the owner's stand for them.
    QSize edges = window.frameGeometry().size() - window.geometry().size();
    if (edges.isNull() && owner != nullptr) {
        edges = owner->frameGeometry().size() - owner->geometry().size();
    }
    const QRect anchor = owner != nullptr && owner->isVisible() ? owner->frameGeometry() : free;
    window.move(centredWithin(window.size() + edges, anchor, free).topLeft());
}

QSize fittingSize(const QWidget &window, QSize wanted)
{
    if (const QScreen *screen = window.screen()) {
        wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(0, kTitleBar));
    }
    return wanted.expandedTo(window.minimumSize());
}

void makeDefault(QPushButton *button)
{
    if (button == nullptr) {
        return;
    }
    // A button that had the focus before (Cancel, say) would otherwise stay
    // the one Enter presses.
    for (QPushButton *other : button->window()->findChildren<QPushButton *>()) {
        if (other != button) {
            other->setDefault(false);
        }
    }
    button->setDefault(true);
    button->setFocus(Qt::ActiveWindowFocusReason);
}

void presentOver(QWidget &window, QPushButton *defaultButton)
{
    // A window already on screen is placed again for what it shows now,
    // unless the user has moved it.
    const QVariant placedAt = window.property(kPlacedAt);
    if (!window.isVisible() || (placedAt.isValid() && placedAt.toPoint() == window.pos())) {
        placeOver(window);
        window.setProperty(kPlacedAt, window.pos());
    }
    window.show();
    window.raise();
    window.activateWindow();
    if (defaultButton != nullptr && !defaultButton->isHidden()) {
        makeDefault(defaultButton);
    } else {
        window.setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace placement
