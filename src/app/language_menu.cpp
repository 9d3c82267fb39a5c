// The language menu: two exclusive items that switch the interface language at once.
#include "app/language_menu.h"

#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "widgets/language.h"

namespace app {

namespace {

class LanguageMenu : public QMenu {
public:
    explicit LanguageMenu(QWidget* parent) : QMenu(parent)
    {
        setObjectName("language");
        menuAction()->setObjectName("language");
        auto* group = new QActionGroup(this);
        addItem(group, "japanese", QStringLiteral("日本語"), widgets::Language::Japanese);
        addItem(group, "english", QStringLiteral("English"), widgets::Language::English);
        retranslate();
    }

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            retranslate();
        QMenu::changeEvent(event);
    }

private:
    void addItem(QActionGroup* group, const char* name, const QString& ownName,
                 widgets::Language language)
    {
        QAction* item = addAction(ownName);
        item->setObjectName(name);
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [language] { widgets::SetLanguage(language); });
        items_.push_back({item, language});
    }

    void retranslate()
    {
        setTitle(widgets::Translate("app::LanguageMenu", "言語"));
        for (const auto& [item, language] : items_)
            item->setChecked(language == widgets::CurrentLanguage());
    }

    std::vector<std::pair<QAction*, widgets::Language>> items_;
};

}

void AddLanguageMenu(QMenuBar* bar)
{
    bar->addMenu(new LanguageMenu(bar));
}

}
