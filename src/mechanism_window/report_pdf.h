// A run report as a PDF document (A4 portrait): a title, a list of facts (caption and value)
// and the pictures, each under its caption, painted as vectors. The first page holds the
// title, the facts and the side-by-side graphs; the large pictures follow two to a page.
#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "plot/qt/vector_picture.h"

namespace sim {

struct ReportFigure {
    QString caption;
    const plot::VectorPicture* picture = nullptr;
};

struct ReportContent {
    QString title;
    std::vector<std::pair<QString, QString>> facts;   // caption, value
    std::vector<ReportFigure> graphs;                 // side by side under the facts
    std::vector<ReportFigure> pictures;               // two to a page
};

// The PDF's bytes; Japanese text is embedded with the picture font.
QByteArray RenderPdfReport(const ReportContent& content);

}
