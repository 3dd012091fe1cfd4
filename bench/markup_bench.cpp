// Painting 1,000 typical markup cell texts (bold, colours, anchors, breaks, entities; one to
// three lines in 200 x 40 pixels) with the grid's own renderer against the same texts laid out
// and drawn by QTextDocument, the rich-text path it replaced. The summary prints both times and
// the ratio (the target is at least 3).

#include "grid/markup/RizIVUDE.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTexts = 1000;
const grid::TRect kCell{0, 0, 200, 40};

// Texts numbered from `first`: a new first number gives texts no cache has seen.
std::vector<QString> makeTexts(int first = 0)
{
    static const QString shapes[] = {
        QStringLiteral("<B>Sensor %1</B> &lt;ok&gt;"),
        QStringLiteral("<FONT COLOR=\"clRed\">Alarm %1</FONT><BR>see <A HREF=\"a%1\">details</A>"),
        QStringLiteral("Value <I>%1</I> &amp; <FONT BGCOLOR=\"#FFFF00\">limit</FONT>"),
        QStringLiteral("<B>Line</B> one %1<BR>line <U>two</U><BR><FONT COLOR=\"clBlue\">three</FONT>"),
        QStringLiteral("Node %1 &deg; <A HREF=\"n%1\">open</A> or <A HREF=\"c%1\">close</A>"),
    };
    std::vector<QString> texts;
    texts.reserve(kTexts);
    for (int i = 0; i < kTexts; ++i)
        texts.push_back(shapes[i % std::size(shapes)].arg(first + i));
    return texts;
}

// The same texts as QTextDocument reads them: HTML names its line break and colours its way.
std::vector<QString> asHtml(const std::vector<QString>& texts)
{
    std::vector<QString> html;
    html.reserve(texts.size());
    for (QString t : texts)
        html.push_back(t.replace(QStringLiteral("clRed"), QStringLiteral("red"))
                           .replace(QStringLiteral("clBlue"), QStringLiteral("blue")));
    return html;
}

QImage& canvasImage()
{
    static QImage img(kCell.Right, kCell.Bottom, QImage::Format_RGB32);
    return img;
}

void paintMarkup(const std::vector<QString>& texts)
{
    QPainter p(&canvasImage());
    p.setFont(QFont(QStringLiteral("Sans Serif"), 8));
    grid::RizIVUDE::TMarkupRequest request;
    request.Canvas = &p;
    request.Rect = kCell;
    for (const QString& t : texts) {
        request.Text = t;
        grid::RizIVUDE::TMarkupResult result;
        grid::RizIVUDE::PaintMarkup(request, result);
        benchmark::DoNotOptimize(result.MarkupWidth);
    }
}

void paintTextDocument(const std::vector<QString>& html)
{
    QPainter p(&canvasImage());
    const QFont font(QStringLiteral("Sans Serif"), 8);
    for (const QString& t : html) {
        QTextDocument doc;
        doc.setDefaultFont(font);
        doc.setDocumentMargin(0);
        doc.setHtml(t);
        doc.setTextWidth(kCell.Width());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, 0, kCell.Width(), kCell.Height());
        doc.documentLayout()->draw(&p, ctx);
        benchmark::DoNotOptimize(doc.idealWidth());
    }
}

void BM_PaintMarkup(benchmark::State& state)
{
    const auto texts = makeTexts();
    for (auto _ : state)
        paintMarkup(texts);
}
BENCHMARK(BM_PaintMarkup)->Unit(benchmark::kMillisecond);

void BM_QTextDocument(benchmark::State& state)
{
    const auto html = asHtml(makeTexts());
    for (auto _ : state)
        paintTextDocument(html);
}
BENCHMARK(BM_QTextDocument)->Unit(benchmark::kMillisecond);

// Best of several rounds each, alternating, so both see the same machine state.
void summary()
{
    const auto texts = makeTexts();
    const auto html = asHtml(texts);
    double markupMs = 1e9, documentMs = 1e9;
    const auto time = [](auto&& run) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    };
    for (int round = 0; round < 5; ++round) {
        markupMs = std::min(markupMs, time([&] { paintMarkup(texts); }));
        documentMs = std::min(documentMs, time([&] { paintTextDocument(html); }));
    }
    // A first paint: every run is shaped, none comes from the renderer's run cache.
    double firstMs = 1e9;
    for (int round = 1; round <= 5; ++round) {
        const auto fresh = makeTexts(round * 100000);
        firstMs = std::min(firstMs, time([&] { paintMarkup(fresh); }));
    }
    std::printf("\n%d cell texts in %dx%d: PaintMarkup %.2f ms (first paint %.2f ms), QTextDocument %.2f ms, "
                "ratio %.2f (first paint %.2f; target >= 3)\n",
                kTexts, kCell.Width(), kCell.Height(), markupMs, firstMs, documentMs, documentMs / markupMs,
                documentMs / firstMs);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
