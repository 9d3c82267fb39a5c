// The command-line front end: runs any mechanism headless through the same frame as its window.
#include "app/command_line.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_opening.h"
#include "app/picture_files.h"
#include "files/file_refusal_text.h"
#include "files/safe_file.h"
#include "mechanism_window/run_export.h"
#include "mechanisms/catalog.h"
#include "numeric/number_text.h"
#include "plot/picture_sizes.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_geometry.h"
#include "run/centres_table.h"
#include "run/frame.h"
#include "run/refusal_text.h"
#include "run/run_pipeline.h"
#include "run/settings.h"
#include "setup_files/mechsim_file.h"
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
    // The set-up or linkage file named instead of a mechanism; it owns a linkage's mechanism.
    std::optional<setup_files::MechsimFile> file;
    sim::InputEntries values;   // key -> text as typed, or a file's branch
    sim::ProfileKind profile = sim::ProfileKind::Quintic;
    std::string divisions = sim::DivisionCountText({});
    std::string cycleTime = sim::CycleTimeText({});
    std::filesystem::path output = "result.dat";
    std::optional<std::filesystem::path> picturesDir;
    std::string pictureFormat;   // "png" or "svg"; only with --pictures
    std::optional<std::filesystem::path> report;
    std::optional<std::filesystem::path> animation;
    std::optional<std::filesystem::path> centres;   // the instant centres table
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
        << "              [--animation FILE.gif] [--centres FILE] [--lang ja|en]\n"
        << "  mechsim run FILE.mechsim [KEY=VALUE ...] [...]\n"
        << Say(widgets::Translate("CommandLine",
                                  "  mechsim FILE.mechsim        ファイルを開いてウィンドウに表示する"))
        << "\n"
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
        << "\n"
        << Say(widgets::Translate(
               "CommandLine", "--output - （/dev/stdout でも）は表を標準出力へ書き、計算を終えて"
                              "から書きます。\nそのとき行数などほかの行は標準エラーへ出ます。"))
        << "\n"
        << Say(widgets::Translate(
               "CommandLine", "オプションとキーはそれぞれ一度だけ指定します。--report の名前は "
                              ".pdf、\n--animation の名前は .gif で終わるか、拡張子なしにします。"))
        << "\n"
        << Say(widgets::Translate(
               "CommandLine",
               "--centres FILE は動く節ごとの瞬間中心を表にします: sec のあと節ごとに\n"
               "<節>.icx <節>.icy <節>.omega <節>.alpha（並進する節の中心は空欄）。"))
        << "\n"
        << Say(widgets::Translate(
               "CommandLine",
               "FILE.mechsim は TOML で書いた設定ファイルです。組み込みの機構なら\n"
               "mechanism = \"four-bar\"、profile、divisions、cycle-time と [inputs]（キーは上と同じ）。\n"
               "自作のリンク機構なら mechanism = \"linkage\"、[ground]（固定点 名前 = [x, y]）、\n"
               "[drive]（kind = \"crank\" か \"slider\"）と [[joint]]（kind = \"dyad\"、\"point\"、\n"
               "\"slider\"）を並べます。角度は度です。例題は share/mechsim/examples にあります。\n"
               "ファイルの値は KEY=VALUE とオプションで上書きできます。"))
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

// The extension a file written by `option` takes: a report is a PDF, an animation a GIF.
std::string ExtensionOf(std::string_view option)
{
    return option == "--report" ? ".pdf" : ".gif";
}

// Refuses a file name whose extension names another format than the one `option` writes (a GIF
// under "x.png" would open as a broken picture); a name without extension is taken as it is.
std::optional<sim::Refusal> ForeignExtension(std::string_view option,
                                             const std::optional<std::filesystem::path>& file)
{
    if (!file)
        return std::nullopt;
    std::string extension = file->extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string wanted = ExtensionOf(option);
    if (extension.empty() || extension == wanted)
        return std::nullopt;
    return sim::Refusal::OfUsage(
        Say(widgets::Translate("CommandLine",
                               "%1: %2: 拡張子は %3 にしてください（拡張子なしでもかまいません）")
                .arg(widgets::ToQString(option), widgets::ToQString(file->string()),
                     widgets::ToQString(wanted))));
}

sim::Refusable<Options> Parse(const std::vector<std::string_view>& args)
{
    Options o;
    if (args.empty())
        return sim::Refusal::OfUsage(
            Say(widgets::Translate("CommandLine", "機構名がありません（mechsim --help で一覧）")));
    if (setup_files::NamesMechsimFile(args[0])) {
        // The file's values are where the arguments start; what they give overrides it.
        sim::Refusable<setup_files::MechsimFile> read = setup_files::ReadMechsimFile(args[0]);
        if (!read)
            return std::move(read).error();
        o.file = std::move(read).value();
        o.mechanism = o.file->mechanism.get();
        o.values = o.file->inputs;
        o.profile = o.file->profile.value_or(o.profile);
        o.divisions = o.file->divisions.value_or(o.divisions);
        o.cycleTime = o.file->cycleTime.value_or(o.cycleTime);
    } else
        o.mechanism = mechanisms::FindMechanism(args[0]);
    if (!o.mechanism)
        return sim::Refusal::OfUsage(
            Say(widgets::Translate("CommandLine", "知らない機構です: %1（mechsim --help で一覧）")
                    .arg(widgets::ToQString(args[0]))));

    // An option or key given twice is refused: which of the two was meant cannot be told.
    std::set<std::string_view> given;
    auto twice = [&given](std::string_view name) -> std::optional<sim::Refusal> {
        if (given.insert(name).second)
            return std::nullopt;
        return sim::Refusal::OfUsage(
            Say(widgets::Translate("CommandLine", "%1: 二度指定されています")
                    .arg(widgets::ToQString(name))));
    };
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
            if (auto refused = twice(arg))
                return *std::move(refused);
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
            } else if (arg == "--centres") {
                o.centres = v;
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
        if (auto refused = twice(arg.substr(0, eq)))
            return *std::move(refused);
        o.values[key] = std::string(arg.substr(eq + 1));
    }
    const std::pair<const char*, const std::optional<std::filesystem::path>&> formats[] = {
        {"--report", o.report}, {"--animation", o.animation}};
    for (const auto& [option, file] : formats)
        if (const auto refused = ForeignExtension(option, file))
            return *refused;
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
    return {o.mechanism, o.values, context};
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
    case sim::Refusal::Kind::Memory:
        return kExitWriteFailed;
    case sim::Refusal::Kind::Step:
        return kExitUnsolvable;
    case sim::Refusal::Kind::Settings:
    case sim::Refusal::Kind::NotANumber:
    case sim::Refusal::Kind::Input:
    case sim::Refusal::Kind::Cancelled:
    case sim::Refusal::Kind::Usage:
    case sim::Refusal::Kind::SetupFile:
        break;
    }
    return kExitUsage;
}

// Targets that cannot be written, refused before anything is computed or written: the table,
// the report, the animation, the centres table and every picture file the run would write.
std::optional<std::string> UnusableTargets(const Options& o)
{
    const std::pair<const char*, std::optional<std::filesystem::path>> files[] = {
        {"--output", o.output},
        {"--report", o.report},
        {"--animation", o.animation},
        {"--centres", o.centres}};
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
    frame.plotGraphs(pictures[0], pictures[1]);
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

// The descriptor that a name of an open descriptor stands for: "-", /dev/stdout, /dev/stderr,
// /dev/fd/N and /proc/self/fd/N. Opening such a name anew would start a file that the shell
// opened (">" or ">>") over from its first byte, so the descriptor itself is written.
std::optional<int> DescriptorNamed(const std::filesystem::path& path)
{
    const std::string& name = path.native();
    if (name == "-" || name == "/dev/stdout")
        return STDOUT_FILENO;
    if (name == "/dev/stderr")
        return STDERR_FILENO;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!name.starts_with(folder))
            continue;
        const std::string_view number = std::string_view(name).substr(folder.size());
        if (number.empty() || number.size() > 6
            || !std::all_of(number.begin(), number.end(),
                            [](unsigned char c) { return std::isdigit(c); }))
            return std::nullopt;
        return std::stoi(std::string(number));
    }
    return std::nullopt;
}

// While it lives, standard output is the descriptor a table goes to, so that the safe writer
// writes it straight as it writes "-".
class StandardOutputTaken {
public:
    explicit StandardOutputTaken(std::optional<int> descriptor)
    {
        if (!descriptor || *descriptor == STDOUT_FILENO)
            return;
        std::cout.flush();
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        if (saved_ >= 0)
            ::dup2(*descriptor, STDOUT_FILENO);
    }
    StandardOutputTaken(const StandardOutputTaken&) = delete;
    StandardOutputTaken& operator=(const StandardOutputTaken&) = delete;
    ~StandardOutputTaken()
    {
        if (saved_ < 0)
            return;
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }

private:
    int saved_ = -1;
};

// Qt's own warnings (a missing runtime folder, fonts) would stand beside the command's lines;
// the command line says only what it did. Fatal messages still end the program.
void DropToolkitMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::cerr << "mechsim: " << message.toStdString() << "\n";
        std::abort();
    }
}

class ToolkitMessagesDropped {
public:
    ToolkitMessagesDropped() : previous_(qInstallMessageHandler(DropToolkitMessages)) {}
    ToolkitMessagesDropped(const ToolkitMessagesDropped&) = delete;
    ToolkitMessagesDropped& operator=(const ToolkitMessagesDropped&) = delete;
    ~ToolkitMessagesDropped() { qInstallMessageHandler(previous_); }

private:
    QtMessageHandler previous_;
};

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

    // A table for an open descriptor is written into it as into "-": never streamed, so a
    // refused step leaves nothing of it. Beside a table on standard output the other lines go
    // to standard error, so that the rows stay whole.
    std::optional<int> descriptor = DescriptorNamed(o.output);
    if (descriptor && ::fcntl(*descriptor, F_GETFD) < 0)
        descriptor.reset();   // not open: the name is tried as it is and refused with its reason
    const std::filesystem::path table = descriptor ? "-" : o.output;
    std::ostream& said = descriptor == STDOUT_FILENO ? std::cerr : std::cout;

    const bool keepsRun = o.picturesDir || o.report || o.animation || o.centres;
    std::unique_ptr<QGuiApplication> gui;
    std::optional<ToolkitMessagesDropped> quiet;
    if (keepsRun) {
        // Nothing here is shown: the offscreen platform works under any environment, where
        // another one named by the user's variable might abort.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        quiet.emplace();
        static int argc = 1;
        static char name[] = "mechsim";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            gui = std::make_unique<QGuiApplication>(argc, argv);
    }
    sim::SimulationFrame frame(*o.mechanism);
    try {
        // Without pictures, report, animation or centres nothing needs the run's steps again:
        // the rows stream into the file. With them, the run streams its rows all the same; the
        // pictures and the report then share one pass that computes the steps again in blocks,
        // the animation its frames' steps one by one.
        Pictures pictures(keepsRun, o.pictureFormat == "svg");
        std::optional<sim::Refusal> refusal;
        std::vector<std::string> findings;
        {
            const StandardOutputTaken taken(descriptor);
            if (keepsRun) {
                sim::Refusable<sim::ComputedRun> computed =
                    sim::ComputeRun(RequestOf(o, context), table, pictures[2]);
                if (computed) {
                    refusal = frame.showRun(std::move(computed).value());
                    findings = frame.run()->findings(widgets::TranslateCoreText);
                } else {
                    refusal = std::move(computed).error();
                }
            } else {
                refusal = sim::StreamRun(RequestOf(o, context), table, {}, &findings,
                                         widgets::TranslateCoreText);
            }
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
        } else {
            // A status line that cannot be printed (a closed pipe) leaves the run as good.
            said << Say(widgets::Translate("CommandLine", "%1: %2 行")
                            .arg(widgets::ToQString(o.output.string()))
                            .arg(context.divisions + 2))
                 << "\n";
            for (const std::string& finding : findings)
                said << finding << "\n";
        }

        // The pictures and the report's vector pictures come from one more pass over the steps.
        const QSize view = plot::ToQSize(plot::kViewSize);
        sim::PictureNeeds needs;
        if (o.picturesDir) {
            needs.graphs.push_back({&pictures[0], &pictures[1]});
            needs.views.push_back(&pictures[2]);
        }
        std::optional<sim::ReportCanvases> reportPictures;
        if (o.report) {
            reportPictures.emplace(view);
            needs.graphs.push_back(reportPictures->graphs());
            needs.views.push_back(reportPictures->view());
        }
        const std::string gif =
            sim::GatherExports(frame, needs, o.animation ? std::optional(view) : std::nullopt);

        // Each file is tried even when an earlier one failed; a failure names its file.
        bool saved =
            !o.picturesDir || SavePictures(frame, pictures, *o.picturesDir, "." + o.pictureFormat);
        auto written = [&](const std::optional<sim::Refusal>& refused) {
            if (refused)
                std::cerr << "mechsim: "
                          << sim::DescribeFileRefusal(*refused, widgets::TranslateCoreText) << "\n";
            saved = saved && !refused;
        };
        auto save = [&](const std::filesystem::path& path, const QByteArray& bytes) {
            written(widgets::SaveBytes(path, bytes));
        };
        if (o.report)
            save(*o.report, sim::RunReportPdf(frame, view));
        if (o.animation)
            save(*o.animation, QByteArray(gif.data(), static_cast<qsizetype>(gif.size())));
        if (o.centres && frame.hasRun())
            written(sim::WriteFileFrom(*o.centres, [&](const sim::ByteSink& sink) {
                return sim::WriteCentresTable(frame.steps(), context.divisions,
                                              context.cycleTime, sink);
            }));
        if (!saved)
            status = kExitWriteFailed;
        return status;
    } catch (const std::bad_alloc&) {
        std::cerr << "mechsim: "
                  << sim::DescribeRefusal(*o.mechanism, sim::Refusal::OfMemory(),
                                          sim::BoxNames::Keys, widgets::TranslateCoreText)
                  << "\n";
        return kExitWriteFailed;
    }
}

}

bool IsCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return false;
    const std::string_view first = argv[1];
    return first == "--help" || first == "-h" || first == "--version"
           || (!first.starts_with('-') && !setup_files::NamesMechsimFile(first));
}

namespace {

// Says on standard error why standard output could not be written.
void SayStandardOutputFailed(int error)
{
    std::cerr << "mechsim: "
              << Say(widgets::Translate("CommandLine", "標準出力に書き込めませんでした: %1")
                         .arg(widgets::TranslateCore(sim::FileErrorReason(error))))
              << "\n";
}

// Whether what was printed on standard output reached it; says why not on standard error, as a
// full disk or a closed pipe would otherwise pass for a good run.
bool StandardOutputWritten()
{
    std::cout.flush();
    errno = 0;
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good();
    const int error = errno;
    // The next command in the same process (the tests) starts with a clean stream.
    std::cout.clear();
    std::clearerr(stdout);
    if (!written)
        SayStandardOutputFailed(error != 0 ? error : EIO);
    return written;
}

// Prints `text` as the command's whole output (the help, the version) and checks that it was
// written and flushed, keeping the system's reason when it was not.
int PrintOutput(const std::string& text)
{
    std::cout.flush();
    errno = 0;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    const int error = errno;
    std::clearerr(stdout);
    if (written)
        return kExitOk;
    SayStandardOutputFailed(error != 0 ? error : EIO);
    return kExitWriteFailed;
}

int Checked(int status)
{
    return StandardOutputWritten() || status != kExitOk ? status : kExitWriteFailed;
}

}

int RunCommandLine(int argc, char** argv)
{
    // A reader that went away shows as a write error instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    // "--lang" may stand anywhere; what it chooses holds for this command only.
    widgets::Language language = widgets::CurrentLanguage();
    if (const auto refused = widgets::TakeLanguageOption(argc, argv, language)) {
        std::cerr << "mechsim: " << *refused << "\n";
        return kExitUsage;
    }
    const widgets::LanguageScope scope(language);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::ostringstream help;
        PrintHelp(help);
        return PrintOutput(help.str());
    }
    if (args[0] == "--version") {
        return PrintOutput("mechsim " + Version() + "\n");
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
        // A usage error is already in the interface language; a set-up file's names the file.
        const sim::Refusal& refusal = parsed.error();
        std::cerr << "mechsim: "
                  << (refusal.kind == sim::Refusal::Kind::Usage
                          ? refusal.reason
                          : OpeningRefusalText(refusal).toStdString())
                  << "\n";
        return kExitUsage;
    }
    const Options& options = parsed.value();
    const int status = runOptions(options);
    // The table on standard output is the command's output: it must have reached it. The
    // status line elsewhere is a courtesy, and a closed pipe there does not fail the run.
    if (DescriptorNamed(options.output) == STDOUT_FILENO)
        return Checked(status);
    std::cout.flush();
    std::cout.clear();
    std::clearerr(stdout);
    return status;
}

}
