#pragma once
// The printer the table control prints on: orientation, job name, the document's begin, abort
// and end, new pages, the resolution and the printable page in device pixels. The program
// prints on the system's default printer without a dialog; tests print into a PDF file.

#include <QString>

#include <memory>

class QPainter;
class QPrinter;

namespace platform {

enum class PrinterOrientation { Portrait, Landscape };

class Printer {
public:
    virtual ~Printer() = default;

    virtual PrinterOrientation Orientation() const = 0;
    virtual void SetOrientation(PrinterOrientation orientation) = 0;
    // The job's name in the print queue (and the PDF's title).
    virtual void SetTitle(const QString& title) = 0;

    // Starts a document; false when the printer cannot be opened. Canvas is valid until EndDoc
    // or Abort.
    virtual bool BeginDoc() = 0;
    virtual void EndDoc() = 0;
    // Drops the started document.
    virtual void Abort() = 0;
    virtual void NewPage() = 0;
    virtual bool Printing() const = 0;
    virtual QPainter* Canvas() = 0;

    // Dots per inch across and down.
    virtual int ResolutionX() const = 0;
    virtual int ResolutionY() const = 0;
    // The printable page in device pixels.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // The landscape rotation the driver reports (90 or 270), 0 when it reports none. Qt reports
    // none.
    virtual int OrientationAngle() const { return 0; }
};

// A QPrinter: the system's default printer, or a PDF file when pdfFile is given.
class QtPrinter final : public Printer {
public:
    explicit QtPrinter(QString pdfFile = {});
    ~QtPrinter() override;

    PrinterOrientation Orientation() const override;
    void SetOrientation(PrinterOrientation orientation) override;
    void SetTitle(const QString& title) override;
    bool BeginDoc() override;
    void EndDoc() override;
    void Abort() override;
    void NewPage() override;
    bool Printing() const override;
    QPainter* Canvas() override;
    int ResolutionX() const override;
    int ResolutionY() const override;
    int PageWidth() const override;
    int PageHeight() const override;

private:
    QPrinter& printer() const;

    QString pdfFile_;
    mutable std::unique_ptr<QPrinter> printer_; // made on first use: QPrinter needs the GUI
    std::unique_ptr<QPainter> painter_;
};

} // namespace platform
