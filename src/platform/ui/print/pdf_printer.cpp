#include "platform/ui/print/pdf_printer.h"

#include "platform/ui/print/painted_printer_device.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace {

class PdfPrinterDevice : public PaintedPrinterDevice {
public:
    explicit PdfPrinterDevice(const QString &path) : writer_(path)
    {
        writer_.setResolution(1200);
        writer_.setCreator(QStringLiteral("RDX600"));
        // The paper of the user's country, with a printer's usual margins.
        const QPageSize paper(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                         : QPageSize::A4);
        writer_.setPageLayout(
            QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    }
    ~PdfPrinterDevice() override { endPainting(); }

protected:
    QPagedPaintDevice &device() override { return writer_; }
    int resolution() const override { return writer_.resolution(); }

private:
    QPdfWriter writer_;
};

} // namespace

std::unique_ptr<QCoreApplication> makePrintingApplication(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen"); // nothing is shown
    }
    // Standard error carries the program's own messages: the GUI module's
    // notes about the session (no runtime folder, fonts) stay out of it.
    // Whether printing worked is told by the printer.
    static QtMessageHandler standard = nullptr;
    standard =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if ((type == QtCriticalMsg || type == QtFatalMsg) && standard != nullptr) {
                standard(type, context, text);
            }
        });
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::unique_ptr<PrinterDevice> makePdfPrinter(const QString &path)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    return std::make_unique<PdfPrinterDevice>(path);
}
