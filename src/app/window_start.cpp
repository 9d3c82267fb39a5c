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

// Options of "mechsim run", given without the command.
constexpr std::string_view kRunOptions[] = {"--profile", "--divisions", "--cycle-time", "--output",
                                            "--pictures"};

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
        std::fputs("mechsim: ウィンドウを開けません: 使える画面がありません（DISPLAY または "
                   "WAYLAND_DISPLAY を確かめてください。画面なしでは mechsim run が使えます）\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(kExitUsage);
    }
    if (context.category && std::string_view(context.category).starts_with("qt.qpa"))
        gHeld.push_back(qFormatLogMessage(type, context, text));
    else if (gPrevious)
        gPrevious(type, context, text);
}

}

std::optional<std::string> RefuseWindowArguments(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (std::find(std::begin(kRunOptions), std::end(kRunOptions), arg) != std::end(kRunOptions))
            return std::string(arg) + " は run のオプションです（例: mechsim run 2r "
                   + std::string(arg) + " ...、mechsim --help）";
        if (!arg.starts_with('-') || arg.size() < 2)
            return "知らない引数です: " + std::string(arg) + "（mechsim --help）";
        std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool valueAttached = equals != std::string_view::npos;
        name = name.substr(0, equals);
        const QtOption* option = FindQtOption(name);
        if (!option || (valueAttached && !option->takesValue))
            return "知らないオプションです: " + std::string(arg) + "（mechsim --help）";
        if (option->takesValue && !valueAttached && ++i >= argc)
            return std::string(arg) + ": 値がありません";
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
