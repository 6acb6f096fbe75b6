// Where the program's windows appear: every window of an exchange and every
// question belongs to the main window, so it is shown over it, centred on it
// and inside the screen, and it takes the keyboard at once (Escape and Enter
// act without a click first).
#pragma once

#include <QRect>
#include <QSize>

class QPushButton;
class QWidget;

namespace placement {

// The rectangle of `size` centred on `anchor`, moved inside `screen` (its
// top-left corner stays on the screen when the size is larger).
QRect centredWithin(const QSize &size, const QRect &anchor, const QRect &screen);

// Shows `window` over the window it belongs to (its parent's window, or the
// screen when it has none): no larger than the screen's free area, centred,
// raised and active. `defaultButton`, when given, becomes the button that
// Enter presses and takes the keyboard focus.
void presentOver(QWidget &window, QPushButton *defaultButton);

// Only the centring and size of presentOver, for windows that show
// themselves (a modal exec()).
void placeOver(QWidget &window);

// `wanted` made no larger than the free area of the window's screen, less
// room for a title bar, and no smaller than the window's minimum: the first
// size of a top-level window.
QSize fittingSize(const QWidget &window, QSize wanted);

// Makes `button` the one default button of its window and gives it the focus.
void makeDefault(QPushButton *button);

} // namespace placement
