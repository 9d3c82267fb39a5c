// The command-line front end: runs any mechanism headless through the same frame as its window.
#include "app/command_line.h"

#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/picture_files.h"
#include "files/file_refusal_text.h"
#include "files/safe_file.h"
#include "mechanism_window/run_export.h"
#include "mechanisms/catalog.h"
#include "numeric/number_text.h"
#include "plot/picture_sizes.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_geometry.h"
#include "run/frame.h"
#include "run/refusal_text.h"
#include "run/run_pipeline.h"
#include "run/settings.h"
#include "version.h"
#include "widgets/language.h"
#include "widgets/picture_menu.h"
#include "widgets/qt_string.h"

namespace app {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitUnsolvable = 3;

struct Options {
    const sim::Mechanism* mechanism = nullptr;
    std::map<std::string, std::string> values;   // key -> text as typed
    sim::ProfileKind profile = sim::ProfileKind::Quintic;
    std::string divisions = sim::DivisionCountText({});
    std::string cycleTime = sim::CycleTimeText({});
    std::filesystem::path output = "result.dat";
    std::optional<std::filesystem::path> picturesDir;
    std::string pictureFormat;   // "png" or "svg"; only with --pictures
    std::optional<std::filesystem::path> report;
    std::optional<std::filesystem::path> animation;
};

std::string Version()
{
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "."
           + std::to_string(kVersionRevision);
}

// A text already in the interface language, as the terminal's UTF-8.
std::string Say(const QString& translated)
{
    return translated.toStdString();
}

// A box's default as the number it reads as, in ASCII digits ("２０" is 20), so it can be typed.
std::string DefaultValue(const sim::InputBox& box)
{
    const std::optional<double> value = numeric::ReadNumber(box.defaultText);
    return value ? numeric::FormatNumber(*value) : box.defaultText;
}

void PrintHelp(std::ostream& out)
{
    out << "mechsim " << Version() << " — "
        << Say(widgets::Translate("app::MainMenu", kApplicationTitle)) << "\n\n"
        << Say(widgets::Translate("CommandLine", "使い方:")) << "\n"
        << Say(widgets::Translate("CommandLine",
                                  "  mechsim                     メインメニューを開く"))
        << "\n"
        << "  mechsim run MECHANISM [KEY=VALUE ...] [--profile quintic|cubic|linear]\n"
        << "              [--divisions N] [--cycle-time T] [--output FILE]\n"
        << "              [--pictures DIR [--format png|svg]] [--report FILE.pdf]\n"
        << "              [--animation FILE.gif] [--lang ja|en]\n"
        << "  mechsim --help | --version\n\n"
        << Say(widgets::Translate("CommandLine", "既定: %1")
                   .arg(QString::fromStdString(
                       "--profile quintic, --divisions " + sim::DivisionCountText({})
                       + ", --cycle-time " + sim::CycleTimeText({}) + ", --output ./result.dat")))
        << "\n"
        << Say(widgets::Translate("CommandLine",
                                  "角度は度で与えます。終了コード: 0 成功, 1 ファイルを書けない, "
                                  "2 使い方・入力の誤り,\n3 機構が組めない・特異姿勢（2 と 3 では"
                                  "ファイルを書きません）"))
        << "\n"
        << Say(widgets::Translate("CommandLine",
                                  "--lang ja|en で表示の言語を選びます（既定はロケールから）。"))
        << "\n\n"
        << Say(widgets::Translate("CommandLine", "機構とキー（既定値）:")) << "\n";
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        out << "  " << m->command << "  (" << widgets::TranslateCoreText(m->title) << ")\n   ";
        for (const sim::InputBox& box : m->inputs)
            if (!box.key.empty())
                out << " " << box.key << "=" << DefaultValue(box) << (box.isAngle ? "°" : "");
        out << "\n";
    }
}

sim::Refusable<Options> Parse(const std::vector<std::string_view>& args)
{
    Options o;
    if (args.empty())
        return sim::Refusal::OfUsage(
            Say(widgets::Translate("CommandLine", "機構名がありません（mechsim --help で一覧）")));
    o.mechanism = mechanisms::FindMechanism(args[0]);
    if (!o.mechanism)
        return sim::Refusal::OfUsage(
            Say(widgets::Translate("CommandLine", "知らない機構です: %1（mechsim --help で一覧）")
                    .arg(widgets::ToQString(args[0]))));

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.starts_with("--")) {
            // The option is named before its value is taken, so a misspelt option is reported
            // as such and never swallows the argument after it.
            if (std::find(std::begin(kRunOptions), std::end(kRunOptions), arg)
                == std::end(kRunOptions))
                return sim::Refusal::OfUsage(
                    Say(widgets::Translate("CommandLine", "知らないオプションです: %1")
                            .arg(widgets::ToQString(arg))));
            // An empty file or folder name would silently mean the current directory.
            if (i + 1 >= args.size() || args[i + 1].empty())
                return sim::Refusal::OfUsage(
                    Say(widgets::Translate("CommandLine", "%1: 値がありません")
                            .arg(widgets::ToQString(arg))));
            const std::string v(args[++i]);
            if (arg == "--profile") {
                if (v == "quintic")
                    o.profile = sim::ProfileKind::Quintic;
                else if (v == "cubic")
                    o.profile = sim::ProfileKind::Cubic;
                else if (v == "linear")
                    o.profile = sim::ProfileKind::Linear;
                else
                    return sim::Refusal::OfUsage(Say(
                        widgets::Translate("CommandLine",
                                           "--profile: quintic, cubic, linear のいずれかです: %1")
                            .arg(widgets::ToQString(v))));
            } else if (arg == "--divisions") {
                o.divisions = v;
            } else if (arg == "--cycle-time") {
                o.cycleTime = v;
            } else if (arg == "--output") {
                o.output = v;
            } else if (arg == "--format") {
                if (v != "png" && v != "svg")
                    return sim::Refusal::OfUsage(Say(
                        widgets::Translate("CommandLine", "--format: png, svg のいずれかです: %1")
                            .arg(widgets::ToQString(v))));
                o.pictureFormat = v;
            } else if (arg == "--report") {
                o.report = v;
            } else if (arg == "--animation") {
                o.animation = v;
            } else {
                o.picturesDir = std::filesystem::path(v);
            }
            continue;
        }
        const std::size_t eq = arg.find('=');
        if (eq == std::string_view::npos)
            return sim::Refusal::OfUsage(
                Say(widgets::Translate("CommandLine", "KEY=VALUE の形ではありません: %1")
                        .arg(widgets::ToQString(arg))));
        const std::string key(arg.substr(0, eq));
        bool known = false;
        for (const sim::InputBox& box : o.mechanism->inputs)
            known = known || (!box.key.empty() && box.key == key);
        if (!known)
            return sim::Refusal::OfUsage(
                Say(widgets::Translate("CommandLine", "%1: %2 にないキーです")
                        .arg(widgets::ToQString(key), widgets::ToQString(o.mechanism->command))));
        o.values[key] = std::string(arg.substr(eq + 1));
    }
    if (!o.pictureFormat.empty() && !o.picturesDir)
        return sim::Refusal::OfUsage(
            Say(widgets::Translate("CommandLine", "--format は --pictures と一緒に使います")));
    if (o.pictureFormat.empty())
        o.pictureFormat = "png";
    return o;
}

// What the run is asked to compute: the keys given as KEY=VALUE; the others keep their defaults.
sim::RunRequest RequestOf(const Options& o, const sim::RunContext& context)
{
    sim::RunRequest request{o.mechanism, {}, context};
    for (const auto& [key, text] : o.values)
        request.inputs.emplace(key, text);
    return request;
}

// The two graphs and the large picture as image files when they are `drawn`, kept as vectors too
// for SVG files when `vectors`.
class Pictures {
public:
    Pictures(bool drawn, bool vectors)
    {
        for (plot::PixelSize size : {plot::kGraph1Size, plot::kGraph2Size, plot::kViewSize}) {
            if (!drawn)
                continue;
            images_.push_back(std::make_unique<plot::ImageCanvas>(plot::ToQSize(size)));
            if (vectors)
                images_.back()->keepVectors();
        }
    }
    plot::ImageCanvas& operator[](std::size_t i) { return *images_[i]; }
    const plot::ImageCanvas& image(std::size_t i) const { return *images_[i]; }

private:
    std::vector<std::unique_ptr<plot::ImageCanvas>> images_;
};

int ExitStatus(sim::Refusal::Kind kind)
{
    switch (kind) {
    case sim::Refusal::Kind::File:
        return kExitWriteFailed;
    case sim::Refusal::Kind::Step:
        return kExitUnsolvable;
    case sim::Refusal::Kind::Settings:
    case sim::Refusal::Kind::NotANumber:
    case sim::Refusal::Kind::Input:
    case sim::Refusal::Kind::Cancelled:
    case sim::Refusal::Kind::Usage:
        break;
    }
    return kExitUsage;
}

// Targets that cannot be written, refused before anything is computed or written: the table,
// the report, the animation and every picture file the run would write.
std::optional<std::string> UnusableTargets(const Options& o)
{
    const std::pair<const char*, std::optional<std::filesystem::path>> files[] = {
        {"--output", o.output}, {"--report", o.report}, {"--animation", o.animation}};
    for (const auto& [option, file] : files)
        if (const auto reason = file ? sim::UnwritableTarget(*file) : std::nullopt)
            return option + (": " + sim::FullPath(*file).string()) + ": "
                   + widgets::TranslateCoreText(*reason);
    std::error_code error;
    const auto status = std::filesystem::status(o.picturesDir.value_or("."), error);
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status))
        return "--pictures: "
               + Say(widgets::Translate("CommandLine", "%1: フォルダーではありません")
                         .arg(widgets::ToQString(sim::FullPath(*o.picturesDir).string())));
    if (const auto picture =
            o.picturesDir ? UnwritablePicture(*o.picturesDir, "." + o.pictureFormat) : std::nullopt)
        return "--pictures: " + sim::FullPath(picture->first).string() + ": "
               + widgets::TranslateCoreText(picture->second);
    return std::nullopt;
}

// Writes the pictures into `dir` (made if missing) all together and removes stale pages; false,
// with a message naming the file, when one cannot be written: then the earlier pictures stay
// as they were and a folder made for them is removed.
bool SavePictures(sim::SimulationFrame& frame, Pictures& pictures, const std::filesystem::path& dir,
                  const std::string& extension)
{
    PictureSet set(dir);
    if (const std::error_code error = set.makeFolder()) {
        std::cerr << "mechsim: "
                  << Say(widgets::Translate("CommandLine", "%1 を作れませんでした: %2")
                             .arg(widgets::ToQString(sim::FullPath(dir).string()),
                                  widgets::TranslateCore(sim::FileErrorReason(error.value()))))
                  << "\n";
        return false;
    }
    auto refused = [&](const std::optional<sim::Refusal>& refusal) {
        if (refusal)
            std::cerr << "mechsim: "
                      << sim::DescribeRefusal(frame.mechanism(), *refusal, sim::BoxNames::Keys,
                                              widgets::TranslateCoreText)
                      << "\n";
        return refusal.has_value();
    };
    auto save = [&](std::size_t picture, const std::filesystem::path& name) {
        return !refused(set.add(pictures.image(picture), name));
    };
    if (!save(0, "picture1" + extension) || !save(1, "picture2" + extension))
        return false;
    frame.stop(pictures[2]);
    if (!save(2, "summary" + extension))
        return false;
    int pages = 0;
    while (frame.next(pictures[2]))
        if (!save(2, PageName(++pages, extension)))
            return false;
    return !refused(set.place(pages, extension));
}

int runOptions(const Options& o)
{
    // The settings are checked one by one so that the message names the option at fault.
    sim::RunContext context;
    context.profile = o.profile;
    const sim::Refusable<double> cycleTime = sim::ParseCycleTime(o.cycleTime);
    if (!cycleTime) {
        std::cerr << "mechsim: --cycle-time: "
                  << widgets::TranslateCoreText(cycleTime.error().reason) << "\n";
        return kExitUsage;
    }
    const sim::Refusable<int> divisions = sim::ParseDivisionCount(o.divisions);
    if (!divisions) {
        std::cerr << "mechsim: --divisions: "
                  << widgets::TranslateCoreText(divisions.error().reason) << "\n";
        return kExitUsage;
    }
    context.cycleTime = cycleTime.value();
    context.divisions = divisions.value();
    if (const auto refused = UnusableTargets(o)) {
        std::cerr << "mechsim: " << *refused << "\n";
        return kExitUsage;
    }

    std::unique_ptr<QGuiApplication> gui;
    if (o.picturesDir || o.report || o.animation) {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "mechsim";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            gui = std::make_unique<QGuiApplication>(argc, argv);
    }
    // Without pictures, report or animation nothing needs the whole series: the rows stream
    // into the file.
    const bool keepsRun = o.picturesDir || o.report || o.animation;
    Pictures pictures(keepsRun, o.pictureFormat == "svg");
    sim::SimulationFrame frame(*o.mechanism);
    std::optional<sim::Refusal> refusal;
    std::vector<std::string> findings;
    if (keepsRun) {
        refusal = sim::RunCycle(frame, RequestOf(o, context), o.output, pictures[0], pictures[1],
                                pictures[2]);
        if (frame.hasRun())
            findings = frame.run()->findings(widgets::TranslateCoreText);
    } else {
        refusal = sim::StreamRun(RequestOf(o, context), o.output, {}, &findings,
                                 widgets::TranslateCoreText);
    }
    int status = kExitOk;
    if (refusal) {
        std::cerr << "mechsim: "
                  << sim::DescribeRefusal(*o.mechanism, *refusal, sim::BoxNames::Keys,
                                          widgets::TranslateCoreText)
                  << "\n";
        status = ExitStatus(refusal->kind);
        if (refusal->kind != sim::Refusal::Kind::File)
            return status;   // nothing computed: no pictures either
    } else if (o.output != "-") {
        std::cout << Say(widgets::Translate("CommandLine", "%1: %2 行")
                             .arg(widgets::ToQString(o.output.string()))
                             .arg(context.divisions + 2))
                  << "\n";
        for (const std::string& finding : findings)
            std::cout << finding << "\n";
    }

    // Each file is tried even when an earlier one failed; a failure names its file.
    bool saved =
        !o.picturesDir || SavePictures(frame, pictures, *o.picturesDir, "." + o.pictureFormat);
    auto save = [&](const std::filesystem::path& path, const QByteArray& bytes) {
        const std::optional<sim::Refusal> refused = widgets::SaveBytes(path, bytes);
        if (refused)
            std::cerr << "mechsim: "
                      << sim::DescribeFileRefusal(*refused, widgets::TranslateCoreText) << "\n";
        saved = saved && !refused;
    };
    const QSize view = plot::ToQSize(plot::kViewSize);
    if (o.report)
        save(*o.report, sim::RunReportPdf(frame, view));
    if (o.animation) {
        const std::string gif = sim::RunAnimationGif(frame, view);
        save(*o.animation, QByteArray(gif.data(), static_cast<qsizetype>(gif.size())));
    }
    if (!saved)
        status = kExitWriteFailed;
    return status;
}

}

bool IsCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return false;
    const std::string_view first = argv[1];
    return first == "--help" || first == "-h" || first == "--version" || !first.starts_with('-');
}

int RunCommandLine(int argc, char** argv)
{
    // "--lang" may stand anywhere; what it chooses holds for this command only.
    widgets::Language language = widgets::CurrentLanguage();
    if (const auto refused = widgets::TakeLanguageOption(argc, argv, language)) {
        std::cerr << "mechsim: " << *refused << "\n";
        return kExitUsage;
    }
    const widgets::LanguageScope scope(language);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintHelp(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "mechsim " << Version() << "\n";
        return kExitOk;
    }
    if (args[0] != "run") {
        std::cerr << "mechsim: "
                  << Say(widgets::Translate("CommandLine",
                                            "知らないコマンドです: %1（mechsim --help）")
                             .arg(widgets::ToQString(args[0])))
                  << "\n";
        return kExitUsage;
    }
    const sim::Refusable<Options> parsed = Parse({args.begin() + 1, args.end()});
    if (!parsed) {
        std::cerr << "mechsim: " << parsed.error().reason << "\n";
        return kExitUsage;
    }
    return runOptions(parsed.value());
}

}
