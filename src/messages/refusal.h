// Why a run, or a part of it, is refused: which box (by its command-line key), which step and
// its time, or which file, and the reason. One value for every refusal above the numeric
// routines, so the window, the command line and the tests read the same thing.
#pragma once

#include <filesystem>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "messages/translatable.h"

namespace sim {

// The reason of a box that holds no number; %1 is its text.
inline constexpr const char* kNotANumber = MECHSIM_TR_NOOP("core", "数値ではありません: \"%1\"");
// Why a box holding a number too large for any computation is refused.
inline constexpr const char* kBeyondRangeReason =
    MECHSIM_TR_NOOP("core", "値が大きすぎます（範囲外です）");

struct Refusal {
    enum class Kind {
        Settings,     // N or T of the settings
        NotANumber,   // box `key` holds no number; `reason` quotes its text
        Input,        // box `key` holds a value the mechanism cannot take
        Step,         // step `step` at `time` seconds cannot be computed
        File,         // `file` cannot be written; the run itself stands
        Cancelled,    // the student cancelled the run before it was complete
        Memory,       // the run needs more memory than the system gives; nothing was written
        Usage,        // the command line was not understood; `reason` says what, already in
                      // the interface language
        SetupFile,    // the .mechsim file `file` cannot be read or used; `key` names the key
                      // or joint at fault, where one is
    };

    Kind kind = Kind::Step;
    std::string key;              // NotANumber, Input, SetupFile; Step: the joint, if named
    int step = 0;                 // Step
    double time = 0;              // Step: T i / N, seconds
    std::filesystem::path file;   // File
    std::string reason;           // short Japanese reason, or the system's for a file
    Phrase phrase;                // the reason as it was composed, for the interface to translate

    static Refusal OfSettings(std::string reason) { return Of(Kind::Settings, {}, {reason, {}}); }
    static Refusal OfBox(std::string key, Phrase reason)
    {
        return Of(Kind::Input, std::move(key), std::move(reason));
    }
    static Refusal OfBox(std::string key, std::string reason)
    {
        return OfBox(std::move(key), Phrase{std::move(reason), {}});
    }
    static Refusal NotANumber(std::string key, const std::string& text)
    {
        return Of(Kind::NotANumber, std::move(key), {kNotANumber, {Plain(text)}});
    }
    // A pose that cannot be taken; the step loop fills in the step and its time.
    static Refusal OfStep(Phrase reason) { return Of(Kind::Step, {}, std::move(reason)); }
    static Refusal OfStep(std::string reason) { return OfStep(Phrase{std::move(reason), {}}); }
    static Refusal OfUsage(std::string message) { return Of(Kind::Usage, {}, {message, {}}); }
    static Refusal OfCancel()
    {
        return Of(Kind::Cancelled, {}, {MECHSIM_TR_NOOP("core", "計算を中止しました。"), {}});
    }
    static Refusal OfMemory()
    {
        return Of(
            Kind::Memory, {},
            {MECHSIM_TR_NOOP("core", "メモリが足りません。時分割数を減らしてください。"), {}});
    }
    // A step that cannot be posed at the joint `joint` of a linkage.
    static Refusal OfJointStep(std::string joint, Phrase reason)
    {
        return Of(Kind::Step, std::move(joint), std::move(reason));
    }
    // A set-up or linkage file that cannot be read or used, at `key` where one is at fault.
    static Refusal OfSetupFile(std::filesystem::path file, Phrase reason, std::string key = {})
    {
        Refusal r = Of(Kind::SetupFile, std::move(key), std::move(reason));
        r.file = std::move(file);
        return r;
    }
    static Refusal OfFile(std::filesystem::path file, std::string reason)
    {
        Refusal r = Of(Kind::File, {}, {std::move(reason), {}});
        r.file = std::move(file);
        return r;
    }

private:
    static Refusal Of(Kind kind, std::string key, Phrase phrase)
    {
        Refusal r;
        r.kind = kind;
        r.key = std::move(key);
        r.reason = phrase.Compose();
        r.phrase = std::move(phrase);
        return r;
    }
};

// A value, or why there is none: the one way anything that can be refused is returned.
template <typename T> class [[nodiscard]] Refusable {
public:
    template <typename U>
    requires std::is_convertible_v<U&&, T> Refusable(U&& value)
        : state_(std::in_place_index<0>, std::forward<U>(value))
    {
    }
    Refusable(Refusal refusal) : state_(std::in_place_index<1>, std::move(refusal)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }

    // Why there is no value; only when !ok().
    const Refusal& error() const& { return std::get<1>(state_); }
    Refusal&& error() && { return std::get<1>(std::move(state_)); }

private:
    std::variant<T, Refusal> state_;
};

}
