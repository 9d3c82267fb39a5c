// The step loop: steps 0..N sampled and stored in order, and a run refused at the first step
// that cannot be posed or whose values are not all finite, with that step and its time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "run/step_loop.h"

namespace {

using numeric::ValueTriple;
using sim::Refusal;

struct OneValue {
    ValueTriple value;
    auto values() const { return std::tie(value); }
};

// The poses a run observed, in order; it outlives a refused run.
struct Stored {
    std::vector<double> values;
};

struct Recorder : sim::MechanismRun {
    Stored& stored;

    sim::TripleSeries kept;

    explicit Recorder(Stored& s) : stored(s) {}
    auto series() { return std::tie(kept); }
    void observe(const OneValue& pose) { stored.values.push_back(pose.value.value); }
    sim::ResultTable resultTable() const override { return {}; }
    std::array<sim::TripleView, 2> graphs() const override { return {}; }
    std::vector<sim::GraphPage> nextPages() const override { return {}; }
    plot::WorldWindow fitWorldWindow() const override { return {}; }
    void DrawMechanism(plot::Canvas&, const plot::WorldWindow&, int) const override {}
    const sim::PointSeries* tracedPath() const override { return nullptr; }
    std::vector<numeric::PointKinematics> movingPoints(int) const override { return {}; }
};

const sim::RunContext kContext{8, 2, sim::ProfileKind::Linear};

// The loop sizes the run's series to N + 1 and keeps step i in row i.
TEST(RunSteps, SamplesEveryStepAndStoresItInOrder)
{
    Stored seen;
    // The linear profile's s is tau, so each stored value is the step's tau; a sampler that
    // splits the cycle in halves restarts tau in the second half.
    auto halves = [](int i, int n) {
        const int half = 2 * i >= n && i < n ? 1 : 0;
        return sim::StepSample{half, 2.0 * i / n - half};
    };
    auto computed = sim::RunSteps(
        sim::StepLoop{kContext}, std::make_unique<Recorder>(seen),
        [](const sim::Step& step) {
            return OneValue{{step.profile.s + 10 * step.segment, 0, 0}};
        },
        halves);
    ASSERT_TRUE(computed.ok());
    const std::vector<double> expected{0, 0.25, 0.5, 0.75, 10, 10.25, 10.5, 10.75, 2};
    EXPECT_EQ(seen.values, expected);
    const auto& kept = dynamic_cast<const Recorder&>(*computed.value()).kept.value;
    EXPECT_EQ(std::vector<double>(kept.begin(), kept.end()), expected);
}

TEST(RunSteps, RefusesTheFirstStepThatCannotBePosedOrIsNotFinite)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        int badStep;
        ValueTriple bad;   // the pose of the bad step, when it is posed at all
        bool posed;
        std::string reason;
    };
    const Row rows[] = {
        {"infinite value", 3, {inf, 0, 0}, true, sim::kNotFiniteReason},
        {"NaN acceleration", 5, {0, 0, std::nan("")}, true, sim::kNotFiniteReason},
        {"impossible pose", 6, {}, false, "閉じません"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Stored seen;
        auto computed = sim::RunSteps(sim::StepLoop{kContext}, std::make_unique<Recorder>(seen),
                                      [&row](const sim::Step& step) -> sim::Refusable<OneValue> {
                                          if (step.index < row.badStep)
                                              return OneValue{{1, 1, 1}};
                                          if (!row.posed)
                                              return Refusal::OfStep(row.reason);
                                          return OneValue{row.bad};
                                      });
        const Refusal* refused = (computed ? nullptr : &computed.error());
        ASSERT_NE(refused, nullptr);
        EXPECT_EQ(refused->kind, Refusal::Kind::Step);
        EXPECT_EQ(refused->step, row.badStep);
        EXPECT_DOUBLE_EQ(refused->time, 2.0 * row.badStep / 8);
        EXPECT_EQ(refused->reason, row.reason);
        EXPECT_EQ(seen.values.size(), static_cast<std::size_t>(row.badStep));
    }
}

}
