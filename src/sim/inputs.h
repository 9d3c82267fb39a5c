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

#include "sim/refusal.h"

namespace sim {

// One Text1 box with its Label1 caption.
struct InputBox {
    int index = 0;             // Text1 index
    std::string caption;       // Label1 caption, "" where the box has none
    std::string defaultText;   // design-time text, e.g. "２０"
    std::string key;           // command-line key; "" for a box the mechanism never reads
    bool isAngle = false;      // typed in degrees, read in radians
};

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
// number or is missing.
Refusable<InputValues> ReadInputs(std::span<const InputBox> boxes,
                                  const std::vector<std::string>& boxTexts);

}
