// The interface language: Japanese (the texts in the code) or English (the catalogue
// translations/mechsim_en.ts, compiled and embedded). Chosen by the locale, by "--lang ja|en"
// anywhere on the command line, and by the main menu's "言語" while the program runs.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace widgets {

enum class Language { Japanese, English };

// The locale's language: English when the first set of LC_ALL, LC_MESSAGES and LANG begins with
// "en", Japanese otherwise.
Language LocaleLanguage();

// Removes every "--lang VALUE" and "--lang=VALUE" from argv (argc shrinks, argv[argc] stays
// nullptr) and sets `language` to the last one given. Returns the message for a missing or
// unknown value, in the language in force.
std::optional<std::string> TakeLanguageOption(int& argc, char** argv, Language& language);

Language CurrentLanguage();

// Makes `language` the one in force. With an application running, the English catalogue is
// installed in it (or removed), so every open window receives a LanguageChange event and
// retranslates itself; call again after creating the application to install it there.
void SetLanguage(Language language);

// Holds a language while it lives and restores the previous one afterwards.
class LanguageScope {
public:
    explicit LanguageScope(Language language);
    ~LanguageScope();
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    Language previous_;
};

// The helper object of type T that `owner` holds, made on first use (helpers have no Q_OBJECT,
// so they are told apart by their C++ type).
template <typename T, typename Owner> T* HelperOf(Owner* owner)
{
    for (QObject* child : owner->children())
        if (T* helper = dynamic_cast<T*>(child))
            return helper;
    return new T(owner);
}

// Runs `apply` now and again whenever `owner` receives a change of language: how a window keeps
// a caption, tooltip, accessible name or message in the language in force.
void FollowLanguage(QWidget* owner, std::function<void()> apply);

// `source` of `context` in the language in force; needs no application. lupdate reads calls
// with literal arguments, as it reads QCoreApplication::translate.
QString Translate(const char* context, const char* source);
// The same in a given language, whichever is in force.
QString TranslateInto(Language language, const char* context, const char* source);
// A text marked in the core with MECHSIM_TR_NOOP("core", ...).
QString TranslateCore(const std::string& source);
QString TranslateCoreInto(Language language, const std::string& source);
// The text in Japanese and in English, for room that must hold whichever is shown.
std::array<QString, 2> TranslateCoreInBoth(const std::string& source);
std::string TranslateCoreText(const std::string& source);

}
