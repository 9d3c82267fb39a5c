// The simulation frame: RUN, the back-and-forth animation, STOP and next, for any mechanism.
#include "sim/frame.h"

#include <cmath>

#include "numeric/number_text.h"
#include "plot/graphs.h"
#include "plot/primitives.h"

namespace sim {

namespace {

std::string BoxName(const InputBox& box)
{
    return box.caption.empty() ? "Text1(" + std::to_string(box.index) + ")" : box.caption;
}

const InputBox* FindBox(const Mechanism& mechanism, const std::string& key)
{
    for (const InputBox& box : mechanism.inputs)
        if (box.key == key)
            return &box;
    return nullptr;
}

}

std::string DescribeRefusal(const Mechanism& mechanism, const Refusal& refusal, BoxNames names)
{
    const bool keys = names == BoxNames::Keys;
    switch (refusal.kind) {
    case Refusal::Kind::Settings:
        return refusal.reason;
    case Refusal::Kind::NotANumber:
    case Refusal::Kind::Input: {
        if (keys)
            return refusal.key + ": " + refusal.reason;
        const InputBox* box = FindBox(mechanism, refusal.key);
        const std::string name = box ? BoxName(*box) : refusal.key;
        return refusal.kind == Refusal::Kind::NotANumber
                   ? "「" + name + "」に数値を入力してください。"
                   : "「" + name + "」: " + refusal.reason;
    }
    case Refusal::Kind::Step:
        return "ステップ " + std::to_string(refusal.step) + "（時刻 "
               + numeric::FormatNumber(refusal.time) + " 秒）: " + refusal.reason;
    case Refusal::Kind::File:
        break;
    }
    return DescribeFileRefusal(refusal);
}

std::string DescribeFileRefusal(const Refusal& refusal)
{
    const std::string file = refusal.file == "-" ? "標準出力" : FullPath(refusal.file).string();
    return file + " を書き込めませんでした: " + refusal.reason;
}

Refusable<InputValues> ReadRunInputs(const Mechanism& mechanism,
                                     const std::vector<std::string>& boxTexts,
                                     const RunContext& context)
{
    if (context.divisions < 1 || !(context.cycleTime > 0) || !std::isfinite(context.cycleTime))
        return Refusal::OfSettings("設定のサイクルタイムまたは時分割数が正しくありません。");
    return ReadInputs(mechanism.inputs, boxTexts);
}

SimulationFrame::SimulationFrame(const Mechanism& mechanism) : mechanism_(mechanism) {}

std::optional<Refusal> SimulationFrame::runCycle(const std::vector<std::string>& boxTexts,
                                                 const RunContext& context,
                                                 const std::filesystem::path& resultPath,
                                                 plot::Canvas& picture1, plot::Canvas& picture2,
                                                 const plot::Canvas& view)
{
    Refusable<InputValues> inputs = ReadRunInputs(mechanism_, boxTexts, context);
    if (Refusal* refused = std::get_if<Refusal>(&inputs))
        return std::move(*refused);

    auto computed = mechanism_.ComputeMotion(std::get<InputValues>(inputs), context);
    if (Refusal* refused = std::get_if<Refusal>(&computed))
        return std::move(*refused);
    auto run = std::move(std::get<std::unique_ptr<MechanismRun>>(computed));

    std::optional<Refusal> unwritten =
        WriteResultFile(resultPath, run->resultTable(), context.divisions, context.cycleTime);

    run_ = std::move(run);
    runTexts_ = boxTexts;
    context_ = context;
    const int n = context_.divisions;
    const auto graphs = run_->graphs();
    plot::PlotTimeHistory(picture1, n, graphs[0].value, graphs[0].rate, graphs[0].accel);
    plot::PlotTimeHistory(picture2, n, graphs[1].value, graphs[1].rate, graphs[1].accel);
    stepIndex_ = 0;
    stepDirection_ = 1;
    window_ = run_->fitWorldWindow();
    window_.scale = plot::DrawingScale(view.widthMm(), view.heightMm(), window_);
    return unwritten;
}

std::optional<int> SimulationFrame::tick(plot::Canvas& view)
{
    if (!run_)
        return std::nullopt;
    const int shown = stepIndex_;
    drawPose(view, stepIndex_);
    if (stepIndex_ == 0 && stepDirection_ != 1)
        stepDirection_ = 1;
    else if (stepIndex_ == context_.divisions && stepDirection_ == 1)
        stepDirection_ = -1;
    // N = 0 cannot occur (the settings refuse it); with a single pose stay on it.
    if (context_.divisions > 0)
        stepIndex_ += stepDirection_;
    return shown;
}

void SimulationFrame::drawPose(plot::Canvas& view, int index) const
{
    if (!run_)
        return;
    view.clear();
    if (options_.guides)
        run_->DrawGuides(view, window_);
    run_->DrawMechanism(view, window_, index);
}

std::vector<int> SimulationFrame::stopPoseIndices(StopPoses poses, int divisions)
{
    const double n = divisions;
    auto nearest = [](double k) { return static_cast<int>(std::nearbyint(k)); };   // halves to even
    switch (poses) {
    case StopPoses::QuarterPose:
        return {nearest(n / 4)};
    case StopPoses::EighthPose:
        return {nearest(n / 8)};
    case StopPoses::TwentiethsFromZero:
    case StopPoses::TwentiethsFromOne:
        break;
    }
    const double start = poses == StopPoses::TwentiethsFromOne ? 1 : 0;
    const double step = n / 20;
    std::vector<int> indices;
    // k = start + j * step rather than repeated addition, so the last pose is not lost to rounding.
    for (int j = 0;; ++j) {
        const double k = start + j * step;
        if (k > n * (1 + 1e-12))
            break;
        indices.push_back(std::min(divisions, nearest(k)));
    }
    return indices;
}

void SimulationFrame::stop(plot::Canvas& view)
{
    drawSummary(view);
}

void SimulationFrame::drawSummary(plot::Canvas& view) const
{
    if (!run_)
        return;
    view.clear();
    if (options_.guides)
        run_->DrawGuides(view, window_);
    for (int index : stopPoseIndices(mechanism_.traits.stopPoses, context_.divisions))
        run_->DrawMechanism(view, window_, index);

    const PointSeries* path = run_->tracedPath();
    if (mechanism_.traits.stopTracesPath && path) {
        // The traced path as one chain of WorldLine segments in colour 1.
        std::vector<plot::PointMm> points(path->x.size());
        for (std::size_t k = 0; k < points.size(); ++k)
            points[k] = plot::WorldToPicture(view, window_, path->position(k));
        view.polyline(points, 1);
    }
    plot::DrawWorldGrid(view, window_);
}

std::optional<std::string> SimulationFrame::next(plot::Canvas& view)
{
    if (!run_)
        return std::nullopt;
    const std::vector<GraphPage> pages = run_->nextPages();
    ++graphPage_;
    if (graphPage_ > static_cast<int>(pages.size())) {
        graphPage_ = 0;
        return std::nullopt;
    }
    const GraphPage& page = pages[static_cast<std::size_t>(graphPage_ - 1)];
    plot::PlotTimeHistory(view, context_.divisions, page.triple.value, page.triple.rate,
                          page.triple.accel);
    return page.caption;
}

}
