// The English interface: every text of the sources has a translation in the embedded catalogue,
// every window switched to English shows no Japanese, and the command line speaks English
// while writing the same file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <cstdlib>
#include <functional>

#include "app/command_line.h"
#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/main_menu.h"
#include "invocation.h"
#include "mechanism_window/mechanism_window.h"
#include "support/input_boxes.h"
#include "support/temp_dir.h"
#include "widgets/language.h"
#include "windows.h"

namespace {

// Kana, CJK ideographs and punctuation, and the full-width forms Japanese text uses.
bool HasJapanese(const QString& text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(japanese);
}

QSet<QString> Placeholders(const QString& text)
{
    QSet<QString> found;
    static const QRegularExpression place(QStringLiteral("%\\d"));
    for (const auto& m : place.globalMatch(text))
        found.insert(m.captured());
    return found;
}

TEST(EnglishCatalogue, EveryTextOfTheSourcesIsTranslated)
{
    // Collects the texts anew, so a text added without updating the catalogue is caught too.
    TempDir dir;
    const QString collected = QString::fromStdString((dir / "collected_en.ts").string());
    QStringList arguments = QString(MECHSIM_LUPDATE_OPTIONS).split('|');
    arguments << "-silent" << QString(MECHSIM_SOURCE_DIR) + "/src" << QString(MECHSIM_SOURCE_DIR) + "/web"
              << "-ts" << collected;
    ASSERT_EQ(QProcess::execute(MECHSIM_LUPDATE, arguments), 0);

    QTranslator english;
    ASSERT_TRUE(english.load(":/i18n/mechsim_en.qm"));
    QFile file(collected);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    QString context;
    int texts = 0;
    while (!ts.atEnd()) {
        if (ts.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (ts.name() == QLatin1String("name"))
            context = ts.readElementText();
        else if (ts.name() == QLatin1String("source")) {
            const QString source = ts.readElementText();
            const QString translated = english.translate(context.toUtf8(), source.toUtf8());
            ++texts;
            SCOPED_TRACE((context + ": " + source).toStdString());
            EXPECT_FALSE(translated.isEmpty());
            EXPECT_FALSE(HasJapanese(translated)) << translated.toStdString();
            EXPECT_EQ(Placeholders(translated), Placeholders(source));
        }
    }
    EXPECT_FALSE(ts.hasError()) << ts.errorString().toStdString();
    EXPECT_GT(texts, 100);   // the captions of the menus, windows and mechanisms at least
}

// The visible texts of `window` that contain Japanese, as "object: text". Typed values are the
// student's, not the interface's; the language menu names each language in itself.
QStringList JapaneseTexts(QWidget* window)
{
    QStringList found;
    auto check = [&found](const QObject* owner, const QString& text) {
        if (HasJapanese(text))
            found << owner->objectName() + ": " + text;
    };
    check(window, window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets << window;
    for (QWidget* w : widgets) {
        if (!w->isVisible())
            continue;
        check(w, w->toolTip());
        check(w, w->accessibleName());
        if (auto* label = qobject_cast<QLabel*>(w))
            check(w, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            check(w, button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w))
            check(w, box->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly())
            check(w, edit->text());
    }
    std::function<void(const QList<QAction*>&)> checkMenu = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action->objectName() != "japanese"
                && !action->property(app::kAuthorsWordsProperty).toBool())
                check(action, action->text());
            if (action->menu())
                checkMenu(action->menu()->actions());
        }
    };
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        checkMenu(bar->actions());
    return found;
}

TEST(EnglishInterface, EveryOpenWindowSwitchesWithTheLanguageMenu)
{
    TempDir dir;
    sim::Settings settings;
    app::FormOpener opener;
    app::RegisterForms(opener, settings);
    app::MainMenu menu(opener, settings);
    menu.show();
    // Every window open in Japanese, each after its button: results, messages, next pages.
    for (QAction* item : menu.findChildren<QAction*>())
        if (opener.isRegistered(item->objectName()))
            item->trigger();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<sim::MechanismWindow*>(w)) {
            form->setResultPath(dir / "result.dat");
            form->startRun();
            form->showNextPage();
        } else if (auto* button = w->findChild<QPushButton*>("Command1"); button && w != &menu) {
            // A box that is not a number, so the message naming it shows (and the settings
            // dialog stays open); the bisection test gets its answer instead.
            for (const char* name : {"Text1_0", "Text1"})
                if (auto* box = w->findChild<QLineEdit*>(name); box && !box->isReadOnly())
                    box->setText("x");
            button->click();
        }
    }
    auto* refused = qobject_cast<sim::MechanismWindow*>(opener.open("slider_kikou"));
    ASSERT_NE(refused, nullptr);
    InputBoxOf(*refused, "r")->setText("abc");
    refused->startRun();

    auto choose = [&menu](const char* language) {
        menu.findChild<QAction*>(language)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    };
    choose("english");
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || qobject_cast<QMenu*>(w))
            continue;
        ++windows;
        EXPECT_EQ(JapaneseTexts(w).join(" | ").toStdString(), "") << w->objectName().toStdString();
        for (QLineEdit* box : w->findChildren<QLineEdit*>()) {
            if (!box->isReadOnly()) {
                EXPECT_FALSE(box->toolTip().isEmpty()) << box->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(windows, 12);   // the main menu and the eleven forms of its items

    QLineEdit* l1 = InputBoxOf(*refused, "L");
    EXPECT_EQ(l1->toolTip(), "Length of the connecting rod, from the crank pin to the piston "
                             "(any length unit)");
    choose("japanese");
    EXPECT_EQ(menu.findChild<QAction*>("select")->text(), "機構選択");
    EXPECT_EQ(l1->toolTip(), "連接棒の長さ：クランクピンからピストンまで（単位は任意）");
    EXPECT_TRUE(HasJapanese(refused->findChild<QLabel*>("lblMessage")->text()));
    apptest::CloseAllWindows();
}

using apptest::Invocation;
using apptest::Mechsim;

TEST(EnglishCommandLine, LangAnywhereSameFileSameStatusEnglishMessages)
{
    TempDir dir;
    const std::string ja = (dir / "ja.dat").string(), en = (dir / "en.dat").string();
    EXPECT_EQ(Mechsim({"run", "four-bar", "--output", ja}).status, 0);
    const Invocation english = Mechsim({"run", "four-bar", "--output", en, "--lang", "en"});
    EXPECT_EQ(english.status, 0);
    EXPECT_EQ(ReadFileBytes(en), ReadFileBytes(ja));
    // The line count first, then what the run found about the four-bar, all in English.
    EXPECT_EQ(english.out.substr(0, english.out.find('\n') + 1), en + ": 202 lines\n");
    EXPECT_FALSE(HasJapanese(QString::fromStdString(english.out))) << english.out;

    const Invocation refusedJa = Mechsim({"run", "2r", "L1=abc"});
    const Invocation refusedEn = Mechsim({"--lang=en", "run", "2r", "L1=abc"});
    EXPECT_EQ(refusedEn.status, refusedJa.status);
    EXPECT_EQ(refusedJa.err, "mechsim: L1: 数値ではありません: \"abc\"\n");
    EXPECT_EQ(refusedEn.err, "mechsim: L1: not a number: \"abc\"\n");
    const Invocation help = Mechsim({"--help", "--lang", "en"});
    EXPECT_FALSE(HasJapanese(QString::fromStdString(help.out))) << help.out;
    EXPECT_NE(help.out.find("Serial 2R forward kinematics"), std::string::npos);
    EXPECT_EQ(Mechsim({"run", "2r", "--lang", "fr"}).status, 2);
    EXPECT_EQ(widgets::CurrentLanguage(), widgets::Language::Japanese);   // each command its own

    // main takes "--lang" out before deciding between the command line and the menu.
    std::vector<std::string> args = {"mechsim", "--lang", "en", "run", "four-bar"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(args.size());
    widgets::Language chosen = widgets::Language::Japanese;
    EXPECT_FALSE(widgets::TakeLanguageOption(argc, argv.data(), chosen).has_value());
    EXPECT_EQ(chosen, widgets::Language::English);
    ASSERT_EQ(argc, 3);
    EXPECT_EQ(std::string(argv[1]) + " " + argv[2], "run four-bar");
    EXPECT_TRUE(app::IsCommandLine(argc, argv.data()));
}

TEST(EnglishCommandLine, LocaleChoosesEnglishForEnglishOnly)
{
    const char* const saved[] = {std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                 std::getenv("LANG")};
    const std::string kept[] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : "",
                                saved[2] ? saved[2] : ""};
    struct Case {
        const char *all, *messages, *lang;
        widgets::Language expected;
    };
    const Case cases[] = {
        {"", "", "en_GB.UTF-8", widgets::Language::English},
        {"", "", "ja_JP.UTF-8", widgets::Language::Japanese},
        {"", "", "C.UTF-8", widgets::Language::Japanese},
        {"", "", "", widgets::Language::Japanese},
        {"ja_JP.UTF-8", "", "en_US.UTF-8", widgets::Language::Japanese},   // LC_ALL wins
        {"", "en_US.UTF-8", "ja_JP.UTF-8", widgets::Language::English},
    };
    for (const Case& c : cases) {
        setenv("LC_ALL", c.all, 1);
        setenv("LC_MESSAGES", c.messages, 1);
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(widgets::LocaleLanguage(), c.expected) << c.all << c.messages << c.lang;
    }
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 3; ++i)
        saved[i] ? setenv(names[i], kept[i].c_str(), 1) : unsetenv(names[i]);
}

}
