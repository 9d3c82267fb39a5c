// One style for the message line of every window: a refusal in dark red, any other message
// in the text colour, every message a sentence ending in "。", its text exposed to assistive
// technology.
#pragma once

#include <QString>

class QLabel;
class QLineEdit;

namespace widgets {

enum class MessageKind { Information, Refusal };

// `text` with a final "。" unless it is empty or already ends a sentence.
QString AsSentence(const QString& text);

void ShowMessage(QLabel* line, const QString& text, MessageKind kind);
// A display-only box used as a message line.
void ShowMessage(QLineEdit* line, const QString& text, MessageKind kind);

}
