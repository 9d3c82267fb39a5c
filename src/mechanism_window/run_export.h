// What a computed run can be taken away as, for the window and the command line alike: the
// PDF report, the animated GIF of the large picture and the result table as text. The pictures
// are drawn afresh for the view's logical size and resolution, so they match the window's.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plot/qt/vector_canvas.h"
#include "run/frame.h"

namespace sim {

// Blank pictures of the report's sizes and kind, its two graphs and its view: gathering a run's
// pictures for them along with others (SimulationFrame::gatherPictures) lets the report share
// that pass over the steps.
class ReportCanvases {
public:
    explicit ReportCanvases(QSize viewSize, double logicalDpi = 96.0);
    GraphPair graphs() const { return {&graph1_, &graph2_}; }
    const plot::Canvas* view() const { return &view_; }

private:
    plot::VectorCanvas graph1_, graph2_, view_;
};

// The report's facts: each input's caption with the text it was given (an assembly check box
// as ticked or not: はい / いいえ), the profile, N and T. Empty before the first run.
std::vector<std::pair<QString, QString>> RunReportFacts(const SimulationFrame& frame);

// The report: the mechanism's name; its inputs with their captions, the profile, N and T; the
// two graphs, the summary STOP draws and every next page, each under its caption, and, when the
// player draws arrows or instant centres, the pose of step N / 4 with them. Empty before the
// first run.
QByteArray RunReportPdf(const SimulationFrame& frame, QSize viewSize, double logicalDpi = 96.0);

// The captions of the report's figures in order, graphs first; empty before the first run.
std::vector<QString> RunReportCaptions(const SimulationFrame& frame, QSize viewSize);

// One back-and-forth cycle of the large picture; "" before the first run.
std::string RunAnimationGif(const SimulationFrame& frame, QSize viewSize, double logicalDpi = 96.0);

// What the exports of a run `need` from its steps, in one pass over them on a thread of its
// own, kept by the frame; meanwhile this thread draws the animation's frames for a view of `animationView`,
// each step computed alone, when it is given. Returns the animation, or "".
std::string GatherExports(const SimulationFrame& frame, const PictureNeeds& needs,
                          std::optional<QSize> animationView = std::nullopt);

// The result table, header and rows, tab-separated: what the result file holds.
std::string RunTableText(const SimulationFrame& frame);
// The same for `run`, its steps computed again block by block, reporting to `progress` (when
// given); nothing when `progress` asks to stop or the text would pass `mostBytes`, which ends
// the pass there and says so.
struct TableText {
    std::optional<std::string> text;
    bool tooLarge = false;
};
TableText RunTableText(const RunSource& run, std::size_t mostBytes,
                       RunProgress* progress = nullptr);

}
