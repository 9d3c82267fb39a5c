// A temporary file created exclusively beside the target, renamed over it when complete.
#include "sim/safe_file.h"

#include <random>
#include <system_error>

#include "sim/result_file.h"

namespace sim {

namespace {

// Creates "<target>.XXXXXX" for writing, a name no other file has.
bool CreateTemporary(const std::filesystem::path& target, platform::NewFile& file,
                     std::filesystem::path& temporary, std::string& reason)
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device entropy;
    std::mt19937 pick(entropy());
    std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix = ".";
        for (int k = 0; k < 6; ++k)
            suffix.push_back(kLetters[letter(pick)]);
        temporary = target;
        temporary += suffix;
        switch (file.create(temporary)) {
        case platform::NewFile::Created::Yes:
            return true;
        case platform::NewFile::Created::Exists:
            continue;
        case platform::NewFile::Created::Failed:
            reason = file.reason();
            return false;
        }
    }
    reason = std::make_error_code(std::errc::file_exists).message();
    return false;
}

}

SafeFile::SafeFile(std::filesystem::path target) : target_(std::move(target))
{
    ok_ = CreateTemporary(target_, file_, temporary_, reason_);
    if (!ok_)
        temporary_.clear();   // nothing was created
}

SafeFile::~SafeFile()
{
    if (!temporary_.empty())
        platform::RemoveFile(temporary_);   // the file itself closes after
}

bool SafeFile::append(std::string_view bytes)
{
    ok_ = ok_ && file_.write(bytes);
    return ok_;
}

std::optional<Refusal> SafeFile::commit()
{
    if (temporary_.empty())
        return Refusal::OfFile(target_, reason_);
    ok_ = file_.close() && ok_;
    if (reason_.empty())
        reason_ = file_.reason();
    ok_ = ok_ && platform::ReplaceFile(temporary_, target_, reason_);
    if (!ok_) {
        platform::RemoveFile(temporary_);
        temporary_.clear();
        return Refusal::OfFile(target_, reason_);
    }
    temporary_.clear();   // in place: nothing left to remove
    return std::nullopt;
}

std::optional<Refusal> WriteFileSafely(const std::filesystem::path& path, std::string_view bytes)
{
    SafeFile file(path);
    file.append(bytes);
    return file.commit();
}

std::string DescribeFileRefusal(const Refusal& refusal)
{
    return FullPath(refusal.file).string() + " を書き込めませんでした: " + refusal.reason;
}

}
