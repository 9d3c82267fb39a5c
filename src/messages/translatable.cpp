// Filling the %N places of a message pattern.
#include "messages/translatable.h"

namespace sim {

std::string FillPattern(const std::string& pattern, const std::vector<std::string>& values)
{
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

std::string Phrase::Compose(const Translator& translate) const
{
    std::vector<std::string> texts;
    for (const PhrasePart& part : parts)
        texts.push_back(part.marked ? Translated(translate, part.text) : part.text);
    return FillPattern(Translated(translate, pattern), texts);
}

std::string TranslateMarked(const std::string& source, const Translator& lookup)
{
    const std::string whole = Translated(lookup, source);
    static const std::string open = "（", close = "）";
    const std::size_t at = source.rfind(open);
    if (whole != source || at == std::string::npos || !source.ends_with(close))
        return whole;
    const std::string reason = source.substr(0, at);
    const std::string translated = Translated(lookup, reason);
    if (translated == reason)
        return whole;
    const std::size_t words = at + open.size();
    return FillPattern(Translated(lookup, kReasonWithSystemWords),
                       {translated, source.substr(words, source.size() - words - close.size())});
}

}
