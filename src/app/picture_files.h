// The picture files of --pictures DIR: each written whole through the safe file writer, and
// pages of an earlier run that had more of them removed afterwards.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "plot/qt/image_canvas.h"
#include "messages/refusal.h"

namespace app {

// Encodes the picture in memory, as SVG when `path` ends in ".svg" and as PNG otherwise, and
// writes it to `path`; a refusal names the path.
std::optional<sim::Refusal> SavePicture(const plot::ImageCanvas& picture,
                                        const std::filesystem::path& path);

// The name of graph page `page` (1, 2, ...) with `extension` (".png" or ".svg").
std::filesystem::path PageName(int page, std::string_view extension = ".png");

// Removes "pageK<extension>" for every K > `pages` from `dir`: files and links with exactly
// that name, nothing else.
void RemoveStalePages(const std::filesystem::path& dir, int pages,
                      std::string_view extension = ".png");

}
