// Line-edit widths from the font: the style's frame and margins plus the characters' advance.
#include "widgets/box_width.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

namespace widgets {

int WidthForCharacters(const QLineEdit& box, int characters)
{
    const QFontMetrics metrics = box.fontMetrics();
    int widest = 0;
    for (const QChar c : QStringLiteral("0123456789-.e"))
        widest = std::max(widest, metrics.horizontalAdvance(c));
    // A line edit's size hint is 17 'x' plus its frame, margins and cursor room.
    constexpr int kHintCharacters = 17;
    const int chrome =
        box.sizeHint().width() - kHintCharacters * metrics.horizontalAdvance(QLatin1Char('x'));
    return chrome + characters * widest;
}

}
