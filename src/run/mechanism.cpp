// What every mechanism shares: its boxes' design-time texts.
#include "run/mechanism.h"

namespace sim {

std::vector<std::string> DesignTexts(const Mechanism& mechanism)
{
    std::vector<std::string> texts;
    for (const InputBox& box : mechanism.inputs) {
        const auto slot = static_cast<std::size_t>(box.index);
        if (texts.size() <= slot)
            texts.resize(slot + 1);
        texts[slot] = box.defaultText;
    }
    return texts;
}

}
