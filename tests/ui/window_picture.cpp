#include "window_picture.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <cstdlib>

namespace {

// The text a label or button shows; empty for other widgets.
QString captionOf(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        return label->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        return button->text();
    }
    return {};
}

QString described(const QWidget *w)
{
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    const QString text = captionOf(w);
    return text.isEmpty() ? name : name + " \"" + text.left(40) + "\"";
}

// One colour to the eye: no pixel differs from the first by more than a
// rounding step of anti-aliasing in any channel.
bool flat(const QImage &picture)
{
    constexpr int kSeen = 8;
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb first = argb.pixel(0, 0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (std::abs(qRed(line[x]) - qRed(first)) > kSeen ||
                std::abs(qGreen(line[x]) - qGreen(first)) > kSeen ||
                std::abs(qBlue(line[x]) - qBlue(first)) > kSeen) {
                return false;
            }
        }
    }
    return true;
}

// Inside the viewport of a scrolled area, where lying beyond the visible part
// is what scrolling is for.
bool scrolled(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p != nullptr && p != window; p = p->parentWidget()) {
        const auto *area = qobject_cast<const QAbstractScrollArea *>(p->parentWidget());
        if (area != nullptr && area->viewport() == p) {
            return true;
        }
    }
    return false;
}

// The room the widget's style gives a button's caption (a button's icon,
// which none of the program's buttons has, is not counted).
QRect captionRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton *>(button) != nullptr) {
        element = QStyle::SE_RadioButtonContents;
    } else if (qobject_cast<const QCheckBox *>(button) != nullptr) {
        element = QStyle::SE_CheckBoxContents;
    }
    return button->style()->subElementRect(element, &option, button);
}

// Why the caption of `w` does not fit, or an empty string when it does (or
// when `w` shows no plain-text caption).
QString captionCut(const QWidget *w)
{
    QSize needed;
    QRect room;
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        const bool rich = label->textFormat() == Qt::RichText ||
                          (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        if (label->text().isEmpty() || rich) {
            return {};
        }
        const int m = label->margin();
        room = label->contentsRect().adjusted(m, m, -m, -m);
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        needed = label->fontMetrics().boundingRect(room, flags, label->text()).size();
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (button->text().isEmpty()) {
            return {};
        }
        room = captionRoom(button);
        needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    }
    if (needed.width() <= room.width() && needed.height() <= room.height()) {
        return {};
    }
    return QStringLiteral("needs %1 x %2, has %3 x %4")
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

} // namespace

::testing::AssertionResult drawnWhole(QWidget &window)
{
    if (!window.isVisible()) {
        return ::testing::AssertionFailure() << described(&window).toStdString() << " is not shown";
    }
    const QPixmap grabbed = window.grab();
    const QImage picture = grabbed.toImage();
    if (picture.isNull() || flat(picture)) {
        return ::testing::AssertionFailure() << described(&window).toStdString() << " is drawn as one colour";
    }
    const qreal scale = grabbed.devicePixelRatio();
    QStringList faults;
    for (QWidget *child : window.findChildren<QWidget *>()) {
        if (!child->isVisibleTo(&window) || child->isWindow() || scrolled(child, &window)) {
            continue;
        }
        if (!child->parentWidget()->rect().contains(child->geometry())) {
            faults << described(child) + " lies outside its parent";
            continue;
        }
        const QString cut = captionCut(child);
        if (!cut.isEmpty()) {
            faults << described(child) + " is cut off: " + cut;
            continue;
        }
        if (!captionOf(child).trimmed().isEmpty()) {
            const QRect area(child->mapTo(&window, QPoint(0, 0)) * scale, child->size() * scale);
            const QRect inPicture = area.intersected(picture.rect());
            if (inPicture.isEmpty() || flat(picture.copy(inPicture))) {
                faults << described(child) + " is not drawn";
            }
        }
    }
    if (!faults.isEmpty()) {
        return ::testing::AssertionFailure() << faults.join('\n').toStdString();
    }
    return ::testing::AssertionSuccess();
}

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size()) {
        return -1;
    }
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            differing += p[col] != q[col] ? 1 : 0;
        }
    }
    return differing;
}
