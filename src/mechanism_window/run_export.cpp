// The report's facts and pictures gathered from the frame; the animation and the table.
#include "mechanism_window/run_export.h"

#include <memory>
#include <vector>

#include "mechanism_window/report_pdf.h"
#include "numeric/number_text.h"
#include "plot/graphs.h"
#include "plot/picture_sizes.h"
#include "plot/qt/gif_writer.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_geometry.h"
#include "plot/qt/vector_canvas.h"
#include "run/animation_steps.h"
#include "run/frame.h"
#include "widgets/language.h"
#include "widgets/qt_string.h"

namespace sim {

std::vector<std::pair<QString, QString>> RunReportFacts(const SimulationFrame& frame)
{
    std::vector<std::pair<QString, QString>> facts;
    if (!frame.hasRun())
        return facts;
    const RunContext& context = frame.context();
    for (const InputBox& box : frame.mechanism().inputs) {
        QString value;
        // An assembly is a check box in the window: say whether it was ticked.
        if (const std::optional<numeric::Branch> branch = frame.runValues().branch(box.key))
            value = *branch == numeric::Branch::Other
                        ? widgets::Translate("sim::RunExport", "はい")
                        : widgets::Translate("sim::RunExport", "いいえ");
        else if (const auto entry = frame.runInputs().find(box.key);
                 entry != frame.runInputs().end())
            if (const auto* text = std::get_if<std::string>(&entry->second))
                value = widgets::ToQString(*text);
        facts.emplace_back(widgets::TranslateCore(box.shownCaption()), value);
    }
    facts.emplace_back(widgets::Translate("sim::RunExport", "プロファイル"),
                       widgets::TranslateCore(ProfileCaption(context.profile)));
    facts.emplace_back(widgets::Translate("sim::RunExport", "時分割数 N"),
                       QString::number(context.divisions));
    facts.emplace_back(widgets::Translate("sim::RunExport", "サイクルタイム T"),
                       widgets::Translate("sim::RunExport", "%1 秒")
                           .arg(widgets::ToQString(numeric::FormatNumber(context.cycleTime))));
    return facts;
}

namespace {

// The report's content, its pictures drawn into `canvases`, which must outlive it.
ReportContent ReportOf(const SimulationFrame& frame, QSize viewSize, double logicalDpi,
                       std::vector<std::unique_ptr<plot::VectorCanvas>>& canvases)
{
    ReportContent report;
    const MechanismRun* run = frame.run();
    if (!run)
        return report;
    const Mechanism& m = frame.mechanism();
    const int n = frame.context().divisions;

    report.title = widgets::TranslateCore(m.title);
    report.facts = RunReportFacts(frame);

    auto draw = [&](QSize size) -> plot::VectorCanvas& {
        canvases.push_back(std::make_unique<plot::VectorCanvas>(size, logicalDpi));
        return *canvases.back();
    };
    const auto graphs = run->graphs();
    const plot::PixelSize graphSizes[2] = {plot::kGraph1Size, plot::kGraph2Size};
    for (int g = 0; g < 2; ++g) {
        plot::VectorCanvas& c = draw(plot::ToQSize(graphSizes[g]));
        plot::PlotTimeHistory(c, n, graphs[g].value, graphs[g].rate, graphs[g].accel);
        report.graphs.push_back(
            {widgets::TranslateCore(m.graphCaptions[static_cast<std::size_t>(g)]), &c.picture()});
    }
    plot::VectorCanvas& summary = draw(viewSize);
    frame.drawSummary(summary);
    report.pictures.push_back(
        {widgets::Translate("sim::RunExport", "stop の図"), &summary.picture()});
    for (const GraphPage& page : run->nextPages()) {
        plot::VectorCanvas& c = draw(viewSize);
        plot::PlotTimeHistory(c, n, page.triple.value, page.triple.rate, page.triple.accel);
        report.pictures.push_back({"next: " + widgets::TranslateCore(page.caption), &c.picture()});
    }
    // The pose a quarter of the way through, with the arrows and centres the player shows.
    const DrawingOptions& options = frame.drawingOptions();
    if (options.velocities || options.accelerations || options.centres) {
        plot::VectorCanvas& pose = draw(viewSize);
        frame.drawPose(pose, n / 4);
        report.pictures.push_back(
            {widgets::Translate("sim::RunExport", "ステップ %1 の姿勢").arg(n / 4),
             &pose.picture()});
    }
    return report;
}

}

QByteArray RunReportPdf(const SimulationFrame& frame, QSize viewSize, double logicalDpi)
{
    if (!frame.hasRun())
        return {};
    std::vector<std::unique_ptr<plot::VectorCanvas>> canvases;
    return RenderPdfReport(ReportOf(frame, viewSize, logicalDpi, canvases));
}

std::vector<QString> RunReportCaptions(const SimulationFrame& frame, QSize viewSize)
{
    std::vector<std::unique_ptr<plot::VectorCanvas>> canvases;
    const ReportContent report = ReportOf(frame, viewSize, 96.0, canvases);
    std::vector<QString> captions;
    for (const auto* figures : {&report.graphs, &report.pictures})
        for (const ReportFigure& figure : *figures)
            captions.push_back(figure.caption);
    return captions;
}

std::string RunAnimationGif(const SimulationFrame& frame, QSize viewSize, double logicalDpi)
{
    if (!frame.hasRun())
        return {};
    plot::ImageCanvas view(viewSize, logicalDpi);
    plot::GifWriter gif(view.image().size(), kAnimationDelayCentiseconds);
    for (int step : AnimationSteps(frame.context().divisions)) {
        frame.drawPose(view, step, true);
        if (!gif.addFrame(view.image()))
            return {};
    }
    return gif.finish();
}

std::string RunTableText(const SimulationFrame& frame)
{
    const MechanismRun* run = frame.run();
    return run ? FormatResultTable(run->resultTable(), frame.context().divisions,
                                   frame.context().cycleTime)
               : std::string();
}

}
