// The report's facts and pictures gathered from the frame; the animation and the table.
#include "mechanism_window/run_export.h"

#include <future>
#include <memory>
#include <system_error>
#include <vector>

#include "mechanism_window/report_pdf.h"
#include "numeric/number_text.h"
#include "plot/graphs.h"
#include "plot/picture_sizes.h"
#include "plot/qt/gif_writer.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_geometry.h"
#include "plot/qt/vector_canvas.h"
#include "files/result_stream.h"
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

ReportCanvases::ReportCanvases(QSize viewSize, double logicalDpi)
    : graph1_(plot::ToQSize(plot::kGraph1Size), logicalDpi),
      graph2_(plot::ToQSize(plot::kGraph2Size), logicalDpi), view_(viewSize, logicalDpi)
{
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
    plot::VectorCanvas& graph1 = draw(plot::ToQSize(plot::kGraph1Size));
    plot::VectorCanvas& graph2 = draw(plot::ToQSize(plot::kGraph2Size));
    frame.plotGraphs(graph1, graph2);
    for (std::size_t g : {0, 1})
        report.graphs.push_back({widgets::TranslateCore(m.graphCaptions[g]),
                                 &(g == 0 ? graph1 : graph2).picture()});
    plot::VectorCanvas& summary = draw(viewSize);
    frame.drawSummary(summary);
    report.pictures.push_back(
        {widgets::Translate("sim::RunExport", "stop の図"), &summary.picture()});
    const std::vector<GraphPage> pages = run->nextPages();
    for (std::size_t page = 0; page < pages.size(); ++page) {
        plot::VectorCanvas& c = draw(viewSize);
        frame.plotPage(c, page);
        report.pictures.push_back(
            {"next: " + widgets::TranslateCore(pages[page].caption), &c.picture()});
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

std::string GatherExports(const SimulationFrame& frame, const PictureNeeds& needs,
                          std::optional<QSize> animationView)
{
    // The pass reads the run and the pictures' columns only; the frames change nothing it
    // reads, and the frame takes what it gathered once both are done.
    std::future<std::optional<GatheredPictures>> gathering;
    if (frame.hasRun() && !needs.empty()) {
        try {
            gathering = std::async(std::launch::async, [&] {
                return GatherRunPictures(frame.source(), needs);
            });
        } catch (const std::system_error&) {
            // No thread to spare: the pass runs here after the frames.
        }
    }
    const std::string gif = animationView ? RunAnimationGif(frame, *animationView) : "";
    if (gathering.valid())
        frame.takePictures(*gathering.get());
    else
        frame.gatherPictures(needs);
    return gif;
}

std::string RunTableText(const SimulationFrame& frame)
{
    if (!frame.hasRun())
        return {};
    return RunTableText(frame.source(), std::string().max_size()).text.value_or("");
}

TableText RunTableText(const RunSource& run, std::size_t mostBytes, RunProgress* progress)
{
    // The steps computed again block by block, formatted as the file's bytes.
    TableText table{std::string(), false};
    std::string& text = *table.text;
    ResultStream stream(run.context.divisions, run.context.cycleTime,
                        [&](std::string_view part) {
                            if (part.size() > mostBytes - text.size()) {
                                table.tooLarge = true;
                                if (progress)
                                    progress->cancelRequested = true;   // no need of the rest
                                return false;
                            }
                            text.append(part);
                            return true;
                        });
    RecomputedSteps(*run.mechanism, *run.values, run.context, *run.whole, progress)(
        [&stream](int first, int rows, const MechanismRun& block) {
            stream.take(static_cast<std::size_t>(first), static_cast<std::size_t>(rows),
                        block.resultTable());
        });
    if (!stream.finish() || (progress && progress->cancelRequested.load()))
        table.text.reset();
    return table;
}

}
