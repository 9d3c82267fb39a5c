// The .mechsim file, TOML of two kinds: the set-up of a built-in mechanism (its inputs, profile,
// N and T) and a linkage of one's own. Read with toml++, every key checked, and written back.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "linkage/model.h"
#include "messages/refusal.h"
#include "run/mechanism.h"

namespace setup_files {

// The extension of both kinds.
inline constexpr const char* kMechsimExtension = ".mechsim";

// Whether a name is that of a set-up or linkage file: it ends in kMechsimExtension, in any case.
bool NamesMechsimFile(std::string_view name);
// Larger files are refused unread: a set-up or a linkage is a few kilobytes.
inline constexpr std::size_t kMaxMechsimBytes = 1 << 20;

struct MechsimFile {
    // A built-in mechanism (an aliasing pointer to its static registration) or the linkage's own.
    std::shared_ptr<const sim::Mechanism> mechanism;
    // A set-up's [inputs] by command-line key, numbers as the shortest text that reads back to
    // the same double, branches as numeric::Branch; a linkage's branches by joint.
    sim::InputEntries inputs;
    std::optional<sim::ProfileKind> profile;
    std::optional<std::string> divisions;    // as text, like --divisions
    std::optional<std::string> cycleTime;    // as text, like --cycle-time
    std::optional<linkage::Model> linkage;   // set for a linkage file
};

// Reads a regular file of at most kMaxMechsimBytes (never waiting on a pipe or a device). Every
// refusal is a set-up file refusal naming `path` and, where one is at fault, the key or joint.
sim::Refusable<MechsimFile> ReadMechsimFile(const std::filesystem::path& path);
// The same for text already read; refusals name `shownName`.
sim::Refusable<MechsimFile> ParseMechsimText(std::string_view text,
                                             const std::filesystem::path& shownName);

// The set-up file of `file` (mechanism, profile, divisions, cycle-time, [inputs]), or the
// linkage file of its model with `inputs`' branches applied: what "save set-up" writes. Reading
// it back gives the same mechanism, inputs and context.
std::string MechsimText(const MechsimFile& file);

}
