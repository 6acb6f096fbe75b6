#include "cli/cli.h"
#include "platform/file_write.h"
#include "platform/ui/print/pdf_printer.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    letFileSizeLimitFailWrites();
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    // Printing into a PDF file needs fonts, hence the printing application.
    const std::unique_ptr<QCoreApplication> app = cliPrintsPdf(args)
                                                      ? makePrintingApplication(argc, argv)
                                                      : std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(QCoreApplication::arguments().mid(1), out, err);
}
