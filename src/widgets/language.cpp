// The interface language in force and the English catalogue behind it.
#include "widgets/language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTranslator>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "messages/translatable.h"

namespace widgets {

namespace {

Language current = Language::Japanese;

// Loaded on first use; the resource is compiled into the program.
QTranslator& EnglishCatalogue()
{
    static QTranslator* catalogue = [] {
        auto* t = new QTranslator;
        [[maybe_unused]] const bool loaded = t->load(QStringLiteral(":/i18n/mechsim_en.qm"));
        Q_ASSERT(loaded);
        return t;
    }();
    return *catalogue;
}

// The texts of one widget that follow the language, applied again at each LanguageChange.
class LanguageFollower : public QObject {
public:
    explicit LanguageFollower(QWidget* owner) : QObject(owner) { owner->installEventFilter(this); }
    void add(std::function<void()> apply) { applies_.push_back(std::move(apply)); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            for (const auto& apply : applies_)
                apply();
        return false;
    }

private:
    std::vector<std::function<void()>> applies_;
};

std::optional<Language> LanguageNamed(std::string_view name)
{
    if (name == "ja")
        return Language::Japanese;
    if (name == "en")
        return Language::English;
    return std::nullopt;
}

}

Language LocaleLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return std::string_view(value).starts_with("en") ? Language::English
                                                             : Language::Japanese;
    }
    return Language::Japanese;
}

std::optional<std::string> TakeLanguageOption(int& argc, char** argv, Language& language)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::optional<std::string_view> value;
        if (arg == "--lang") {
            if (i + 1 >= argc)
                return Translate("Language", "--lang: 値がありません（ja または en）")
                    .toStdString();
            value = argv[++i];
        } else if (arg.starts_with("--lang=")) {
            value = arg.substr(std::strlen("--lang="));
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        const std::optional<Language> named = LanguageNamed(*value);
        if (!named)
            return Translate("Language", "--lang: ja または en です: %1")
                .arg(QString::fromUtf8(value->data(), static_cast<qsizetype>(value->size())))
                .toStdString();
        language = *named;
    }
    argc = kept;
    argv[argc] = nullptr;
    return std::nullopt;
}

Language CurrentLanguage()
{
    return current;
}

void SetLanguage(Language language)
{
    current = language;
    if (!QCoreApplication::instance())
        return;
    QTranslator& english = EnglishCatalogue();
    QCoreApplication::removeTranslator(&english);
    if (language == Language::English)
        QCoreApplication::installTranslator(&english);
}

void FollowLanguage(QWidget* owner, std::function<void()> apply)
{
    apply();
    HelperOf<LanguageFollower>(owner)->add(std::move(apply));
}

LanguageScope::LanguageScope(Language language) : previous_(current)
{
    SetLanguage(language);
}

LanguageScope::~LanguageScope()
{
    SetLanguage(previous_);
}

QString Translate(const char* context, const char* source)
{
    return TranslateInto(current, context, source);
}

QString TranslateInto(Language language, const char* context, const char* source)
{
    if (language == Language::English) {
        const QString translated = EnglishCatalogue().translate(context, source);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(source);
}

QString TranslateCore(const std::string& source)
{
    return TranslateCoreInto(current, source);
}

QString TranslateCoreInto(Language language, const std::string& source)
{
    if (language == Language::Japanese)
        return TranslateInto(language, sim::kCoreTextContext, source.c_str());
    return QString::fromStdString(sim::TranslateMarked(source, [language](const std::string& text) {
        return TranslateInto(language, sim::kCoreTextContext, text.c_str()).toStdString();
    }));
}

std::array<QString, 2> TranslateCoreInBoth(const std::string& source)
{
    return {TranslateCoreInto(Language::Japanese, source),
            TranslateCoreInto(Language::English, source)};
}

std::string TranslateCoreText(const std::string& source)
{
    return TranslateCore(source).toStdString();
}

}
