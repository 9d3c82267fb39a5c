// The one way the program writes a file: beside the target under a temporary name, renamed
// over the target only when every byte is on disk, so a failed write never leaves half a file
// nor loses the earlier one. The result file, the pictures, the report and the animation all
// go through it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sim/platform.h"
#include "sim/refusal.h"

namespace sim {

// A file written in pieces. Nothing appears under the target's name until commit() succeeds;
// a writer given up before that removes its temporary file.
class SafeFile {
public:
    explicit SafeFile(std::filesystem::path target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // false once anything has failed.
    bool append(std::string_view bytes);
    // Closes the file and puts it in place of the target; a file refusal naming the target
    // with the system's reason (e.g. "Permission denied") when anything failed.
    std::optional<Refusal> commit();

private:
    std::filesystem::path target_, temporary_;
    platform::NewFile file_;
    bool ok_ = false;
    std::string reason_;
};

// The whole file at once.
std::optional<Refusal> WriteFileSafely(const std::filesystem::path& path, std::string_view bytes);

// "/home/student/result.dat を書き込めませんでした: Permission denied": the file in full and why.
std::string DescribeFileRefusal(const Refusal& refusal);

}
