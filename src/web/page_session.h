// What the page holds between a visitor's clicks: the mechanism chosen or opened, its player
// and the three pictures. The page's script calls it through the bindings; it calls the same
// core the desktop windows call.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/row_blocks.h"
#include "run/frame.h"
#include "setup_files/mechsim_file.h"
#include "web/html_canvas.h"

namespace web {

// The set-up a visitor has typed: the boxes by key, the profile, N and T as typed.
struct TypedSetUp {
    sim::InputEntries inputs;
    sim::ProfileKind profile = sim::ProfileKind::Quintic;
    std::string divisions, cycleTime;
};

class PageSession {
public:
    explicit PageSession(sim::Translator translate);

    // Chooses a built-in mechanism by its command-line name; false for an unknown one.
    bool choose(std::string_view command);
    // Reads a set-up or linkage file's text and makes its mechanism the chosen one; the message
    // of a refusal otherwise, naming `name`.
    std::optional<std::string> open(std::string_view text, const std::string& name,
                                     setup_files::MechsimFile* opened = nullptr);
    const sim::Mechanism& mechanism() const { return *origin_.mechanism; }

    // Runs the typed set-up: the result file goes to `sink` block by block as the steps are
    // computed. Returns the message line's text: the refusal (the previous run stays), or the
    // run's findings. `refused` tells which.
    std::string run(const TypedSetUp& setUp, const sim::ByteSink& sink, bool& refused);
    // The set-up file of the typed set-up, as the desktop's "設定を保存" writes it.
    std::string setUpText(const TypedSetUp& setUp) const;

    sim::SimulationFrame* frame() { return frame_.get(); }
    HtmlCanvas& graph1() { return graph1_; }
    HtmlCanvas& graph2() { return graph2_; }
    HtmlCanvas& view() { return view_; }
    const sim::Translator& translate() const { return translate_; }

private:
    sim::Translator translate_;
    setup_files::MechsimFile origin_;
    std::unique_ptr<sim::SimulationFrame> frame_;
    HtmlCanvas graph1_, graph2_, view_;

    void take(setup_files::MechsimFile file);
};

}
