// Scale labels fitted to their columns, in one notation per axis.
#include "plot/axis_labels.h"

#include "plot/graphs.h"
#include "numeric/decimal_conversion.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace plot {

namespace {

constexpr int kMaxDigits = 12;   // what LevelLabel shows at most

enum class Notation { AsDesigned, Fixed, Exponent };

// `value` rounded to `digits` significant digits.
double Rounded(double value, int digits)
{
    char buf[48];
    char* end = numeric::WriteScientific(buf, value, digits - 1);
    double rounded = value;
    numeric::ReadDecimal(buf, end, rounded);
    return rounded;
}

// Plain decimal form without an exponent, e.g. "0.0003".
std::string FixedText(double magnitude, int digits)
{
    char buf[400];   // the largest double needs 309 digits
    char* end = numeric::WriteShortestFixed(buf, Rounded(magnitude, digits));
    return std::string(buf, end);
}

// Exponent form without '+', leading exponent zeros or trailing mantissa zeros: "4e12", "2.5e-4".
std::string ExponentText(double magnitude, int digits)
{
    char buf[48];
    char* end = numeric::WriteScientific(buf, magnitude, digits - 1);
    std::string text(buf, end);
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    const int exponent = std::stoi(text.substr(e + 1));
    return exponent == 0 ? mantissa : mantissa + "e" + std::to_string(exponent);
}

bool UsesExponent(const std::string& text)
{
    return text.find('e') != std::string::npos;
}

// The texts a label may take in a notation, widest first: the sign position keeps its blank
// for positive numbers while there is room for it.
std::vector<std::string> Candidates(double value, Notation notation)
{
    if (notation == Notation::AsDesigned || !std::isfinite(value))
        return {LevelLabel(value)};
    if (value == 0)
        return {" 0", "0"};
    const std::string sign = value < 0 ? "-" : "";
    std::vector<std::string> texts;
    for (int digits = kMaxDigits; digits >= 1; --digits) {
        const double magnitude = std::abs(value);
        const std::string body = notation == Notation::Fixed ? FixedText(magnitude, digits)
                                                             : ExponentText(magnitude, digits);
        for (const std::string& text : {value < 0 ? sign + body : " " + body, sign + body})
            if (std::find(texts.begin(), texts.end(), text) == texts.end())
                texts.push_back(text);
    }
    return texts;
}

// Every label in `notation`, each with the most digits that fit; nullopt when one fits in
// none of its forms (or, as designed, when the labels mix notations). With `force` the
// shortest form is taken where nothing fits, moved left to end at its column's limit.
std::optional<std::vector<PlacedLabel>> Fit(const Canvas& p, std::span<const LabelSlot> slots,
                                            Notation notation, bool force)
{
    std::vector<PlacedLabel> placed;
    double previousEnd = -std::numeric_limits<double>::infinity();
    std::optional<bool> exponent;
    for (const LabelSlot& slot : slots) {
        const double right = std::min(slot.right, p.widthMm());
        // Only a label at the picture's edge moves to fit; the others keep to their column.
        double leftmost = slot.topLeft.x;
        if (slot.leftmost && slot.right >= p.widthMm()) {
            leftmost = *slot.leftmost;
            if (slot.afterPrevious)
                leftmost = std::max(leftmost, previousEnd);
            leftmost = std::min(leftmost, slot.topLeft.x);
        }
        const std::vector<std::string> texts = Candidates(slot.value, notation);
        const auto fits = std::find_if(texts.begin(), texts.end(), [&](const std::string& t) {
            return p.textWidthMm(t) <= right - leftmost;
        });
        if (fits == texts.end() && !force)
            return std::nullopt;
        const std::string& text = fits == texts.end() ? texts.back() : *fits;
        // Zero reads the same in both notations.
        if (notation == Notation::AsDesigned && slot.value != 0 && !text.empty()) {
            if (exponent && *exponent != UsesExponent(text))
                return std::nullopt;
            exponent = UsesExponent(text);
        }
        const double width = p.textWidthMm(text);
        PointMm at = slot.topLeft;
        at.x = std::max(std::min(at.x, right - width), 0.0);
        at.y = std::max(std::min(at.y, p.heightMm() - p.textHeightMm()), 0.0);
        previousEnd = at.x + width;
        placed.push_back({text, at});
    }
    return placed;
}

}

std::vector<PlacedLabel> FitAxisLabels(const Canvas& p, std::span<const LabelSlot> slots)
{
    for (const Notation notation : {Notation::AsDesigned, Notation::Fixed, Notation::Exponent})
        if (auto placed = Fit(p, slots, notation, false))
            return *placed;
    return *Fit(p, slots, Notation::Exponent, true);
}

}
