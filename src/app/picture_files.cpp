// Picture files: PNG bytes through the safe writer, stale page files removed by their names.
#include "app/picture_files.h"

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

#include "sim/safe_file.h"

namespace app {

namespace {

// K of "pageK.png" as the program writes it (no sign, no leading zero), or 0.
int PageNumber(std::string_view name)
{
    constexpr std::string_view prefix = "page", suffix = ".png";
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

}

std::optional<sim::Refusal> SavePicture(const plot::ImageCanvas& picture,
                                        const std::filesystem::path& path)
{
    const QByteArray png = picture.pngBytes();
    if (png.isEmpty())
        return sim::Refusal::OfFile(path, "PNG に変換できませんでした");
    return sim::WriteWholeFile(path, std::string_view(png.constData(), png.size()));
}

std::filesystem::path PageName(int page)
{
    return "page" + std::to_string(page) + ".png";
}

void RemoveStalePages(const std::filesystem::path& dir, int pages)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const int page = PageNumber(entry.path().filename().native());
        const auto type = entry.symlink_status(error).type();
        if (page > pages
            && (type == std::filesystem::file_type::regular
                || type == std::filesystem::file_type::symlink))
            std::filesystem::remove(entry.path(), error);
    }
}

}
