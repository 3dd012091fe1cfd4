#include "platform/Printer.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace platform {

QtPrinter::QtPrinter(QString pdfFile) : pdfFile_(std::move(pdfFile)) {}

QtPrinter::~QtPrinter()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

QPrinter& QtPrinter::printer() const
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!pdfFile_.isEmpty()) {
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(pdfFile_);
            // A file has no unprintable border: the page starts at the paper's corner.
            printer_->setFullPage(true);
        }
    }
    return *printer_;
}

PrinterOrientation QtPrinter::Orientation() const
{
    return printer().pageLayout().orientation() == QPageLayout::Landscape ? PrinterOrientation::Landscape
                                                                          : PrinterOrientation::Portrait;
}

void QtPrinter::SetOrientation(PrinterOrientation orientation)
{
    printer().setPageOrientation(orientation == PrinterOrientation::Landscape ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
}

void QtPrinter::SetTitle(const QString& title)
{
    printer().setDocName(title);
}

bool QtPrinter::BeginDoc()
{
    if (Printing())
        return true;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer())) {
        painter_.reset();
        return false;
    }
    return true;
}

void QtPrinter::EndDoc()
{
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
}

void QtPrinter::Abort()
{
    if (!painter_)
        return;
    // A PDF "printer" cannot take a job back; the cut file is removed instead.
    printer().abort();
    if (painter_->isActive())
        painter_->end();
    painter_.reset();
    if (!pdfFile_.isEmpty())
        QFile::remove(pdfFile_);
}

void QtPrinter::NewPage()
{
    if (Printing())
        printer().newPage();
}

bool QtPrinter::Printing() const
{
    return painter_ && painter_->isActive();
}

QPainter* QtPrinter::Canvas()
{
    return Printing() ? painter_.get() : nullptr;
}

int QtPrinter::ResolutionX() const
{
    return printer().logicalDpiX();
}

int QtPrinter::ResolutionY() const
{
    return printer().logicalDpiY();
}

int QtPrinter::PageWidth() const
{
    return printer().width();
}

int QtPrinter::PageHeight() const
{
    return printer().height();
}

} // namespace platform
