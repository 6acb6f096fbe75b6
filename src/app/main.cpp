#include "platform/file_write.h"
#include "program/menu_items.h"
#include "rdx600_version.h"
#include "recording/ui/file_windows.h"
#include "reports/open_recording.h"
#include "shell/ui/app_wiring.h"
#include "shell/ui/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    letFileSizeLimitFailWrites();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RDX600"));
    QApplication::setApplicationVersion(QStringLiteral(RDX600_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("RDX600: recordings of portable ammeters and voltmeters"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash window."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Write a picture of the main window to FILE (PNG) and exit."), QStringLiteral("FILE"));
    const QCommandLineOption plot(
        QStringLiteral("plot"), QStringLiteral("Plot the files named on the command line once they are open "
                                               "(with --screenshot or --no-splash)."));
    const QCommandLineOption shotSize(QStringLiteral("size"),
                                      QStringLiteral("Size of the --screenshot picture (default 1000x700)."),
                                      QStringLiteral("WxH"), QStringLiteral("1000x700"));
    const QCommandLineOption run(
        QStringLiteral("run"),
        QStringLiteral("With --screenshot: run the menu command NAME (for example mnuItemTable) before "
                       "the picture is taken; repeatable, in order."),
        QStringLiteral("NAME"));
    const QCommandLineOption answer(
        QStringLiteral("answer"),
        QStringLiteral("With --screenshot: the answer to the next input box (for example a line "
                       "voltage); repeatable, in order."),
        QStringLiteral("TEXT"));
    parser.addOption(run);
    parser.addOption(answer);
    parser.addOption(noSplash);
    parser.addOption(screenshot);
    parser.addOption(shotSize);
    parser.addOption(plot);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Recording files to open."),
                                 QStringLiteral("[FILE...]"));
    parser.process(app);

    App rdx600;
    // A screenshot run never waits on a dialog: messages go to standard
    // error, and the plot of several min/max/avg recordings shows averages
    // without asking.
    const bool screenshotRun = parser.isSet(screenshot);
    if (screenshotRun) {
        rdx600.setNonInteractive(parser.values(answer));
    }
    // Every other window of the program opens with the main window.
    rdx600.installWindows();
    // Recording files named on the command line open after start-up.
    const auto fileWindows = [&rdx600, &parser, &plot] {
        startFileWindows(
            rdx600.program(), [&rdx600]() -> QWidget * { return rdx600.mainWindow(); },
            [&rdx600, files = parser.positionalArguments()] {
                openCommandLineFiles(rdx600.program(), files);
            });
        if (parser.isSet(plot) && rdx600.mainWindow() != nullptr) {
            rdx600.program().runCommand(menu::kItemViewPlot);
        }
    };
    if (parser.isSet(screenshot)) {
        RDX *main = rdx600.startWithoutSplash();
        fileWindows();
        for (const QString &name : parser.values(run)) {
            if (!rdx600.program().runCommand(name)) {
                std::fprintf(stderr, "rdx600: the menu command %s does not exist or is not enabled\n",
                             qPrintable(name));
                return 2;
            }
        }
        const QString path = parser.value(screenshot);
        const QStringList wh = parser.value(shotSize).split(QLatin1Char('x'));
        const QSize size(wh.value(0).toInt(), wh.value(1).toInt());
        if (!size.isValid() || size.isEmpty()) {
            std::fprintf(stderr, "rdx600: --size wants WxH, for example 800x600\n");
            return 2;
        }
        if (!saveScreenshot(*main, size, path)) {
            std::fprintf(stderr, "rdx600: cannot write %s\n", qPrintable(path));
            return 1;
        }
        return 0;
    }
    if (parser.isSet(noSplash)) {
        rdx600.startWithoutSplash();
    } else {
        rdx600.showSplash();
    }
    fileWindows();
    return QApplication::exec();
}
