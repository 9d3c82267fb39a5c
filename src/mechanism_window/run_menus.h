// The picture menus of a mechanism window: on each of its three pictures, saving and copying
// the picture, then "表をコピー", "レポートを保存" and "アニメーションを保存" for the run the
// window shows (disabled before the first run).
#pragma once

#include <array>
#include <functional>

class QWidget;

namespace plot {
class PictureBox;
}

namespace sim {

class SimulationFrame;

// Default file names are the mechanism's command name, "_" and the picture's name: "picture1",
// "picture2", and for the large picture what it shows now ("step37", "summary", "page2").
// "設定を保存…" calls `saveSetUp`.
void InstallRunPictureMenus(const SimulationFrame& frame,
                            const std::array<plot::PictureBox*, 3>& pictures,
                            std::function<void()> saveSetUp);

// The largest run whose table goes to the clipboard.
inline constexpr int kMostCopiedDivisions = 1'000'000;

// Puts the run's result table on the clipboard; nothing before the first run. A larger run than
// kMostCopiedDivisions says so in a message box over `parent` instead.
void CopyRunTable(const SimulationFrame& frame, QWidget* parent);

}
