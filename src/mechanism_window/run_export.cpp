// The report's facts and pictures gathered from the frame; the animation and the table.
#include "mechanism_window/run_export.h"

#include <memory>
#include <vector>

#include "numeric/number_text.h"
#include "plot/graphs.h"
#include "plot/qt/gif_writer.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/vector_canvas.h"
#include "run/animation_steps.h"
#include "run/frame.h"
#include "run/picture_sizes.h"
#include "mechanism_window/report_pdf.h"
#include "widgets/language.h"

namespace sim {

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

QSize ToQSize(PixelSize s)
{
    return QSize(s.width, s.height);
}

}

QByteArray RunReportPdf(const SimulationFrame& frame, QSize viewSize, double logicalDpi)
{
    const MechanismRun* run = frame.run();
    if (!run)
        return {};
    const Mechanism& m = frame.mechanism();
    const RunContext& context = frame.context();
    const int n = context.divisions;

    ReportContent report;
    report.title = widgets::TranslateCore(m.title);
    const std::vector<std::string>& texts = frame.runTexts();
    for (const InputBox& box : m.inputs) {
        if (box.key.empty())
            continue;
        const auto slot = static_cast<std::size_t>(box.index);
        QString value = Q(slot < texts.size() ? texts[slot] : std::string());
        // A branch box is a check box in the window: say whether it was ticked.
        if (box.kind == InputKind::Branch)
            value = value == kOtherBranchText ? widgets::Translate("sim::RunExport", "はい")
                                              : widgets::Translate("sim::RunExport", "いいえ");
        report.facts.emplace_back(
            box.caption.empty() ? Q(box.key) : widgets::TranslateCore(box.caption), value);
    }
    report.facts.emplace_back(widgets::Translate("sim::RunExport", "プロファイル"),
                              widgets::TranslateCore(ProfileCaption(context.profile)));
    report.facts.emplace_back(widgets::Translate("sim::RunExport", "時分割数 N"),
                              QString::number(n));
    report.facts.emplace_back(widgets::Translate("sim::RunExport", "サイクルタイム T"),
                              widgets::Translate("sim::RunExport", "%1 秒")
                                  .arg(Q(numeric::FormatNumber(context.cycleTime))));

    std::vector<std::unique_ptr<plot::VectorCanvas>> canvases;
    auto draw = [&](QSize size) -> plot::VectorCanvas& {
        canvases.push_back(std::make_unique<plot::VectorCanvas>(size, logicalDpi));
        return *canvases.back();
    };
    const auto graphs = run->graphs();
    const PixelSize graphSizes[2] = {kPicture1Size, kPicture2Size};
    for (int g = 0; g < 2; ++g) {
        plot::VectorCanvas& c = draw(ToQSize(graphSizes[g]));
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
    return RenderPdfReport(report);
}

std::string RunAnimationGif(const SimulationFrame& frame, QSize viewSize, double logicalDpi)
{
    if (!frame.hasRun())
        return {};
    plot::ImageCanvas view(viewSize, logicalDpi);
    plot::GifWriter gif(view.image().size(), kAnimationDelayCentiseconds);
    for (int step : AnimationSteps(frame.context().divisions)) {
        frame.drawPose(view, step);
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
