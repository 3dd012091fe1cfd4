#pragma once
// A printer stand-in that draws every page onto its own image at 254 dpi (one pixel is 0.1 mm)
// and records the document calls, so a test sees what a run did to the printer: pages, aborts,
// the mapping left on the canvas.

#include "platform/Printer.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

#include <memory>
#include <vector>

namespace grid::test {

class FakePrinter final : public platform::Printer {
public:
    // A4 at 254 dpi: 2100 x 2970 pixels.
    explicit FakePrinter(int width = 2100, int height = 2970) : width_(width), height_(height) {}

    platform::PrinterOrientation Orientation() const override { return orientation_; }
    void SetOrientation(platform::PrinterOrientation o) override { orientation_ = o; }
    void SetTitle(const QString& title) override { Calls << "title " + title; }
    bool BeginDoc() override
    {
        Calls << "begin";
        Pages.clear();
        PageCount = 0;
        addPage();
        return true;
    }
    void EndDoc() override
    {
        Calls << "end";
        EndTransform = painter_->worldTransform();
        painter_->end();
        painter_.reset();
    }
    void Abort() override
    {
        Calls << "abort";
        painter_->end();
        painter_.reset();
        Pages.clear();
        PageCount = 0;
    }
    void NewPage() override
    {
        Calls << "newpage";
        painter_->end();
        addPage();
    }
    bool Printing() const override { return painter_ != nullptr; }
    QPainter* Canvas() override { return painter_.get(); }
    int ResolutionX() const override { return 254; }
    int ResolutionY() const override { return 254; }
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }

    QStringList Calls;
    // The document's pages; with KeepPages false only the last one, to spare memory on long runs.
    std::vector<QImage> Pages;
    bool KeepPages = true;
    int PageCount = 0;
    // The canvas's mapping when the document ended.
    QTransform EndTransform;

private:
    void addPage()
    {
        QImage page(width_, height_, QImage::Format_RGB32);
        page.setDotsPerMeterX(10000);
        page.setDotsPerMeterY(10000);
        page.fill(Qt::white);
        ++PageCount;
        if (!KeepPages)
            Pages.clear();
        Pages.push_back(page);
        if (!painter_)
            painter_ = std::make_unique<QPainter>();
        painter_->begin(&Pages.back());
    }

    int width_, height_;
    platform::PrinterOrientation orientation_ = platform::PrinterOrientation::Portrait;
    std::unique_ptr<QPainter> painter_;
};

} // namespace grid::test
