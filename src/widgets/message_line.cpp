// The message line's text, colour and accessible name in one place for every window.
#include "widgets/message_line.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "widgets/language.h"

namespace widgets {

namespace {

const QColor kRefusalColour(0xb0, 0x00, 0x00);

// The role of the line stays its description; its name is what it says.
void Expose(QWidget* line, const QString& text)
{
    const QString name = QCoreApplication::translate("widgets::MessageLine", "メッセージ");
    line->setAccessibleDescription(name);
    line->setAccessibleName(text.isEmpty() ? name : text);
}

// The message a line shows again at each change of language.
class MessageFollower : public QObject {
public:
    explicit MessageFollower(QWidget* line) : QObject(line) { line->installEventFilter(this); }
    std::function<void()> show;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange && show)
            show();
        return false;
    }
};

template <typename Line>
void ShowFollowing(Line* line, std::function<QString()> text, MessageKind kind)
{
    MessageFollower* follower = HelperOf<MessageFollower>(line);
    follower->show = [line, text = std::move(text), kind] { ShowMessage(line, text(), kind); };
    follower->show();
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
    // The full stop of the interface language: "。", or "." in English.
    const QString stop = QCoreApplication::translate("widgets::MessageLine", "。");
    if (trimmed.isEmpty() || trimmed.endsWith(QStringLiteral("。")) || trimmed.endsWith(stop))
        return trimmed;
    return trimmed + stop;
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

void MarkRefused(QLineEdit* box, const QString& reason)
{
    Colour(box, QPalette::Text, reason.isEmpty() ? MessageKind::Information : MessageKind::Refusal);
    box->setToolTip(reason);
}

void ShowFollowingMessage(QLabel* line, std::function<QString()> text, MessageKind kind)
{
    ShowFollowing(line, std::move(text), kind);
}

void ShowFollowingMessage(QLineEdit* line, std::function<QString()> text, MessageKind kind)
{
    ShowFollowing(line, std::move(text), kind);
}

}
