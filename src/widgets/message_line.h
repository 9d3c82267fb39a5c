// One style for the message line of every window: a refusal in dark red, any other message
// in the text colour, every message a sentence ending in "。", its text exposed to assistive
// technology.
#pragma once

#include <QString>
#include <functional>

class QLabel;
class QLineEdit;

namespace widgets {

enum class MessageKind { Information, Refusal };

// `text` with a final "。" unless it is empty or already ends a sentence.
QString AsSentence(const QString& text);

void ShowMessage(QLabel* line, const QString& text, MessageKind kind);
// A display-only box used as a message line.
void ShowMessage(QLineEdit* line, const QString& text, MessageKind kind);

// Shows what `text` says now, and says it again whenever the language changes (until the next
// message on the same line).
// A box whose value was refused: its text in the refusal's dark red, the reason its tooltip;
// an empty reason gives the box its own colours again.
void MarkRefused(QLineEdit* box, const QString& reason);

void ShowFollowingMessage(QLabel* line, std::function<QString()> text, MessageKind kind);
void ShowFollowingMessage(QLineEdit* line, std::function<QString()> text, MessageKind kind);

}
