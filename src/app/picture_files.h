// The picture files of --pictures DIR: a run's pictures written together through the safe file
// writer, put in place all at once or not at all, and pages of an earlier run that had more of
// them removed afterwards.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "files/safe_file.h"
#include "messages/refusal.h"
#include "plot/qt/image_canvas.h"

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

// The first picture file of a run into `dir` that cannot be written, and why: a folder that
// is not one or cannot be made, or a picture (picture1, picture2, summary, a page already
// there) that UnwritableTarget refuses. Nothing when the pictures can be tried.
std::optional<std::pair<std::filesystem::path, std::string>>
UnwritablePicture(const std::filesystem::path& dir, std::string_view extension);

// The pictures of one run into `dir`: each added picture is written into its temporary, and
// place() puts them all where they belong at once. Without place(), or when it fails, the
// earlier pictures stay whole, and folders that were made for the set are removed again.
class PictureSet {
public:
    explicit PictureSet(std::filesystem::path dir) : dir_(std::move(dir)) {}
    PictureSet(const PictureSet&) = delete;
    PictureSet& operator=(const PictureSet&) = delete;
    ~PictureSet();

    // Makes the folder and its missing parents.
    std::error_code makeFolder();
    // Encodes `picture` as `name` in the folder; a refusal names the file.
    std::optional<sim::Refusal> add(const plot::ImageCanvas& picture,
                                    const std::filesystem::path& name);
    // Puts every added picture in place, then removes pages beyond `pages`.
    std::optional<sim::Refusal> place(int pages, std::string_view extension);

private:
    std::filesystem::path dir_;
    std::vector<std::filesystem::path> made_;   // folders made here, the deepest first
    sim::SafeFileSet files_;
    bool placed_ = false;
};

}
