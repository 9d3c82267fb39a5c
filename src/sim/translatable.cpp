// Filling the %N places of a message pattern.
#include "sim/translatable.h"

#include <vector>

namespace sim {

std::string FillPattern(const std::string& pattern, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < values.size()) {
            out += values[n];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}
