// Reading the boxes once, by key.
#include "run/inputs.h"

#include <algorithm>

#include "numeric/angle.h"
#include "numeric/number_text.h"

namespace sim {

std::optional<Refusal> InputValues::read(std::initializer_list<Binding> bindings) const
{
    for (const Binding& binding : bindings) {
        const auto found =
            std::find_if(values_.begin(), values_.end(),
                         [&binding](const auto& value) { return value.first == binding.key; });
        if (found == values_.end())
            return Refusal::OfBox(std::string(binding.key),
                                  MECHSIM_TR_NOOP("core", "この機構にない入力です"));
        binding.value = found->second;
    }
    return std::nullopt;
}

Refusable<InputValues> ReadInputs(std::span<const InputBox> boxes,
                                  const std::vector<std::string>& boxTexts)
{
    InputValues values;
    for (const InputBox& box : boxes) {
        if (box.key.empty())
            continue;   // a box this mechanism never reads
        const auto slot = static_cast<std::size_t>(box.index);
        const std::string text = slot < boxTexts.size() ? boxTexts[slot] : std::string();
        const std::optional<double> number = numeric::ReadNumber(text);
        if (!number && numeric::IsBeyondRange(text))
            return Refusal::OfBox(box.key, kBeyondRangeReason);
        if (!number)
            return Refusal::NotANumber(box.key, text);
        if (box.kind == InputKind::Branch && *number != 1 && *number != -1)
            return Refusal::OfBox(
                box.key, Phrase{MECHSIM_TR_NOOP("core", "1（通常の組み方）か -1（もう一方の組み方）"
                                                        "を指定してください: \"%1\""),
                                {Plain(text)}});
        values.values_.emplace_back(box.key, box.isAngle ? numeric::DegToRad(*number) : *number);
    }
    return values;
}

}
