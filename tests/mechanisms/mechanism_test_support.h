// Running a mechanism's ComputeMotion with its design-time inputs, for the kinematics tests.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "numeric/number_text.h"
#include "run/frame.h"
#include "run/mechanism.h"

// The design-time texts of the boxes, with some overridden by Text1 index.
inline std::vector<std::string> DefaultTexts(const sim::Mechanism& m,
                                             const std::map<int, std::string>& overrides = {})
{
    std::vector<std::string> texts = sim::DesignTexts(m);
    for (const auto& [index, text] : overrides)
        texts.at(static_cast<std::size_t>(index)) = text;
    return texts;
}

inline constexpr sim::ProfileKind kProfiles[] = {sim::ProfileKind::Quintic, sim::ProfileKind::Cubic,
                                                 sim::ProfileKind::Linear};

inline sim::RunContext Context(int n, sim::ProfileKind profile = sim::ProfileKind::Quintic,
                               double t = 10)
{
    return {n, t, profile};
}

inline sim::RunOrRefusal ComputeWith(const sim::Mechanism& m, const sim::RunContext& context,
                                     const std::map<int, std::string>& overrides = {})
{
    auto values = sim::ReadInputs(m.inputs, DefaultTexts(m, overrides));
    if (auto* refused = std::get_if<sim::Refusal>(&values)) {
        ADD_FAILURE() << refused->key << ": " << refused->reason;
        return *refused;
    }
    return m.ComputeMotion(std::get<sim::InputValues>(values), context);
}

// The run, or a test failure naming the refusal.
inline std::unique_ptr<sim::MechanismRun> RunOf(sim::RunOrRefusal outcome)
{
    if (auto* error = std::get_if<sim::Refusal>(&outcome)) {
        ADD_FAILURE() << "refused at " << error->key << error->step << ": " << error->reason;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<sim::MechanismRun>>(outcome));
}
