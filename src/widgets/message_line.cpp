// The message line's text, colour and accessible name in one place for every window.
#include "widgets/message_line.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace widgets {

namespace {

const QString kMessageName = QStringLiteral("メッセージ");
const QColor kRefusalColour(0xb0, 0x00, 0x00);

// The role of the line stays its description; its name is what it says.
void Expose(QWidget* line, const QString& text)
{
    line->setAccessibleDescription(kMessageName);
    line->setAccessibleName(text.isEmpty() ? kMessageName : text);
}

// A refusal in dark red; other messages take the window's own colours again.
void Colour(QWidget* line, QPalette::ColorRole role, MessageKind kind)
{
    if (kind == MessageKind::Information) {
        line->setPalette(QPalette());
        return;
    }
    QPalette palette = line->palette();
    palette.setColor(role, kRefusalColour);
    line->setPalette(palette);
}

}

QString AsSentence(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.endsWith(QStringLiteral("。")))
        return trimmed;
    return trimmed + QStringLiteral("。");
}

void ShowMessage(QLabel* line, const QString& text, MessageKind kind)
{
    const QString sentence = AsSentence(text);
    Colour(line, QPalette::WindowText, kind);
    line->setText(sentence);
    Expose(line, sentence);
}

void ShowMessage(QLineEdit* line, const QString& text, MessageKind kind)
{
    const QString sentence = AsSentence(text);
    Colour(line, QPalette::Text, kind);
    line->setText(sentence);
    line->setCursorPosition(0);
    Expose(line, sentence);
}

}
