// Why a run, or a part of it, is refused: which box (by its command-line key), which step and
// its time, or which file, and the reason. One value for every refusal above the numeric
// routines, so the window, the command line and the tests read the same thing.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <variant>

namespace sim {

// Why a box holding a number too large for any computation is refused.
inline constexpr const char* kBeyondRangeReason = "値が大きすぎます（範囲外です）";

struct Refusal {
    enum class Kind {
        Settings,     // N or T of the settings
        NotANumber,   // box `key` holds no number; `reason` quotes its text
        Input,        // box `key` holds a value the mechanism cannot take
        Step,         // step `step` at `time` seconds cannot be computed
        File,         // `file` cannot be written; the run itself stands
        Cancelled,    // the student cancelled the run before it was complete
    };

    Kind kind = Kind::Step;
    std::string key;              // NotANumber, Input
    int step = 0;                 // Step
    double time = 0;              // Step: T i / N, seconds
    std::filesystem::path file;   // File
    std::string reason;           // short Japanese reason, or the system's for a file

    static Refusal OfSettings(std::string reason)
    {
        return {Kind::Settings, {}, 0, 0, {}, std::move(reason)};
    }
    static Refusal OfBox(std::string key, std::string reason)
    {
        return {Kind::Input, std::move(key), 0, 0, {}, std::move(reason)};
    }
    static Refusal NotANumber(std::string key, const std::string& text)
    {
        return {Kind::NotANumber, std::move(key), 0, 0, {}, "数値ではありません: \"" + text + "\""};
    }
    // A pose that cannot be taken; the step loop fills in the step and its time.
    static Refusal OfStep(std::string reason)
    {
        return {Kind::Step, {}, 0, 0, {}, std::move(reason)};
    }
    static Refusal OfCancel() { return {Kind::Cancelled, {}, 0, 0, {}, "計算を中止しました。"}; }
    static Refusal OfFile(std::filesystem::path file, std::string reason)
    {
        return {Kind::File, {}, 0, 0, std::move(file), std::move(reason)};
    }
};

// A value, or why there is none.
template <typename T> using Refusable = std::variant<T, Refusal>;

}
