// The page's run: the desktop's reading, stepping and drawing, with the result file handed to
// the page in blocks instead of written to a disk.
#include "web/page_session.h"

#include "mechanisms/catalog.h"
#include "run/refusal_text.h"
#include "run/run_pipeline.h"

namespace web {

PageSession::PageSession(sim::Translator translate)
    : translate_(std::move(translate)),
      graph1_("graph1", plot::kGraph1Size),
      graph2_("graph2", plot::kGraph2Size),
      view_("view", plot::kViewSize)
{
}

void PageSession::take(setup_files::MechsimFile file)
{
    origin_ = std::move(file);
    frame_ = std::make_unique<sim::SimulationFrame>(*origin_.mechanism);
}

bool PageSession::choose(std::string_view command)
{
    const sim::Mechanism* builtIn = mechanisms::FindMechanism(command);
    if (!builtIn)
        return false;
    setup_files::MechsimFile file;
    file.mechanism = std::shared_ptr<const sim::Mechanism>(std::shared_ptr<void>(), builtIn);
    take(std::move(file));
    return true;
}

std::optional<std::string> PageSession::open(std::string_view text, const std::string& name,
                                             setup_files::MechsimFile* opened)
{
    sim::Refusable<setup_files::MechsimFile> read = setup_files::ParseMechsimText(text, name);
    if (!read) {
        const sim::Mechanism none;
        return sim::DescribeRefusal(none, read.error(), sim::BoxNames::Keys, translate_);
    }
    if (opened)
        *opened = read.value();
    take(std::move(read).value());
    return std::nullopt;
}

std::string PageSession::run(const TypedSetUp& setUp, const sim::ByteSink& sink, bool& refused)
{
    const sim::Mechanism& m = mechanism();
    refused = true;
    const auto describe = [&](const sim::Refusal& refusal) {
        return sim::DescribeRefusal(m, refusal, sim::BoxNames::Captions, translate_);
    };
    sim::Refusable<sim::Settings> settings = sim::ParseSettings(setUp.cycleTime, setUp.divisions);
    if (!settings)
        return describe(settings.error());
    sim::RunContext context;
    static_cast<sim::Settings&>(context) = settings.value();
    context.profile = setUp.profile;
    // One formatting thread: the page has no others.
    sim::Refusable<sim::ComputedRun> computed =
        sim::ComputeRun({&m, setUp.inputs, context}, sink, view_,
                        sim::BlockPlan{.blockRows = 8192, .threads = 1});
    if (!computed)
        return describe(computed.error());
    frame_->showRun(std::move(computed).value());
    frame_->plotGraphs(graph1_, graph2_, &view_);
    refused = false;
    std::string findings;
    for (const std::string& finding : frame_->run()->findings(translate_))
        findings += (findings.empty() ? "" : "　") + finding;
    return findings;
}

std::string PageSession::setUpText(const TypedSetUp& setUp) const
{
    setup_files::MechsimFile file = origin_;
    file.inputs = setUp.inputs;
    file.profile = setUp.profile;
    file.divisions = setUp.divisions;
    file.cycleTime = setUp.cycleTime;
    return setup_files::MechsimText(file);
}

}
