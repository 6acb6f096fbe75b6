#include "shell/ui/splash_window.h"

#include "program/program.h"
#include "shell/startup.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

QLabel *splashLabel(const QString &name, const QString &text, int points, bool bold, const QColor &color,
                    QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    return label;
}

// A day of load on a feeder: low at night, a morning rise, an evening peak.
double loadAt(double t)
{
    constexpr double kPi = 3.14159265358979323846;
    return 0.45 - 0.25 * std::cos(2 * kPi * t) + 0.12 * std::sin(4 * kPi * t + 0.6) +
           0.04 * std::sin(26 * kPi * t);
}

void drawInstrument(QPainter &g, const QRectF &r)
{
    // Clamp jaws: a thick open ring above the body.
    const double jaw = r.width() * 0.78;
    const QRectF ring(r.center().x() - jaw / 2, r.top(), jaw, jaw);
    g.setPen(QPen(QColor(230, 160, 40), r.width() * 0.12, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawArc(ring, 110 * 16, 320 * 16);
    // Body.
    const QRectF body(r.left(), r.top() + jaw * 0.82, r.width(), r.height() - jaw * 0.82);
    QLinearGradient shade(body.topLeft(), body.topRight());
    shade.setColorAt(0, QColor(70, 74, 82));
    shade.setColorAt(1, QColor(40, 43, 50));
    g.setPen(QPen(QColor(20, 22, 26), 1.5));
    g.setBrush(shade);
    g.drawRoundedRect(body, 8, 8);
    // Display with a reading.
    const QRectF display =
        body.adjusted(body.width() * 0.12, body.height() * 0.12, -body.width() * 0.12, -body.height() * 0.55);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(150, 190, 120));
    g.drawRoundedRect(display, 3, 3);
    QFont digits(QStringLiteral("Monospace"));
    digits.setStyleHint(QFont::Monospace);
    digits.setPixelSize(static_cast<int>(display.height() * 0.6));
    digits.setBold(true);
    g.setFont(digits);
    g.setPen(QColor(30, 40, 30));
    g.drawText(display, Qt::AlignCenter, QStringLiteral("123.4A"));
    // Two buttons.
    g.setBrush(QColor(170, 40, 40));
    const double b = body.width() * 0.16;
    g.drawEllipse(QRectF(body.left() + body.width() * 0.22, body.bottom() - body.height() * 0.32, b, b));
    g.setBrush(QColor(40, 120, 60));
    g.drawEllipse(QRectF(body.right() - body.width() * 0.22 - b, body.bottom() - body.height() * 0.32, b, b));
}

void drawRecording(QPainter &g, const QRectF &r)
{
    // Chart grid.
    g.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int i = 0; i <= 8; ++i) {
        const double x = r.left() + r.width() * i / 8;
        g.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (int i = 0; i <= 4; ++i) {
        const double y = r.top() + r.height() * i / 4;
        g.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    // Minimum/maximum band and the average curve of one day.
    const int n = 160;
    QPainterPath band;
    QPainterPath curve;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double x = r.left() + r.width() * t;
        const double y = r.bottom() - r.height() * loadAt(t);
        const QPointF top(x, y - r.height() * 0.07);
        if (i == 0) {
            band.moveTo(top);
            curve.moveTo(x, y);
        } else {
            band.lineTo(top);
            curve.lineTo(x, y);
        }
    }
    for (int i = n; i >= 0; --i) {
        const double t = static_cast<double>(i) / n;
        const double x = r.left() + r.width() * t;
        band.lineTo(x, r.bottom() - r.height() * loadAt(t) + r.height() * 0.07);
    }
    band.closeSubpath();
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(120, 200, 255, 60));
    g.drawPath(band);
    g.setPen(QPen(QColor(140, 215, 255), 2.2));
    g.setBrush(Qt::NoBrush);
    g.drawPath(curve);
}

} // namespace

QPixmap drawSplashPicture(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter g(&pixmap);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient sky(all.topLeft(), all.bottomLeft());
    sky.setColorAt(0.0, QColor(16, 62, 104));
    sky.setColorAt(0.55, QColor(12, 44, 78));
    sky.setColorAt(1.0, QColor(8, 28, 52));
    g.setPen(QPen(QColor(90, 150, 200), 1));
    g.setBrush(sky);
    g.drawRoundedRect(all, 14, 14);
    // The upper part shows an instrument and what it recorded; the labels
    // are placed over the lower part.
    const double w = size.width();
    const double h = size.height();
    drawInstrument(g, QRectF(w * 0.05, h * 0.05, w * 0.17, h * 0.42));
    drawRecording(g, QRectF(w * 0.28, h * 0.08, w * 0.66, h * 0.36));
    g.setPen(QPen(QColor(90, 150, 200, 120), 1));
    g.drawLine(QPointF(w * 0.05, h * 0.5), QPointF(w * 0.95, h * 0.5));
    return pixmap;
}

frmSplash::frmSplash(Program &p, QWidget *parent) : QWidget(parent), p_(p)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("RDX600"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(6, 20, 36));
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);

    // The picture is kSplashPictureWidth twips wide; the window is maximised by whoever shows it.
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QSize pictureSize(twipsToPixels(kSplashPictureWidth, dpiX),
                            twipsToPixels(kSplashPictureHeight, dpiY));
    Image1->setPixmap(drawSplashPicture(pictureSize));
    Image1->resize(pictureSize);

    loadStartupValues(p_.splash, QDir::currentPath());
    const QColor text(235, 242, 250);
    Label1 = splashLabel(QStringLiteral("Label1"), splashProductName(), 30, true, text, this);
    Label5 = splashLabel(QStringLiteral("Label5"), p_.splash.versionID, 13, false, text, this);
    Label2 = splashLabel(QStringLiteral("Label2"), QStringLiteral("Recording ammeters and voltmeters"), 10,
                         false, QColor(160, 190, 220), this);
    Label4 =
        splashLabel(QStringLiteral("Label4"), splashContinuePrompt(), 10, false, QColor(250, 210, 120), this);

    for (QWidget *w :
         {static_cast<QWidget *>(Image1), static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
          static_cast<QWidget *>(Label4), static_cast<QWidget *>(Label5)}) {
        w->installEventFilter(this);
    }
    placeControls();
}

void frmSplash::placeControls()
{
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const SplashLayout l = splashLayout(
        pixelsToTwips(width(), dpiX), pixelsToTwips(height(), dpiY), kSplashPictureWidth,
        kSplashPictureHeight, pixelsToTwips(Label1->width(), dpiX), pixelsToTwips(Label5->width(), dpiX));
    Image1->move(twipsToPixels(l.pictureLeft, dpiX), twipsToPixels(l.pictureTop, dpiY));
    Label1->move(twipsToPixels(l.label1Left, dpiX), twipsToPixels(l.label1Top, dpiY));
    Label5->move(twipsToPixels(l.label5Left, dpiX), twipsToPixels(l.label5Top, dpiY));
    // Label2 sits between the version and the prompt, centred like them.
    Label2->move((width() - Label2->width()) / 2, twipsToPixels(l.label5Top + 720, dpiY));
    Label4->move(twipsToPixels(l.label4Left, dpiX), twipsToPixels(l.label4Top, dpiY));
}

void frmSplash::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    continueStep();
}

void frmSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    continueStep();
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        continueStep();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::continueStep()
{
    if (continued_) {
        return;
    }
    continued_ = true;
    hide();
    initialiseProgram(p_);
    if (onContinue_) {
        onContinue_();
    }
    // Unloaded; the start-up values stay in the program.
    deleteLater();
}
