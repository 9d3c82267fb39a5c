// The font of the whole user interface: one with Japanese glyphs, so no caption shows as boxes.
#pragma once

class QApplication;

namespace app {

inline constexpr const char* kInterfaceFontFamily = "Noto Sans CJK JP";

void SetInterfaceFont(QApplication& application);

}
