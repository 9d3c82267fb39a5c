// A mechanism's input boxes and the one reader of them: every value is read by its key through
// the mechanism's table, which also says which values are typed in degrees.
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numeric/closures.h"
#include "messages/refusal.h"

namespace sim {

enum class InputKind {
    Number,   // a Text1 box
    Branch,   // which assembly a closure takes: a check box, 1 (usual) or -1 (the other)
};

// One Text1 box with its Label1 caption, or one assembly check box with its caption. Captions
// and descriptions are marked Japanese texts (sim/translatable.h) that the window translates.
struct InputBox {
    int index = 0;                  // Text1 index; for a check box, its slot after the Text1 boxes
    std::string caption;            // Label1 caption, "" where the box has none
    std::string defaultText;        // design-time text, e.g. "２０"
    std::string key;                // command-line key; "" for a box the mechanism never reads
    bool isAngle = false;           // typed in degrees, read in radians
    std::string description = {};   // the box's tooltip: what the value is and its unit
    InputKind kind = InputKind::Number;
};

// The caption of the assembly check box of a mechanism with one closure, and its tooltip.
inline constexpr const char* kOtherAssemblyCaption = MECHSIM_TR_NOOP("core", "もう一方の組み方");
inline constexpr const char* kOtherAssemblyDescription = MECHSIM_TR_NOOP(
    "core", "チェックすると、同じ寸法で閉じるもう一方の組み方（鏡に映した形）で動かします");

// The texts of a branch input.
inline constexpr const char* kUsualBranchText = "1";
inline constexpr const char* kOtherBranchText = "-1";

// An assembly check box, unticked (the usual branch) by default.
inline InputBox BranchBox(int slot, std::string caption, std::string key,
                          std::string description = kOtherAssemblyDescription)
{
    return {slot,  std::move(caption),     kUsualBranchText, std::move(key),
            false, std::move(description), InputKind::Branch};
}

// The branch a branch input's value (1 or -1, as ReadInputs lets it through) stands for.
inline numeric::Branch AsBranch(double value)
{
    return value < 0 ? numeric::Branch::Other : numeric::Branch::Usual;
}

// The values of the keyed boxes as read, angles in radians.
class InputValues {
public:
    // Where the value of one key goes.
    struct Binding {
        std::string_view key;
        double& value;
    };

    // Copies each key's value into its variable; refuses, naming the key, a key the table
    // does not hold.
    std::optional<Refusal> read(std::initializer_list<Binding> bindings) const;

private:
    friend Refusable<InputValues> ReadInputs(std::span<const InputBox>,
                                             const std::vector<std::string>&);
    std::vector<std::pair<std::string, double>> values_;   // in table order
};

// Reads every keyed box of `boxes` from `boxTexts` (by Text1 index) with the one number reader,
// converting degrees to radians; refuses the first box, in table order, whose text is not a
// number or is missing, or a branch input that is neither 1 nor -1.
Refusable<InputValues> ReadInputs(std::span<const InputBox> boxes,
                                  const std::vector<std::string>& boxTexts);

}
