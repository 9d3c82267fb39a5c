// Reading the inputs once, by key.
#include "run/inputs.h"

#include <algorithm>

#include "numeric/angle.h"
#include "numeric/number_text.h"

namespace sim {

InputEntries CompleteInputs(std::span<const InputBox> boxes, InputEntries given)
{
    for (const InputBox& box : boxes)
        given.try_emplace(box.key, box.defaultText);
    return given;
}

std::optional<Refusal> InputValues::read(std::initializer_list<Binding> bindings) const
{
    for (const Binding& binding : bindings) {
        const auto found =
            std::find_if(values_.begin(), values_.end(),
                         [&binding](const auto& value) { return value.first == binding.key; });
        const bool sameKind =
            found != values_.end() && found->second.index() == binding.target.index();
        if (!sameKind)
            return Refusal::OfBox(std::string(binding.key),
                                  MECHSIM_TR_NOOP("core", "この機構にない入力です"));
        if (double* const* number = std::get_if<double*>(&binding.target))
            **number = std::get<double>(found->second);
        else
            *std::get<numeric::Branch*>(binding.target) = std::get<numeric::Branch>(found->second);
    }
    return std::nullopt;
}

std::optional<numeric::Branch> InputValues::branch(std::string_view key) const
{
    for (const auto& [name, value] : values_)
        if (name == key)
            if (const auto* branch = std::get_if<numeric::Branch>(&value))
                return *branch;
    return std::nullopt;
}

namespace {

Refusable<double> ReadNumberBox(const InputBox& box, const std::string& text)
{
    const std::optional<double> number = numeric::ReadNumber(text);
    if (!number && numeric::IsBeyondRange(text))
        return Refusal::OfBox(box.key, kBeyondRangeReason);
    if (!number)
        return Refusal::NotANumber(box.key, text);
    return box.isAngle ? numeric::DegToRad(*number) : *number;
}

// A branch typed on the command line: 1 for the usual assembly, -1 for the other.
Refusable<numeric::Branch> ReadBranch(const InputBox& box, const std::string& text)
{
    Refusable<double> number = ReadNumberBox(box, text);
    if (!number)
        return std::move(number).error();
    if (number.value() != 1 && number.value() != -1)
        return Refusal::OfBox(
            box.key, Phrase{MECHSIM_TR_NOOP("core", "1（通常の組み方）か -1（もう一方の組み方）"
                                                    "を指定してください: \"%1\""),
                            {Plain(text)}});
    return number.value() < 0 ? numeric::Branch::Other : numeric::Branch::Usual;
}

}

Refusable<InputValues> ReadInputs(std::span<const InputBox> boxes, const InputEntries& entries)
{
    InputValues values;
    for (const InputBox& box : boxes) {
        const auto found = entries.find(box.key);
        const InputEntry entry = found != entries.end() ? found->second : box.defaultText;
        const auto* text = std::get_if<std::string>(&entry);
        if (box.kind == InputKind::Branch) {
            Refusable<numeric::Branch> branch =
                text ? ReadBranch(box, *text) : std::get<numeric::Branch>(entry);
            if (!branch)
                return std::move(branch).error();
            values.values_.emplace_back(box.key, branch.value());
            continue;
        }
        Refusable<double> number = ReadNumberBox(box, text ? *text : std::string());
        if (!number)
            return std::move(number).error();
        values.values_.emplace_back(box.key, number.value());
    }
    return values;
}

}
