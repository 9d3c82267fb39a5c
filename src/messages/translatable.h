// Texts of the core that a person reads (captions, reasons, message patterns). The core keeps
// the Japanese text; the interface translates it where it shows it. MECHSIM_TR_NOOP marks a
// text for the translation catalogue (lupdate reads it as QT_TRANSLATE_NOOP) and is the text
// itself, so the core needs no Qt.
#pragma once

#include <functional>
#include <string>
#include <vector>

#define MECHSIM_TR_NOOP(context, text) text

namespace sim {

// The catalogue context of every text marked in the core.
inline constexpr const char* kCoreTextContext = "core";

// A marked reason followed by the system's own words in brackets, e.g. a file error's
// "ディスクがいっぱいです（No space left on device）": the interface translates the reason
// and the brackets and keeps the words.
inline constexpr const char* kReasonWithSystemWords = MECHSIM_TR_NOOP("core", "%1（%2）");

// Turns a marked Japanese text into the interface language; an empty one keeps the text.
using Translator = std::function<std::string(const std::string&)>;

inline std::string Translated(const Translator& translate, const std::string& text)
{
    return translate ? translate(text) : text;
}

// `source` in the interface language through `lookup`, a catalogue's words for a whole marked
// text (or the text itself). A text the catalogue lacks that ends in words in brackets is read
// as a marked reason with the system's words, kReasonWithSystemWords, and composed again.
std::string TranslateMarked(const std::string& source, const Translator& lookup);

// `pattern` with %1, %2, ... replaced by the arguments in order, in one pass, so an argument
// that itself holds "%2" stays as it is.
std::string FillPattern(const std::string& pattern, const std::vector<std::string>& args);

// One argument of a phrase: a marked text, translated with the phrase, or a plain one (a number,
// a key, what was typed), kept as it is.
struct PhrasePart {
    std::string text;
    bool marked = false;
};
inline PhrasePart Marked(std::string text)
{
    return {std::move(text), true};
}
inline PhrasePart Plain(std::string text)
{
    return {std::move(text), false};
}

// A text composed of a marked pattern and its arguments, kept apart so that the interface can
// translate the pattern and the marked arguments and compose it again in its language.
struct Phrase {
    std::string pattern;   // a marked text; %1, %2, ... where the parts go
    std::vector<PhrasePart> parts;

    // The text with the parts in their places; `translate` turns it into the interface language.
    std::string Compose(const Translator& translate = {}) const;
};

}
