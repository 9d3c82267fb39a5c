// Running a mechanism's ComputeMotion with its default inputs, for the kinematics tests.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

#include "numeric/number_text.h"
#include "run/frame.h"
#include "run/mechanism.h"
#include "run/run_pipeline.h"

inline constexpr sim::ProfileKind kProfiles[] = {sim::ProfileKind::Quintic, sim::ProfileKind::Cubic,
                                                 sim::ProfileKind::Linear};

inline sim::RunContext Context(int n, sim::ProfileKind profile = sim::ProfileKind::Quintic,
                               double t = 10)
{
    return {n, t, profile};
}

// The run of `m` with its default inputs, some overridden by key.
inline sim::RunOrRefusal ComputeWith(const sim::Mechanism& m, const sim::RunContext& context,
                                     const sim::InputEntries& overrides = {})
{
    auto values = sim::ReadInputs(m.inputs, overrides);
    if (!values) {
        ADD_FAILURE() << values.error().key << ": " << values.error().reason;
        return values.error();
    }
    return m.ComputeMotion(values.value(), sim::StepLoop{context});
}

// The run, or a test failure naming the refusal.
inline std::unique_ptr<sim::MechanismRun> RunOf(sim::RunOrRefusal outcome)
{
    if (!outcome) {
        const sim::Refusal& error = outcome.error();
        ADD_FAILURE() << "refused at " << error.key << error.step << ": " << error.reason;
        return nullptr;
    }
    return std::move(outcome).value();
}

// What a window or the command line asks of `m` with its default inputs, some overridden.
inline sim::RunRequest RequestOf(const sim::Mechanism& m, const sim::RunContext& context,
                                 sim::InputEntries overrides = {})
{
    return {&m, std::move(overrides), context};
}

// Whether a window's animation runs: its 50 ms timer is going.
inline bool Animating(const QWidget& window)
{
    const auto* timer = window.findChild<QTimer*>("Timer1");
    return timer && timer->isActive();
}
