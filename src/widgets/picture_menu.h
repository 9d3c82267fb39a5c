// The right-click menu of a picture: "画像を保存" (PNG or SVG by the file name's extension) and
// "クリップボードにコピー"; a window adds its own entries after them (the table, the report,
// the animation). Installed on a picture box, it keeps a window's code to one line a picture.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "messages/refusal.h"

class QMenu;
class QWidget;

namespace plot {
class ImageCanvas;
class PictureBox;
}

namespace widgets {

struct PictureMenuEntry {
    QString caption;
    std::function<void()> action;
    std::function<bool()> enabled;   // empty: always
};

class PictureMenu : public QObject {
    Q_OBJECT
public:
    // `baseName` gives the default file name without extension, e.g. "four-bar_summary", each
    // time the menu opens.
    PictureMenu(plot::PictureBox* picture, std::function<QString()> baseName,
                std::vector<PictureMenuEntry> more = {});

    // The menu as it is shown now; owned by `parent`.
    QMenu* makeMenu(QWidget* parent) const;

private:
    plot::PictureBox* picture_;
    std::function<QString()> baseName_;
    std::vector<PictureMenuEntry> more_;
};

// Asks for a file name, starting from `defaultName`, and writes what `bytes` makes for the
// chosen path through the safe file writer; a failure is shown naming the path.
void SaveWithDialog(QWidget* parent, const QString& title, const QString& defaultName,
                    const QString& filter,
                    const std::function<QByteArray(const QString& path)>& bytes);

// Writes `bytes` to `path` through the safe file writer; empty bytes (nothing could be made)
// are refused like a failed write.
std::optional<sim::Refusal> SaveBytes(const std::filesystem::path& path, const QByteArray& bytes);

// The file of a picture: SVG when `path` ends in ".svg" (empty when the picture keeps no
// vectors), otherwise PNG.
QByteArray PictureFileBytes(const plot::ImageCanvas& picture, const QString& path);

}
