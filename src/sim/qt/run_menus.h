// The picture menus of a mechanism window: on each of its three pictures, saving and copying
// the picture, then "表をコピー", "レポートを保存" and "アニメーションを保存" for the run the
// window shows (disabled before the first run).
#pragma once

#include <QString>
#include <array>
#include <functional>

class QWidget;

namespace plot {
class PictureBox;
}

namespace sim {

class SimulationFrame;

// `viewName` names what the large picture shows now ("summary", "page2", "step37"); default
// file names are the mechanism's command name, "_" and the picture's name.
void InstallRunPictureMenus(const SimulationFrame& frame,
                            const std::array<plot::PictureBox*, 3>& pictures,
                            std::function<QString()> viewName);

// Puts the run's result table on the clipboard; nothing before the first run.
void CopyRunTable(const SimulationFrame& frame);

}
