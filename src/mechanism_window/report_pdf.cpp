// Laying out the report on A4 pages with QPdfWriter. The painter works in the writer's dots;
// positions are computed in millimetres and pictures are scaled from their logical pixels.
#include "mechanism_window/report_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace sim {

namespace {

constexpr int kDotsPerInch = 1200;
constexpr double kMmPerInch = 25.4;
constexpr double kMarginMm = 20;
constexpr double kGapMm = 6;          // between figures and between blocks
constexpr double kCaptionMm = 6;      // a figure's caption line
constexpr double kFactLineMm = 5.5;   // one fact line
constexpr double kFactValueMm = 55;   // where the value column starts
constexpr double kPictureDpi = 96;    // the pictures' logical pixels

class PageWriter {
public:
    explicit PageWriter(QPdfWriter& writer)
        : painter_(&writer), writer_(writer), dotsPerMm_(kDotsPerInch / kMmPerInch),
          widthMm_(writer.pageLayout().paintRect(QPageLayout::Millimeter).width()),
          heightMm_(writer.pageLayout().paintRect(QPageLayout::Millimeter).height())
    {
    }

    double widthMm() const { return widthMm_; }
    double heightMm() const { return heightMm_; }
    bool ok() const { return painter_.isActive(); }

    void newPage() { writer_.newPage(); }

    // Text with its top-left corner at (x, y) mm; returns the line height in mm.
    double text(double xMm, double yMm, const QString& text, double points, bool bold = false)
    {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSizeF(points);
        font.setBold(bold);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const QFontMetricsF metrics(font, painter_.device());
        painter_.drawText(QPointF(xMm * dotsPerMm_, yMm * dotsPerMm_ + metrics.ascent()), text);
        return metrics.height() / dotsPerMm_;
    }

    // A figure's caption and picture at its natural size, top-left at (x, y) mm; returns its
    // height in mm.
    double figure(double xMm, double yMm, const ReportFigure& figure)
    {
        text(xMm, yMm, figure.caption, 9);
        painter_.save();
        painter_.translate(xMm * dotsPerMm_, (yMm + kCaptionMm) * dotsPerMm_);
        const double dotsPerPixel = kDotsPerInch / kPictureDpi;
        painter_.scale(dotsPerPixel, dotsPerPixel);
        figure.picture->paint(painter_);
        painter_.setPen(QPen(Qt::black, 0));   // a hairline frame around the picture
        painter_.drawRect(QRectF(QPointF(0, 0), QSizeF(figure.picture->logicalSize())));
        painter_.restore();
        return kCaptionMm + FigureHeightMm(figure);
    }

    static double FigureWidthMm(const ReportFigure& f)
    {
        return f.picture->logicalSize().width() * kMmPerInch / kPictureDpi;
    }
    static double FigureHeightMm(const ReportFigure& f)
    {
        return f.picture->logicalSize().height() * kMmPerInch / kPictureDpi;
    }

private:
    QPainter painter_;
    QPdfWriter& writer_;
    double dotsPerMm_, widthMm_, heightMm_;
};

}

QByteArray RenderPdfReport(const ReportContent& content)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(content.title);
        writer.setCreator(QStringLiteral("mechsim"));
        PageWriter page(writer);
        if (!page.ok())
            return {};

        double y = page.text(0, 0, content.title, 16, true) + kGapMm / 2;
        for (const auto& [caption, value] : content.facts) {
            page.text(0, y, caption, 10);
            page.text(kFactValueMm, y, value, 10);
            y += kFactLineMm;
        }
        y += kGapMm;
        double x = 0, rowHeight = 0;
        for (const ReportFigure& graph : content.graphs) {
            if (!graph.picture)
                continue;
            if (x > 0 && x + PageWriter::FigureWidthMm(graph) > page.widthMm()) {
                y += rowHeight + kGapMm;
                x = 0;
                rowHeight = 0;
            }
            rowHeight = std::max(rowHeight, page.figure(x, y, graph));
            x += PageWriter::FigureWidthMm(graph) + kGapMm;
        }

        int onPage = 2;   // the large pictures start on a fresh page
        for (const ReportFigure& picture : content.pictures) {
            if (!picture.picture)
                continue;
            if (onPage == 2) {
                page.newPage();
                onPage = 0;
                y = 0;
            }
            y += page.figure(0, y, picture) + kGapMm;
            ++onPage;
        }
    }
    return bytes;
}

}
