// The page script's view of the core: one session, and plain JavaScript values in and out.
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "mechanisms/catalog.h"
#include "numeric/closures.h"
#include "run/profiles.h"
#include "run/run_pictures.h"
#include "web/page_session.h"

using emscripten::val;

namespace {

// clang-format off
// The page's catalogue: the words of a whole marked text in the language shown, or the text.
EM_JS(char*, mechsim_lookup, (const char* text), {
    const shown = Mechsim.lookup(UTF8ToString(text));
    const length = lengthBytesUTF8(shown) + 1;
    const copy = _malloc(length);
    stringToUTF8(shown, copy, length);
    return copy;
});
EM_JS(void, mechsim_result_block, (const char* bytes, int length), {
    Mechsim.resultBlock(HEAPU8.subarray(bytes, bytes + length));
});
// clang-format on

std::string Lookup(const std::string& text)
{
    char* shown = mechsim_lookup(text.c_str());
    std::string copy(shown);
    std::free(shown);
    return copy;
}

// A marked text in the language shown, as the desktop translates it.
std::string Translate(const std::string& text)
{
    return sim::TranslateMarked(text, Lookup);
}

web::PageSession& Session()
{
    static web::PageSession session(Translate);
    return session;
}

val Strings(const std::vector<std::string>& texts)
{
    val array = val::array();
    for (const std::string& text : texts)
        array.call<void>("push", text);
    return array;
}

// A branch travels as 1 (the usual assembly) or -1, a typed box as its text.
val EntryValue(const sim::InputEntry& entry)
{
    if (const auto* branch = std::get_if<numeric::Branch>(&entry))
        return val(static_cast<int>(*branch));
    return val(std::get<std::string>(entry));
}

web::TypedSetUp ReadSetUp(const val& setUp)
{
    web::TypedSetUp typed;
    const val inputs = setUp["inputs"];
    const val keys = val::global("Object").call<val>("keys", inputs);
    for (int i = 0, n = keys["length"].as<int>(); i < n; ++i) {
        const std::string key = keys[i].as<std::string>();
        const val entry = inputs[key];
        if (entry.isNumber())
            typed.inputs.emplace(key, entry.as<int>() < 0 ? numeric::Branch::Other
                                                          : numeric::Branch::Usual);
        else
            typed.inputs.emplace(key, entry.as<std::string>());
    }
    typed.profile = static_cast<sim::ProfileKind>(setUp["profile"].as<int>());
    typed.divisions = setUp["divisions"].as<std::string>();
    typed.cycleTime = setUp["cycleTime"].as<std::string>();
    return typed;
}

val Mechanisms()
{
    val list = val::array();
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        val entry = val::object();
        entry.set("command", m->command);
        entry.set("title", m->title);
        list.call<void>("push", entry);
    }
    return list;
}

bool IsBuiltIn(const std::string& command)
{
    return mechanisms::FindMechanism(command) != nullptr;
}

// The pictures' drawing areas in logical pixels, as on the desktop.
val PictureSizes()
{
    val sizes = val::object();
    const auto size = [](plot::PixelSize s) {
        val pair = val::array();
        pair.call<void>("push", s.width);
        pair.call<void>("push", s.height);
        return pair;
    };
    sizes.set("graph1", size(plot::kGraph1Size));
    sizes.set("graph2", size(plot::kGraph2Size));
    sizes.set("view", size(plot::kViewSize));
    return sizes;
}

// The view's check boxes in the order the options take them, and the animation's speeds.
val Player()
{
    val player = val::object();
    val choices = val::array();
    for (const sim::DrawingChoice& choice : {sim::kGuidesChoice, sim::kVelocityChoice,
                                             sim::kAccelerationChoice, sim::kCentresChoice}) {
        val c = val::object();
        c.set("caption", std::string(choice.caption));
        c.set("description", std::string(choice.description));
        choices.call<void>("push", c);
    }
    player.set("choices", choices);
    val speeds = val::array();
    for (double speed : sim::kSpeeds)
        speeds.call<void>("push", speed);
    player.set("speeds", speeds);
    player.set("normalSpeed", sim::kNormalSpeed);
    return player;
}

bool Choose(const std::string& command)
{
    return Session().choose(command);
}

// The chosen mechanism's window as data: titles, boxes, graph captions and profile captions,
// each a marked Japanese text the page translates.
val Describe()
{
    const sim::Mechanism& m = Session().mechanism();
    val form = val::object();
    form.set("command", m.command);
    form.set("title", m.windowTitle.empty() ? m.title : m.windowTitle);
    val boxes = val::array();
    for (const sim::InputBox& box : m.inputs) {
        val b = val::object();
        b.set("key", box.key);
        b.set("caption", box.shownCaption());
        b.set("defaultText", box.defaultText);
        b.set("description", box.description);
        b.set("branch", box.kind == sim::InputKind::Branch);
        b.set("row", box.row);
        boxes.call<void>("push", b);
    }
    form.set("inputs", boxes);
    form.set("graphCaptions", Strings({m.graphCaptions[0], m.graphCaptions[1]}));
    form.set("profiles", Strings({sim::ProfileCaption(sim::ProfileKind::Quintic),
                                  sim::ProfileCaption(sim::ProfileKind::Cubic),
                                  sim::ProfileCaption(sim::ProfileKind::Linear)}));
    return form;
}

val SetUpValue(const setup_files::MechsimFile& file)
{
    val setUp = val::object();
    val inputs = val::object();
    for (const auto& [key, entry] : file.inputs)
        inputs.set(key, EntryValue(entry));
    setUp.set("inputs", inputs);
    if (file.profile)
        setUp.set("profile", static_cast<int>(*file.profile));
    if (file.divisions)
        setUp.set("divisions", *file.divisions);
    if (file.cycleTime)
        setUp.set("cycleTime", *file.cycleTime);
    return setUp;
}

val Open(const std::string& text, const std::string& name)
{
    setup_files::MechsimFile opened;
    val outcome = val::object();
    if (const std::optional<std::string> refusal = Session().open(text, name, &opened)) {
        outcome.set("message", *refusal);
        return outcome;
    }
    outcome.set("setUp", SetUpValue(opened));
    return outcome;
}

val Run(const val& setUp)
{
    bool refused = true;
    const std::string message =
        Session().run(ReadSetUp(setUp), [](std::string_view bytes) {
            mechsim_result_block(bytes.data(), static_cast<int>(bytes.size()));
            return true;
        }, refused);
    val outcome = val::object();
    outcome.set("refused", refused);
    outcome.set("message", message);
    return outcome;
}

std::string SetUpText(const val& setUp)
{
    return Session().setUpText(ReadSetUp(setUp));
}

sim::SimulationFrame* Frame()
{
    sim::SimulationFrame* frame = Session().frame();
    return frame && frame->hasRun() ? frame : nullptr;
}

int Tick()
{
    sim::SimulationFrame* frame = Frame();
    const std::optional<int> step = frame ? frame->tick(Session().view()) : std::nullopt;
    return step.value_or(-1);
}

void SetPlaying(bool playing)
{
    if (sim::SimulationFrame* frame = Frame())
        frame->setPlaying(playing);
}

void SetSpeed(int index)
{
    if (sim::SimulationFrame* frame = Frame())
        frame->setSpeed(index);
}

int GoToStep(int step)
{
    sim::SimulationFrame* frame = Frame();
    return frame ? frame->goToStep(step, Session().view()).value_or(-1) : -1;
}

void Stop()
{
    if (sim::SimulationFrame* frame = Frame())
        frame->stop(Session().view());
}

val Next()
{
    sim::SimulationFrame* frame = Frame();
    const std::optional<std::string> caption =
        frame ? frame->next(Session().view()) : std::nullopt;
    return caption ? val(*caption) : val::null();
}

// The player's state for the transport: step, N, playing, what the view shows, the cursor's x
// in millimetres on each picture, and the current values.
val State()
{
    val state = val::object();
    sim::SimulationFrame* frame = Frame();
    state.set("hasRun", frame != nullptr);
    if (!frame)
        return state;
    state.set("step", frame->currentStep());
    state.set("divisions", frame->context().divisions);
    state.set("playing", frame->playing());
    state.set("viewShows", static_cast<int>(frame->viewShows()));
    const auto cursor = [](const std::optional<double>& x) { return x ? val(*x) : val::null(); };
    state.set("cursor1", cursor(frame->cursorX(Session().graph1())));
    state.set("cursor2", cursor(frame->cursorX(Session().graph2())));
    state.set("cursorView", cursor(frame->cursorX(Session().view())));
    if (const std::optional<sim::StepValues> values = frame->currentValues()) {
        state.set("position", values->position.Compose(Session().translate()));
        state.set("names", Strings(values->names));
        state.set("values", Strings(values->values));
    }
    return state;
}

// The view's drawing options; the view is drawn again with them where it shows a pose.
void SetOptions(bool guides, bool velocities, bool accelerations, bool centres)
{
    sim::SimulationFrame* frame = Session().frame();
    if (!frame)
        return;
    sim::DrawingOptions options = frame->drawingOptions();
    options.guides = guides;
    options.velocities = velocities;
    options.accelerations = accelerations;
    options.centres = centres;
    options.translate = Session().translate();
    frame->setDrawingOptions(options);
}

// Draws every picture again: after a change of options or language.
void Redraw()
{
    if (sim::SimulationFrame* frame = Frame())
        frame->redraw(Session().graph1(), Session().graph2(), Session().view());
}

}

EMSCRIPTEN_BINDINGS(mechsim)
{
    emscripten::function("translate", &Translate);
    emscripten::function("mechanisms", &Mechanisms);
    emscripten::function("isBuiltIn", &IsBuiltIn);
    emscripten::function("pictureSizes", &PictureSizes);
    emscripten::function("player", &Player);
    emscripten::function("choose", &Choose);
    emscripten::function("describe", &Describe);
    emscripten::function("open", &Open);
    emscripten::function("run", &Run);
    emscripten::function("setUpText", &SetUpText);
    emscripten::function("tick", &Tick);
    emscripten::function("setPlaying", &SetPlaying);
    emscripten::function("setSpeed", &SetSpeed);
    emscripten::function("goToStep", &GoToStep);
    emscripten::function("stop", &Stop);
    emscripten::function("next", &Next);
    emscripten::function("state", &State);
    emscripten::function("setOptions", &SetOptions);
    emscripten::function("redraw", &Redraw);
}
