// The picture menus of a mechanism window: on each of its three pictures, saving and copying
// the picture, then "表をコピー", "レポートを保存" and "アニメーションを保存" for the run the
// window shows (disabled before the first run).
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>

class QWidget;

namespace plot {
class PictureBox;
}

namespace sim {

class SimulationFrame;

// Default file names are the mechanism's command name, "_" and the picture's name: "picture1",
// "picture2", and for the large picture what it shows now ("step37", "summary", "page2").
// "表をコピー" calls `copyTable`, "設定を保存…" `saveSetUp`.
void InstallRunPictureMenus(const SimulationFrame& frame,
                            const std::array<plot::PictureBox*, 3>& pictures,
                            std::function<void()> copyTable, std::function<void()> saveSetUp);

// The largest table text that goes to the clipboard, in bytes: about the table of a million
// steps of the widest built-in mechanism. The clipboard takes it as one text of twice as many
// bytes, built from this one, so a copy holds three times this while it is made.
inline constexpr std::size_t kMostCopiedBytes = 200'000'000;

// Puts `table` on the clipboard, or, for a table found too large for it, says so in a message
// box over `parent` and names the result file instead; nothing for a copy given up.
void ShowCopiedTable(const std::optional<QString>& table, bool tooLarge, QWidget* parent);

}
