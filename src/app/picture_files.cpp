// Picture files: PNG or SVG bytes through the safe writer, stale page files removed by their names.
#include "app/picture_files.h"

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

}

std::optional<sim::Refusal> SavePicture(const plot::ImageCanvas& picture,
                                        const std::filesystem::path& path)
{
    return widgets::SaveBytes(
        path, widgets::PictureFileBytes(picture, QString::fromStdString(path.string())));
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

}
