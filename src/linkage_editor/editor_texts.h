// What the editor's two files share: its tools with their captions, and the texts of the
// numbers its fields show and read.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <cmath>
#include <string>

#include "linkage_editor/linkage_editor.h"
#include "messages/refusal.h"
#include "numeric/angle.h"
#include "numeric/number_text.h"
#include "plot/scaling.h"

namespace linkage_editor {

// A tool's object name and its caption.
struct ToolText {
    Tool tool;
    const char* name;
    const char* caption;
};
inline const ToolText kTools[] = {
    {Tool::Select, "toolSelect", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "選択")},
    {Tool::Ground, "toolGround", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "固定点")},
    {Tool::Crank, "toolCrank", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "クランク")},
    {Tool::Dyad, "toolDyad", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "2節の関節")},
    {Tool::Slider, "toolSlider", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "スライダ")},
    {Tool::Point, "toolPoint", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "リンク上の点")},
    {Tool::Delete, "toolDelete", QT_TRANSLATE_NOOP("linkage_editor::LinkageEditor", "削除")},
};

inline QString Tr(const char* text)
{
    return QCoreApplication::translate("linkage_editor::LinkageEditor", text);
}

inline QString NumberText(double value)
{
    return QString::fromStdString(numeric::FormatNumber(value));
}

inline QString DegreesText(double radians)
{
    return NumberText(numeric::RadToDegExactly(radians));
}

inline double Distance(plot::WorldPoint a, plot::WorldPoint b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// A number typed into a field, or its refusal naming the key.
inline sim::Refusable<double> ReadField(const std::string& key, const std::string& text)
{
    const std::optional<double> value = numeric::ReadNumber(text);
    if (!value)
        return sim::Refusal::NotANumber(key, text);
    return *value;
}

}
