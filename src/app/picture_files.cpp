// Picture files: PNG or SVG bytes through the safe writer, a run's set put in place together,
// stale page files removed by their names.
#include "app/picture_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

#include "widgets/picture_menu.h"

namespace app {

namespace {

// K of "pageK<suffix>" as the program writes it (no sign, no leading zero), or 0.
int PageNumber(std::string_view name, std::string_view suffix)
{
    constexpr std::string_view prefix = "page";
    if (!name.starts_with(prefix) || !name.ends_with(suffix))
        return 0;
    const std::string_view digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    int page = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), page);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.starts_with('0'))
        return 0;
    return page;
}

// The bytes of `picture` as the file `path` takes them: SVG for ".svg", PNG otherwise.
QByteArray PictureBytes(const plot::ImageCanvas& picture, const std::filesystem::path& path)
{
    return widgets::PictureFileBytes(picture, QString::fromStdString(path.string()));
}

}

std::optional<sim::Refusal> SavePicture(const plot::ImageCanvas& picture,
                                        const std::filesystem::path& path)
{
    return widgets::SaveBytes(path, PictureBytes(picture, path));
}

std::filesystem::path PageName(int page, std::string_view extension)
{
    return "page" + std::to_string(page) + std::string(extension);
}

void RemoveStalePages(const std::filesystem::path& dir, int pages, std::string_view extension)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const int page = PageNumber(entry.path().filename().native(), extension);
        const auto type = entry.symlink_status(error).type();
        if (page > pages
            && (type == std::filesystem::file_type::regular
                || type == std::filesystem::file_type::symlink))
            std::filesystem::remove(entry.path(), error);
    }
}

std::optional<std::pair<std::filesystem::path, std::string>>
UnwritablePicture(const std::filesystem::path& dir, std::string_view extension)
{
    namespace fs = std::filesystem;
    // The folder, or the nearest folder above it that is there, which must take the new ones.
    fs::path there = dir;
    std::vector<fs::path> missing;
    struct stat info {};
    while (::stat(there.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return std::pair(dir, sim::FileErrorReason(errno));
        missing.push_back(there.filename());
        there = there.has_parent_path() && there.parent_path() != there ? there.parent_path()
                                                                        : fs::path(".");
    }
    if (!S_ISDIR(info.st_mode))
        return std::pair(there, sim::FileErrorReason(ENOTDIR));
    if (!missing.empty()) {
        const long longest = ::pathconf(there.c_str(), _PC_NAME_MAX);
        for (const fs::path& name : missing)
            if (longest > 0 && name.native().size() > static_cast<std::size_t>(longest))
                return std::pair(dir, sim::FileErrorReason(ENAMETOOLONG));
        if (::faccessat(AT_FDCWD, there.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            return std::pair(there, sim::FileErrorReason(errno));
        return std::nullopt;
    }
    std::vector<fs::path> names;
    for (const char* name : {"picture1", "picture2", "summary"})
        names.push_back(dir / (name + std::string(extension)));
    std::error_code error;
    // Pages already there that a run may write again: files and links, as RemoveStalePages
    // sees them (a folder of that name is left alone unless the run has that many pages).
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const auto type = entry.symlink_status(error).type();
        if (PageNumber(entry.path().filename().native(), extension) > 0
            && (type == fs::file_type::regular || type == fs::file_type::symlink))
            names.push_back(entry.path());
    }
    for (const fs::path& name : names)
        if (std::optional<std::string> reason = sim::UnwritableTarget(name))
            return std::pair(name, std::move(*reason));
    return std::nullopt;
}

PictureSet::~PictureSet()
{
    files_.discard();
    if (placed_)
        return;
    std::error_code error;
    for (const std::filesystem::path& folder : made_)
        std::filesystem::remove(folder, error);   // only while empty
}

std::error_code PictureSet::makeFolder()
{
    std::error_code error;
    for (std::filesystem::path folder = dir_;
         !folder.empty() && !std::filesystem::exists(folder, error);
         folder = folder.parent_path()) {
        made_.push_back(folder);
        if (folder.parent_path() == folder)
            break;
    }
    std::filesystem::create_directories(dir_, error);
    return error;
}

std::optional<sim::Refusal> PictureSet::add(const plot::ImageCanvas& picture,
                                            const std::filesystem::path& name)
{
    const std::filesystem::path path = dir_ / name;
    const QByteArray bytes = PictureBytes(picture, path);
    if (bytes.isEmpty())
        return sim::Refusal::OfFile(path, MECHSIM_TR_NOOP("core", "中身を作れませんでした"));
    if (files_.add(path,
                   std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return std::nullopt;
    return files_.refusal();
}

std::optional<sim::Refusal> PictureSet::place(int pages, std::string_view extension)
{
    if (!files_.commit())
        return files_.refusal();
    placed_ = true;
    RemoveStalePages(dir_, pages, extension);
    return std::nullopt;
}

}
