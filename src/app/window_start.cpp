// Window arguments against the list of Qt's standard options, and the application created with
// a message handler that turns Qt's fatal "no platform" error into a plain message.
#include "app/window_start.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "setup_files/mechsim_file.h"
#include "widgets/language.h"
#include "widgets/qt_string.h"

namespace app {

namespace {

constexpr int kExitUsage = 2;

struct QtOption {
    std::string_view name;
    bool takesValue;
};

// The options QGuiApplication, QApplication and the X11 platform take, with one dash or two.
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"name", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

const QtOption* FindQtOption(std::string_view name)
{
    for (const QtOption& option : kQtOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

// Platform messages held while the application starts: shown if it starts, dropped if it
// cannot reach a display, so that the one line explaining that stands alone.
QtMessageHandler gPrevious = nullptr;
std::vector<QString> gHeld;

void WhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        const std::string message =
            widgets::Translate("CommandLine",
                               "ウィンドウを開けません: 使える画面がありません（DISPLAY または "
                               "WAYLAND_DISPLAY を確かめてください。画面なしでは mechsim run "
                               "が使えます）")
                .toStdString();
        std::fprintf(stderr, "mechsim: %s\n", message.c_str());
        std::fflush(stderr);
        std::_Exit(kExitUsage);
    }
    if (context.category && std::string_view(context.category).starts_with("qt.qpa"))
        gHeld.push_back(qFormatLogMessage(type, context, text));
    else if (gPrevious)
        gPrevious(type, context, text);
}

}

std::optional<std::filesystem::path> WindowFileArgument(int argc, char** argv)
{
    if (argc < 2 || !setup_files::NamesMechsimFile(argv[1]))
        return std::nullopt;
    return std::filesystem::path(argv[1]);
}

std::optional<std::string> RefuseWindowArguments(int argc, char** argv)
{
    for (int i = WindowFileArgument(argc, argv) ? 2 : 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (std::find(std::begin(kRunOptions), std::end(kRunOptions), arg) != std::end(kRunOptions))
            return widgets::Translate("CommandLine",
                                      "%1 は run のオプションです（例: mechsim run 2r %1 ...、"
                                      "mechsim --help）")
                .arg(widgets::ToQString(arg))
                .toStdString();
        if (!arg.starts_with('-') || arg.size() < 2)
            return widgets::Translate("CommandLine", "知らない引数です: %1（mechsim --help）")
                .arg(widgets::ToQString(arg))
                .toStdString();
        std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool valueAttached = equals != std::string_view::npos;
        name = name.substr(0, equals);
        const QtOption* option = FindQtOption(name);
        if (!option || (valueAttached && !option->takesValue))
            return widgets::Translate("CommandLine", "知らないオプションです: %1（mechsim --help）")
                .arg(widgets::ToQString(arg))
                .toStdString();
        if (option->takesValue && !valueAttached && ++i >= argc)
            return widgets::Translate("CommandLine", "%1: 値がありません")
                .arg(widgets::ToQString(arg))
                .toStdString();
    }
    return std::nullopt;
}

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv)
{
    gPrevious = qInstallMessageHandler(WhileStarting);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(gPrevious);
    for (const QString& held : gHeld)
        std::fprintf(stderr, "%s\n", held.toLocal8Bit().constData());
    gHeld.clear();
    return application;
}

}
