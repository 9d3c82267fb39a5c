// A mechanism's inputs and the one reader of them: every value travels by its key, from the
// window's boxes or the command line's KEY=VALUE to the mechanism, and the mechanism's table
// says which values are typed in degrees and which choose an assembly.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "messages/refusal.h"
#include "numeric/closures.h"

namespace sim {

enum class InputKind {
    Number,   // a text box
    Branch,   // which assembly a closure takes: a check box, unticked for the usual one
};

// One input of a mechanism: a text box with its caption, or an assembly check box. Captions
// and descriptions are marked Japanese texts (messages/translatable.h) that the window
// translates.
struct InputBox {
    std::string key;                // command-line key and the value's name in the mechanism
    std::string caption;            // the box's caption; the key where it is empty
    std::string defaultText;        // the text a new window shows, e.g. "２０"
    bool isAngle = false;           // typed in degrees, read in radians
    std::string description = {};   // the box's tooltip: what the value is and its unit
    InputKind kind = InputKind::Number;
    int row = 0;   // layout only: the row of a text box on the form; check boxes go in order

    // The caption, or the key where the box has none.
    const std::string& shownCaption() const { return caption.empty() ? key : caption; }
};

// A text box on row `row`, its caption its key unless `caption` says otherwise.
inline InputBox NumberBox(int row, std::string key, std::string defaultText,
                          std::string description, std::string caption = {})
{
    return {std::move(key),
            std::move(caption),
            std::move(defaultText),
            false,
            std::move(description),
            InputKind::Number,
            row};
}
// A text box on row `row` for an angle typed in degrees.
inline InputBox AngleBox(int row, std::string key, std::string defaultText, std::string description,
                         std::string caption = {})
{
    InputBox box = NumberBox(row, std::move(key), std::move(defaultText), std::move(description),
                             std::move(caption));
    box.isAngle = true;
    return box;
}

// The caption of the assembly check box of a mechanism with one closure, and its tooltip.
inline constexpr const char* kOtherAssemblyCaption = MECHSIM_TR_NOOP("core", "もう一方の組み方");
inline constexpr const char* kOtherAssemblyDescription = MECHSIM_TR_NOOP(
    "core", "チェックすると、同じ寸法で閉じるもう一方の組み方（鏡に映した形）で動かします");

// The texts that choose a branch on the command line.
inline constexpr const char* kUsualBranchText = "1";
inline constexpr const char* kOtherBranchText = "-1";

// An assembly check box, unticked (the usual branch) by default.
inline InputBox BranchBox(std::string key, std::string caption = kOtherAssemblyCaption,
                          std::string description = kOtherAssemblyDescription)
{
    return {std::move(key), std::move(caption),     kUsualBranchText,
            false,          std::move(description), InputKind::Branch};
}

// One input as a run is given it: the text typed for it, or an assembly already chosen with a
// check box.
using InputEntry = std::variant<std::string, numeric::Branch>;
// The inputs of one run by key. A key left out reads as its box's default text.
using InputEntries = std::map<std::string, InputEntry, std::less<>>;

// The entries with every key of `boxes` that `given` leaves out set to its default text.
InputEntries CompleteInputs(std::span<const InputBox> boxes, InputEntries given = {});

// The values of a mechanism's inputs as read: numbers (angles in radians) and branches.
class InputValues {
public:
    // Where the value of one key goes.
    struct Binding {
        Binding(std::string_view key, double& number) : key(key), target(&number) {}
        Binding(std::string_view key, numeric::Branch& branch) : key(key), target(&branch) {}
        std::string_view key;
        std::variant<double*, numeric::Branch*> target;
    };

    // Copies each key's value into its variable; refuses, naming the key, a key the table
    // does not hold or one of the other kind.
    std::optional<Refusal> read(std::initializer_list<Binding> bindings) const;

    // The branch chosen for `key`; nothing for a key that is not a branch input.
    std::optional<numeric::Branch> branch(std::string_view key) const;

private:
    friend Refusable<InputValues> ReadInputs(std::span<const InputBox>, const InputEntries&);
    using Value = std::variant<double, numeric::Branch>;
    std::vector<std::pair<std::string, Value>> values_;   // in table order
};

// Reads every box of `boxes` from `entries` (a missing key reads as its default text) with the
// one number reader, converting degrees to radians; refuses the first box, in table order,
// whose text is not a number, or a branch input whose text is neither 1 nor -1.
Refusable<InputValues> ReadInputs(std::span<const InputBox> boxes, const InputEntries& entries);

}
