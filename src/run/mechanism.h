// A mechanism, registered once: its command-line name, its place in the main menu, its window's
// names and input boxes, its graph captions, how the frame shows it, its ComputeMotion and,
// through the run it computes, its DrawMechanism. The menu, the windows, the command line, its
// help, the man page and the tests all read this one entry. Plain C++.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "files/result_file.h"
#include "messages/refusal.h"
#include "plot/canvas.h"
#include "plot/scaling.h"
#include "run/inputs.h"
#include "run/moving_links.h"
#include "run/profiles.h"
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
    bool showsOkAfterCompute = false;   // the shown-step box reads "ok" after a run
};

class ResultStream;
struct RunProgress;
class MechanismRun;

// The settings a run was started with, and the profile chosen in its window.
struct RunContext : Settings {
    ProfileKind profile = ProfileKind::Quintic;
};

// What the step loop of one run is given (run/step_loop.h): the run's context, where a
// streamed run hands its blocks of steps instead of keeping every step, where it reports
// its progress and finds a request to stop, and the steps it computes: first..last of 0..N
// (last below 0 reads as N). A run of part of the cycle keeps step `first` as its row 0, so
// the pose of any one step is recomputed, not kept; what a step takes from the steps before it
// (an angle's turns across the seam) it finds in `whole`, the run of the whole cycle.
struct StepLoop {
    RunContext context;
    ResultStream* stream = nullptr;
    RunProgress* progress = nullptr;
    int first = 0;
    int last = -1;
    const MechanismRun* whole = nullptr;
    // Where a run computed again hands each block of steps, as a stream does, instead of
    // keeping every step.
    const std::function<void(int first, int rows, const MechanismRun& block)>* visit = nullptr;

    int lastStep() const { return last < 0 ? context.divisions : last; }
};

// Three series plotted together.
struct TripleView {
    std::span<const double> value, rate, accel;
    static TripleView Of(const TripleSeries& t) { return {t.value, t.rate, t.accel}; }
    static TripleView X(const PointSeries& p) { return {p.x, p.vx, p.ax}; }
    static TripleView Y(const PointSeries& p) { return {p.y, p.vy, p.ay}; }
};

struct GraphPage {
    std::string caption;   // shown over the large picture, exact text
    TripleView triple;
};

// A computed cycle: every series of steps 0..N, and how to show them.
class MechanismRun {
public:
    virtual ~MechanismRun() = default;

    virtual ResultTable resultTable() const = 0;
    virtual std::array<TripleView, 2> graphs() const = 0;   // the first and second graph
    virtual std::vector<GraphPage> nextPages() const = 0;   // next, in order
    // Starts at the base point and widens it with FitWorldWindow as the form does.
    virtual plot::WorldWindow fitWorldWindow() const = 0;
    // Draws pose `index` through the window; does not clear.
    virtual void DrawMechanism(plot::Canvas& picture, const plot::WorldWindow& window,
                               int index) const = 0;
    // The path STOP traces (colour 1), or nullptr.
    virtual const PointSeries* tracedPath() const = 0;
    // Every path STOP traces, in the order drawn: the traced path alone by default.
    virtual std::vector<const PointSeries*> tracedPaths() const
    {
        if (const PointSeries* path = tracedPath())
            return {path};
        return {};
    }
    // Position, velocity and acceleration at step `index` of every point of the mechanism that
    // moves: each moving joint and the traced point, once each; fixed pivots are not listed.
    virtual std::vector<numeric::PointKinematics> movingPoints(int index) const = 0;
    // The links of the mechanism that move at step `index`, each with the points on it (its
    // fixed pivot included, at rest) and its angular velocity and acceleration. None by default.
    virtual std::vector<MovingLink> movingLinks(int /*index*/) const { return {}; }
    // The instant centres of every pair of links at step `index`, the frame as link 1, for a
    // closed chain of four links. None by default.
    virtual std::vector<RelativeCentre> relativeCentres(int /*index*/) const { return {}; }
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

// Steps first .. first + rows - 1 of a cycle as rows 0 .. rows - 1 of `block`.
using StepBlockVisit = std::function<void(int first, int rows, const MechanismRun& block)>;
// The rows of each block a run computed again hands on.
inline constexpr std::size_t kVisitBlockRows = 16384;
// Hands every step 0..N of a cycle to `take`, block by block in step order: from a run kept
// whole, or computed again block by block so that no whole series is ever kept.
using StepBlocks = std::function<void(const StepBlockVisit& take)>;

// The steps of a run that keeps all N + 1 of them: one block.
inline StepBlocks KeptSteps(const MechanismRun& run, int divisions)
{
    return [&run, divisions](const StepBlockVisit& take) { take(0, divisions + 1, run); };
}

// Where the main menu lists a mechanism under 機構選択.
enum class MenuGroup {
    SerialArms,   // the submenu シリアル機構
    Mechanisms,   // directly under 機構選択
};

struct Mechanism {
    std::string command;   // command-line name, e.g. "2r"
    MenuGroup menuGroup = MenuGroup::Mechanisms;
    std::string menuName;           // object name of its menu item, e.g. "jun2r"
    bool oneWindow = false;         // one window for the program, shown again when chosen again
    std::string formName;           // object name of its window, e.g. "Form2rjun"
    std::string title;              // menu caption, a marked Japanese text
    std::string windowTitle;        // the window's title where it differs from `title`
    std::vector<InputBox> inputs;   // in the order they are read and reported
    std::array<std::string, 2> graphCaptions;   // above the first and the second graph
    FrameTraits traits;
    // The run of steps 0..N, or why it is refused: a box's value, or the first step that
    // cannot be posed or whose values are not all finite. It hands its pose function to
    // RunSteps (run/step_loop.h) with `loop`.
    std::function<RunOrRefusal(const InputValues&, const StepLoop& loop)> ComputeMotion;
};

}
