// What a mechanism supplies to the simulation frame: its input boxes, its row of the frame's
// table (STOP poses, path, next pages, status text), its ComputeMotion and, through the run it
// computes, its DrawMechanism. Plain C++: the forms, the command line and the tests share it.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "plot/canvas.h"
#include "plot/scaling.h"
#include "run/inputs.h"
#include "run/profiles.h"
#include "messages/refusal.h"
#include "files/result_file.h"
#include "run/series.h"
#include "run/settings.h"

namespace sim {

// Which poses STOP superimposes.
enum class StopPoses {
    TwentiethsFromZero,   // k = 0 To N Step N/20
    TwentiethsFromOne,    // k = 1 To N Step N/20
    QuarterPose,          // the single pose N/4
    EighthPose,           // the single pose N/8
};

struct FrameTraits {
    StopPoses stopPoses = StopPoses::TwentiethsFromZero;
    bool stopTracesPath = true;         // STOP draws the traced point's path
    bool nextStopsTimer = false;        // next disables the animation first
    bool showsOkAfterCompute = false;   // Text2 reads "ok" after ComputeMotion
};

class ResultStream;

// The settings a run was started with, and the profile chosen in its window.
struct RunContext : Settings {
    ProfileKind profile = ProfileKind::Quintic;
    // Where a streamed run hands its blocks of steps instead of keeping every step.
    ResultStream* stream = nullptr;
};

// Three series plotted together.
struct TripleView {
    std::span<const double> value, rate, accel;
    static TripleView Of(const TripleSeries& t) { return {t.value, t.rate, t.accel}; }
    static TripleView X(const PointSeries& p) { return {p.x, p.vx, p.ax}; }
    static TripleView Y(const PointSeries& p) { return {p.y, p.vy, p.ay}; }
};

struct GraphPage {
    std::string caption;   // Label4 caption, exact text
    TripleView triple;
};

// A computed cycle: every series of steps 0..N, and how to show them.
class MechanismRun {
public:
    virtual ~MechanismRun() = default;

    virtual ResultTable resultTable() const = 0;
    virtual std::array<TripleView, 2> graphs() const = 0;   // Picture1, Picture2
    virtual std::vector<GraphPage> nextPages() const = 0;   // next, in order
    // Starts at the base point and widens it with FitWorldWindow as the form does.
    virtual plot::WorldWindow fitWorldWindow() const = 0;
    // Draws pose `index` through the window; does not clear.
    virtual void DrawMechanism(plot::Canvas& picture, const plot::WorldWindow& window,
                               int index) const = 0;
    // The path STOP traces (colour 1), or nullptr.
    virtual const PointSeries* tracedPath() const = 0;
    // The guide lines of the mechanism (reach, guide, crank circle), drawn under its poses when
    // the guides are shown; does not clear. None by default.
    virtual void DrawGuides(plot::Canvas&, const plot::WorldWindow&) const {}
    // What the run found out about the mechanism beyond its series, one line each (e.g. a
    // four-bar's class and transmission angles). None by default.
    // `translate` turns them into the interface language.
    virtual std::vector<std::string> findings(const Translator& /*translate*/ = {}) const
    {
        return {};
    }
};

// A computed run, or why there is none.
using RunOrRefusal = Refusable<std::unique_ptr<MechanismRun>>;

struct Mechanism {
    std::string command;                        // command-line name, e.g. "2r"
    std::string formName;                       // e.g. "Form2rjun"
    std::string title;                          // menu caption, e.g. "直列２R順運動学"
    std::string windowTitle;                    // the window's title where it differs from `title`
    std::vector<InputBox> inputs;               // in Text1 index order
    std::array<std::string, 2> graphCaptions;   // Label3(0), Label3(1)
    FrameTraits traits;
    // The run of steps 0..N, or why it is refused: a box's value, or the first step that
    // cannot be posed or whose values are not all finite.
    std::function<RunOrRefusal(const InputValues&, const RunContext&)> ComputeMotion;
};

// The design-time texts of the Text1 boxes, by Text1 index ("" where the form has no box).
std::vector<std::string> DesignTexts(const Mechanism& mechanism);

}
