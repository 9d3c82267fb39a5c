// The command line: the same file as the window's RUN, exit codes, refusals that write nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <map>
#include <set>

#include "app/command_line.h"
#include "files/safe_file.h"
#include "invocation.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanisms/catalog.h"
#include "mechanisms/mechanism_test_support.h"
#include "numeric/number_text.h"
#include "plot/palette.h"
#include "plot/picture_sizes.h"
#include "plot/qt/picture_box.h"
#include "run/centres_table.h"
#include "run/settings.h"
#include "support/input_boxes.h"
#include "support/temp_dir.h"
#include "version.h"

namespace {

using apptest::Invocation;
using apptest::Mechsim;
using apptest::StandardOutput;
using apptest::Start;
using apptest::Started;

TEST(CommandLine, WritesByteForByteWhatTheWindowWrites)
{
    TempDir dir;
    // Every mechanism with its defaults, and the 2R arm with typed values and the cubic profile.
    const sim::Settings defaults;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        sim::MechanismWindow form(*m, defaults);
        form.setResultPath(dir / "form.dat");
        form.startRun();
        const Invocation cli = Mechsim({"run", m->command, "--output", (dir / "cli.dat").string()});
        ASSERT_EQ(cli.status, 0) << m->command << ": " << cli.err;
        EXPECT_EQ(ReadFileBytes(dir / "cli.dat"), ReadFileBytes(dir / "form.dat")) << m->command;
    }

    const sim::Settings typed{.divisions = 30, .cycleTime = 5};
    sim::MechanismWindow form(*mechanisms::FindMechanism("2r"), typed);
    form.setResultPath(dir / "form.dat");
    InputBoxOf(form, "L1")->setText("２５");
    InputBoxOf(form, "the1f")->setText("90");
    form.findChild<QRadioButton*>("Option1_1")->setChecked(true);
    form.startRun();
    const Invocation cli =
        Mechsim({"run", "2r", "L1=25", "the1f=90", "--profile", "cubic", "--divisions", "30",
                 "--cycle-time", "5", "--output", (dir / "cli.dat").string()});
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(ReadFileBytes(dir / "cli.dat"), ReadFileBytes(dir / "form.dat"));
}

// The centres table of the command line is the core's table of the same run, and a table that
// cannot be written fails the run with exit status 1, the result file still written.
TEST(CommandLine, CentresTableIsTheRunsTableAndAFailedOneExitsOne)
{
    TempDir dir;
    for (const char* command : {"four-bar", "slider"}) {
        const sim::Mechanism& m = *mechanisms::FindMechanism(command);
        const auto run = RunOf(ComputeWith(m, Context(24, sim::ProfileKind::Cubic, 3)));
        ASSERT_TRUE(run);
        const Invocation cli = Mechsim({"run", command, "--divisions", "24", "--cycle-time", "3",
                                        "--profile", "cubic", "--output", (dir / "r.dat").string(),
                                        "--centres", (dir / "centres.dat").string()});
        ASSERT_EQ(cli.status, 0) << cli.err;
        EXPECT_EQ(ReadFileBytes(dir / "centres.dat"), sim::FormatCentresTable(*run, 24, 3));
    }
    const Invocation full =
        Mechsim({"run", "2r", "--output", (dir / "r.dat").string(), "--centres", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("/dev/full"), std::string::npos) << full.err;
}

TEST(CommandLine, UsageAndInputErrorsExitTwoNameTheKeyAndWriteNothing)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    const std::string pictures = (dir / "pictures").string();
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const Case cases[] = {
        {{"run", "2r", "L1=abc", "--pictures", pictures, "--output", out}, "L1"},
        {{"run", "2r", "L1=abc", "--output", out}, "L1"},
        {{"run", "2r", "L9=1", "--output", out}, "L9"},
        {{"run", "2r", "the1s", "--output", out}, "the1s"},
        {{"run", "2r", "--divisions", "2.5", "--output", out}, "--divisions"},
        {{"run", "2r", "--divisions", "10000001", "--output", out}, "--divisions"},
        {{"run", "2r", "--cycle-time", "0", "--output", out}, "--cycle-time"},
        {{"run", "2r", "--profile", "sine", "--output", out}, "--profile"},
        {{"run", "2r", "--output"}, "--output"},
        {{"run", "hexapod", "--output", out}, "hexapod"},
        {{"run", "slider", "phi=90", "--output", out}, "phi"},
        {{"run", "four-bar", "branch=0", "--output", out}, "branch"},
        {{"run", "parallel", "branch2=2", "--output", out}, "branch2"},
        {{"fly"}, "fly"},
        // A misspelt last option was once reported as an option without its value.
        {{"run", "2r", "--output", out, "--cycletime"}, "知らないオプションです: --cycletime"},
        {{"run", "2r", "--profile=cubic", "L1=5", "--output", out}, "--profile=cubic"},
        // An empty name would have written into the current directory.
        {{"run", "2r", "--output", ""}, "--output"},
        {{"run", "2r", "--pictures", "", "--output", out}, "--pictures"},
        {{"run", "2r", "--pictures", pictures, "--format", "bmp", "--output", out}, "--format"},
        {{"run", "2r", "--format", "svg", "--output", out}, "--format"},
        // Targets that can never take the table are refused before anything is computed.
        {{"run", "2r", "--output", dir.path.string()}, "--output: " + dir.path.string()},
        {{"run", "2r", "--output", out + "/"}, "--output: " + out + "/"},
        {{"run", "2r", "--pictures", "/dev/null", "--output", out}, "--pictures: /dev/null"},
        {{"run", "2r", "--report", dir.path.string(), "--output", out},
         "--report: " + dir.path.string()},
        {{"run", "2r", "--animation", dir.path.string(), "--output", out},
         "--animation: " + dir.path.string()},
    };
    for (const Case& c : cases) {
        const Invocation r = Mechsim(c.args);
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.named;
        EXPECT_FALSE(std::filesystem::exists(pictures)) << c.named;
    }
}

TEST(CommandLine, CommandsAndHelpGoToTheCommandLineQtOptionsToTheMenu)
{
    const std::pair<std::vector<std::string>, bool> rows[] = {
        {{"mechsim"}, false},
        {{"mechsim", "run", "2r"}, true},
        {{"mechsim", "--help"}, true},
        {{"mechsim", "-h"}, true},
        {{"mechsim", "--version"}, true},
        // A mistyped command is refused with exit status 2 instead of opening the window.
        {{"mechsim", "rnu", "2r"}, true},
        {{"mechsim", "-platform", "offscreen"}, false},
        // A set-up or linkage file opens its window.
        {{"mechsim", "lambda.MECHSIM"}, false},
        {{"mechsim", "run", "lambda.mechsim"}, true},
    };
    for (auto [args, commandLine] : rows) {
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        EXPECT_EQ(app::IsCommandLine(static_cast<int>(args.size()), argv.data()), commandLine)
            << args.back();
    }
}

TEST(CommandLine, AnUnwritableResultFileExitsOneAndStillDrawsThePictures)
{
    TempDir dir;
    // A device that is always full fails only when the table is written.
    const Invocation r =
        Mechsim({"run", "2r", "--output", "/dev/full", "--pictures", (dir / "pictures").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/dev/full"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "pictures" / "summary.png"));
}

TEST(CommandLine, AnUnreachablePoseExitsThreeNamingTheStepAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    ASSERT_EQ(Mechsim({"run", "3r-line", "--output", out}).status, 0);
    const std::string before = ReadFileBytes(out);
    const Invocation r = Mechsim({"run", "3r-line", "x5_f=200", "--output", out, "--pictures",
                                  (dir / "pictures").string(), "--report", (dir / "r.pdf").string(),
                                  "--animation", (dir / "a.gif").string()});
    EXPECT_EQ(r.status, 3);
    // The wrist (hand less L3 = 30 along phi) first lies beyond L1 + L2 = 80 from the base at
    // step 97 of 200 (quintic s(0.485) into x5 0..200, y5 100..0, phi 90..0 degrees): 4.85 s.
    EXPECT_NE(r.err.find("ステップ 97"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("4.85 秒"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("が L1+L2 = 80 を超えます"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(out), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "pictures"));
    EXPECT_FALSE(std::filesystem::exists(dir / "r.pdf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.gif"));
}

TEST(CommandLine, TheOtherAssemblyRunsAndTheFourBarPrintsItsFindings)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    const Invocation open = Mechsim({"run", "four-bar", "--output", out});
    const std::string openFile = ReadFileBytes(out);
    const Invocation crossed = Mechsim({"run", "four-bar", "branch=-1", "--output", out});
    EXPECT_EQ(open.status, 0);
    EXPECT_EQ(crossed.status, 0);
    EXPECT_NE(ReadFileBytes(out), openFile);
    for (const Invocation* r : {&open, &crossed}) {
        EXPECT_NE(r->out.find("グラスホフの分類: てこクランク機構\n"), std::string::npos) << r->out;
        EXPECT_NE(r->out.find("伝達角: 最小 "), std::string::npos) << r->out;
    }
    EXPECT_EQ(Mechsim({"run", "four-bar", "branch=1", "--output", out}).out, open.out);
    EXPECT_EQ(ReadFileBytes(out), openFile);
}

TEST(CommandLine, PicturesAreWhatTheWindowWouldShow)
{
    TempDir dir;
    const Invocation r = Mechsim({"run", "slider", "--output", (dir / "result.dat").string(),
                                  "--pictures", (dir / "pictures").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    // At the form's picture sizes: Picture1 and Picture2 side by side, the large Picture3.
    const std::pair<const char*, plot::PixelSize> files[] = {
        {"picture1.png", plot::kGraph1Size}, {"picture2.png", plot::kGraph2Size},
        {"summary.png", plot::kViewSize},    {"page1.png", plot::kViewSize},
        {"page2.png", plot::kViewSize},      {"page3.png", plot::kViewSize},
        {"page4.png", plot::kViewSize},
    };
    for (const auto& [name, size] : files)
        EXPECT_EQ(QImage(QString::fromStdString((dir / "pictures" / name).string())).size(),
                  QSize(size.width, size.height))
            << name;
    EXPECT_FALSE(std::filesystem::exists(dir / "pictures" / "page5.png"));
}

int PdfPages(const std::string& pdf)
{
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        pages += pdf.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

TEST(CommandLine, ReportAnimationAndSvgPicturesTakeTheRunAway)
{
    TempDir dir;
    struct Row {
        const char* mechanism;
        std::string divisions;
        int nextPages;
    } rows[] = {{"2r", "200", 2}, {"slider", "1000", 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mechanism);
        const Invocation r =
            Mechsim({"run", row.mechanism, "--divisions", row.divisions, "--output",
                     (dir / "result.dat").string(), "--pictures", (dir / "svg").string(),
                     "--format", "svg", "--report", (dir / "report.pdf").string(), "--animation",
                     (dir / "cycle.gif").string()});
        ASSERT_EQ(r.status, 0) << r.err;

        // The title page with the graphs, then the summary and the next pages two to a page.
        EXPECT_EQ(PdfPages(ReadFileBytes(dir / "report.pdf")), 1 + (1 + row.nextPages + 1) / 2);

        // One back-and-forth cycle, 2N frames but never more than 400, in the palette's colours;
        // the first frame is the window's first tick.
        QImageReader gif(QString::fromStdString((dir / "cycle.gif").string()));
        EXPECT_EQ(gif.imageCount(), std::min(2 * std::stoi(row.divisions), 400));
        const sim::Mechanism& m = *mechanisms::FindMechanism(row.mechanism);
        const sim::Settings settings{.divisions = std::stoi(row.divisions), .cycleTime = 10};
        sim::MechanismWindow form(m, settings);
        form.setResultPath(dir / "form.dat");
        form.startRun();
        form.animationTick();
        const QImage shown = form.findChild<plot::PictureBox*>("Picture3")->image();
        const QImage first = gif.read().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(first.size(), QSize(plot::kViewSize.width, plot::kViewSize.height));
        if (shown.devicePixelRatio() == 1) {
            EXPECT_EQ(first, shown.convertToFormat(QImage::Format_RGB32));
        }
        std::set<QRgb> palette{qRgb(255, 255, 255)};
        for (int i = 0; i < 16; ++i) {
            const plot::Rgb c = plot::PaletteColour(i);
            palette.insert(qRgb(c.r, c.g, c.b));
        }
        for (QImage frame = first; !frame.isNull(); frame = gif.read()) {
            frame = frame.convertToFormat(QImage::Format_RGB32);
            QRgb known = qRgb(255, 255, 255);   // a pixel like the one before needs no look-up
            for (int y = 0; y < frame.height(); ++y) {
                const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
                for (int x = 0, w = frame.width(); x < w; ++x)
                    if (row[x] != known) {
                        ASSERT_TRUE(palette.count(row[x])) << x << "," << y;
                        known = row[x];
                    }
            }
        }

        QSvgRenderer summary(QString::fromStdString((dir / "svg" / "summary.svg").string()));
        EXPECT_TRUE(summary.isValid());
        EXPECT_EQ(summary.defaultSize(), first.size());
        EXPECT_TRUE(std::filesystem::exists(dir / "svg"
                                            / ("page" + std::to_string(row.nextPages) + ".svg")));
    }
}

TEST(CommandLine, AReportOrAnimationThatCannotBeWrittenExitsOneAndLeavesNoPartialFile)
{
    TempDir dir;
    const std::vector<std::string> run = {"run",         "2r",
                                          "--output",    (dir / "result.dat").string(),
                                          "--report",    (dir / "run.pdf").string(),
                                          "--animation", (dir / "run.gif").string()};
    ASSERT_EQ(Mechsim(run).status, 0);
    const std::string report = ReadFileBytes(dir / "run.pdf"), gif = ReadFileBytes(dir / "run.gif");

    // The disk fills up part of the way through every file: each is named, each keeps its
    // earlier content, no temporary is left beside them.
    sim::SetWriterFaultsForTesting({.failAfterBytes = 100, .error = ENOSPC});
    const Invocation full = Mechsim(run);
    sim::SetWriterFaultsForTesting({});
    EXPECT_EQ(full.status, 1);
    for (const char* name : {"run.pdf", "run.gif"})
        EXPECT_NE(full.err.find((dir / name).string() + " を書き込めませんでした"),
                  std::string::npos)
            << full.err;
    EXPECT_EQ(ReadFileBytes(dir / "run.pdf"), report);
    EXPECT_EQ(ReadFileBytes(dir / "run.gif"), gif);

    const Invocation lost =
        Mechsim({"run", "2r", "--output", (dir / "result.dat").string(), "--report", "/dev/full"});
    EXPECT_EQ(lost.status, 1);
    EXPECT_NE(lost.err.find("/dev/full"), std::string::npos) << lost.err;

    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"result.dat", "run.gif", "run.pdf"}));
}

// A failing picture keeps the previous one and names its path; a run that writes every picture
// leaves exactly its own pictures, removing pages of an earlier run that had more.
TEST(CommandLine, PicturesAreWrittenSafelyAndStalePagesRemoved)
{
    TempDir dir;
    const std::filesystem::path pictures = dir / "pictures";
    const std::vector<std::string> run = {
        "run", "2r", "--output", (dir / "result.dat").string(), "--pictures", pictures.string()};
    ASSERT_EQ(Mechsim(run).status, 0);
    const std::string before = ReadFileBytes(pictures / "picture1.png");
    sim::SetWriterFaultsForTesting({.failAfterBytes = 100, .error = ENOSPC});
    const Invocation full = Mechsim(run);
    sim::SetWriterFaultsForTesting({});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find((pictures / "picture1.png").string()
                            + " を書き込めませんでした: "
                              "ディスクがいっぱいです"),
              std::string::npos)
        << full.err;
    EXPECT_EQ(ReadFileBytes(pictures / "picture1.png"), before);

    // Pages the slider crank's run does not write, beside names that are not the program's.
    std::filesystem::remove_all(pictures);
    std::filesystem::create_directories(pictures / "page6.png");
    for (const char* name : {"page5.png", "page12.png", "page05.png", "page5.png.bak", "notes.txt"})
        std::ofstream(pictures / name) << "earlier";
    std::filesystem::create_symlink("notes.txt", pictures / "page9.png");
    ASSERT_EQ(Mechsim({"run", "slider", "--output", (dir / "result.dat").string(), "--pictures",
                       pictures.string()})
                  .status,
              0);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(pictures))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"page05.png", "page1.png", "page2.png", "page3.png",
                                            "page4.png", "page5.png.bak", "page6.png", "notes.txt",
                                            "picture1.png", "picture2.png", "summary.png"}));
    EXPECT_EQ(ReadFileBytes(pictures / "notes.txt"), "earlier");
}

std::set<std::string> NamesIn(const std::filesystem::path& dir)
{
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        names.insert(entry.path().filename().string());
    return names;
}

// Some targets that cannot be written failed only after the run was computed, or after
// result.dat had been written: every one now exits 2 naming it, with nothing computed or written.
TEST(CommandLine, AnUnwritableTargetWasFoundOnlyAfterComputingOrWritingTheTable)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    const std::filesystem::path pictures = dir / "pictures";
    std::filesystem::create_directory(pictures);
    std::ofstream(dir / "frozen.pdf") << "frozen";
    std::ofstream(pictures / "picture2.png") << "frozen";
    std::ofstream(pictures / "page3.svg") << "frozen";
    for (const char* name : {"frozen.pdf", "pictures/picture2.png", "pictures/page3.svg"})
        ::chmod((dir / name).c_str(), 0444);
    std::filesystem::create_symlink("loop-b", dir / "loop-a");
    std::filesystem::create_symlink("loop-a", dir / "loop-b");
    std::ofstream(dir / "plain.txt") << "a file";
    const std::string missing = (dir / "missing" / "x").string();
    const std::string tooLong = (dir / std::string(300, 'n')).string();
    struct Case {
        std::vector<std::string> options;
        std::string named;
    };
    const Case cases[] = {
        {{"--output", missing}, "--output: " + missing},
        {{"--output", (dir / "loop-a").string()}, "--output: " + (dir / "loop-a").string()},
        {{"--output", tooLong}, "名前が長すぎます"},
        {{"--output", out, "--report", (dir / "frozen.pdf").string()},
         "読み取り専用のファイルです"},
        {{"--output", out, "--report", missing}, "--report: " + missing},
        {{"--output", out, "--centres", missing}, "--centres: " + missing},
        {{"--output", out, "--animation", (dir / "loop-b").string()}, "--animation: "},
        {{"--output", out, "--animation", tooLong}, "--animation: "},
        {{"--output", out, "--pictures", pictures.string()}, (pictures / "picture2.png").string()},
        {{"--output", out, "--pictures", pictures.string(), "--format", "svg"},
         (pictures / "page3.svg").string()},
        {{"--output", out, "--pictures", (dir / "plain.txt" / "pictures").string()},
         "--pictures: "},
        {{"--output", out, "--pictures", (dir / "missing" / std::string(300, 'p')).string()},
         "名前が長すぎます"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"run", "2r"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Invocation r = Mechsim(args);
        EXPECT_EQ(r.status, 2) << c.named << "\n" << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.named;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.named;
        EXPECT_EQ(NamesIn(pictures), (std::set<std::string>{"page3.svg", "picture2.png"}));
        EXPECT_FALSE(std::filesystem::exists(dir / "missing")) << c.named;
    }
    EXPECT_EQ(ReadFileBytes(dir / "frozen.pdf"), "frozen");
    // Pictures written into a folder that is first made, two levels deep.
    const Invocation made =
        Mechsim({"run", "2r", "--output", out, "--pictures", (dir / "new" / "pictures").string()});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "new" / "pictures" / "summary.png"));
}

// The disk filled during --pictures and left a set half new, half old: every picture is now
// written first and all are put in place together, or none; a folder made for a set that
// failed is removed.
TEST(CommandLine, AFullDiskLeftAPictureSetHalfNewHalfOld)
{
    TempDir dir;
    const std::filesystem::path pictures = dir / "pictures";
    const std::string out = (dir / "result.dat").string();
    ASSERT_EQ(Mechsim({"run", "slider", "--output", out, "--pictures", pictures.string()}).status,
              0);
    std::map<std::string, std::string> before;
    for (const std::string& name : NamesIn(pictures))
        before[name] = ReadFileBytes(pictures / name);
    // The other run's pictures, to find a size that some of them fit in and others do not.
    const std::vector<std::string> other = {"run",      "slider", "--divisions", "100",
                                            "--output", out,      "--pictures"};
    std::vector<std::string> probe = other;
    probe.push_back((dir / "probe").string());
    ASSERT_EQ(Mechsim(probe).status, 0);
    const auto first = std::filesystem::file_size(dir / "probe" / "picture1.png");
    std::uintmax_t largest = 0;
    for (const std::string& name : NamesIn(dir / "probe"))
        largest = std::max(largest, std::filesystem::file_size(dir / "probe" / name));
    ASSERT_LT(first, largest);

    struct Case {
        std::filesystem::path folder;
        std::size_t failAfter;
    };
    for (const Case& c : {Case{pictures, first + 1}, Case{pictures, 0},
                          Case{dir / "made" / "pictures", first + 1}}) {
        SCOPED_TRACE(c.folder.string() + ", " + std::to_string(c.failAfter));
        std::vector<std::string> run = other;
        run.push_back(c.folder.string());
        sim::SetWriterFaultsForTesting({.failAfterBytes = c.failAfter, .error = ENOSPC});
        const Invocation full = Mechsim(run);
        sim::SetWriterFaultsForTesting({});
        EXPECT_EQ(full.status, 1);
        EXPECT_NE(full.err.find("ディスクがいっぱいです"), std::string::npos) << full.err;
        std::map<std::string, std::string> after;
        for (const std::string& name : NamesIn(pictures))
            after[name] = ReadFileBytes(pictures / name);
        EXPECT_TRUE(after == before);
        EXPECT_FALSE(std::filesystem::exists(dir / "made"));
    }
}

TEST(CommandLine, HelpListsEveryMechanismWithItsKeysAndVersionPrintsTheVersion)
{
    const Invocation help = Mechsim({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        EXPECT_NE(help.out.find("  " + m->command + "  "), std::string::npos) << m->command;
        for (const sim::InputBox& box : m->inputs) {
            if (!box.key.empty()) {
                // The default as the number the box reads, in ASCII digits ("２０" is 20).
                const std::string value =
                    numeric::FormatNumber(*numeric::ReadNumber(box.defaultText));
                EXPECT_NE(help.out.find(" " + box.key + "=" + value), std::string::npos);
            }
        }
    }
    const Invocation version = Mechsim({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "mechsim " + std::to_string(app::kVersionMajor) + "."
                               + std::to_string(app::kVersionMinor) + "."
                               + std::to_string(app::kVersionRevision) + "\n");
}

// The table a run writes into a file of its own, to compare with what reached standard output.
std::string TableOf(const TempDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), "run");
    args.insert(args.end(), {"--output", (dir / "reference.dat").string()});
    EXPECT_EQ(Mechsim(args).status, 0);
    return ReadFileBytes(dir / "reference.dat");
}

TEST(CommandLine, DevStdoutIntoAFileWroteTheStatusLineOverTheTableOrTruncatedIt)
{
    TempDir dir;
    const std::string table = TableOf(dir, {"2r"});
    const std::string kept = "earlier lines\n";
    const std::string file = (dir / "so.txt").string();
    for (const char* name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "-"})
        for (const StandardOutput output : {StandardOutput::File, StandardOutput::AppendFile}) {
            SCOPED_TRACE(std::string(name) + (output == StandardOutput::File ? " >" : " >>"));
            std::ofstream(file, std::ios::binary) << kept;
            const Started r =
                Start({"run", "2r", "--output", name}, {.output = output, .outputFile = file});
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(ReadFileBytes(file),
                      (output == StandardOutput::AppendFile ? kept : "") + table);
            EXPECT_NE(r.err.find(": 202 行\n"), std::string::npos) << r.err;
        }
}

TEST(CommandLine, AStepRefusedIntoDevStdoutLeftAPartialTable)
{
    TempDir dir;
    const std::string file = (dir / "part.txt").string();
    for (const char* name : {"/dev/stdout", "-"}) {
        const Started r =
            Start({"run", "3r-arc", "L1=2", "--divisions", "100000", "--output", name},
                  {.output = StandardOutput::File, .outputFile = file});
        EXPECT_EQ(r.status, 3) << name;
        EXPECT_EQ(std::filesystem::file_size(file), 0u) << name;
    }
}

TEST(CommandLine, StatusLineAndFindingsWereMixedIntoTheRowsOfAPipeAndDevFd1FailedThere)
{
    TempDir dir;
    const std::string table = TableOf(dir, {"four-bar"});
    for (const char* name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "-"}) {
        const Started r = Start({"run", "four-bar", "--output", name});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(r.out, table) << name;
        EXPECT_NE(r.err.find("グラスホフの分類: てこクランク機構\n"), std::string::npos)
            << name << ": " << r.err;
    }
}

TEST(CommandLine, AClosedStandardOutputAfterAGoodRunKilledTheProgramWithSigpipe)
{
    TempDir dir;
    const Started r = Start({"run", "four-bar", "--output", (dir / "x.dat").string()},
                            {.output = StandardOutput::ClosedPipe});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir / "x.dat"), TableOf(dir, {"four-bar"}));
}

TEST(CommandLine, AFullStandardOutputExitedZero)
{
    const std::vector<std::string> rows[] = {{"--help"},
                                             {"--version"},
                                             {"run", "2r", "--output", "-"},
                                             {"run", "2r", "--output", "/dev/stdout"}};
    for (const auto& args : rows) {
        const Started r = Start(args, {.output = StandardOutput::Full});
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_NE(r.err.find("標準出力"), std::string::npos) << r.err;
    }
}

// Exports under an environment that would stop a window: no display, a platform that cannot
// start, no runtime folder. Each prints its own line and nothing from the toolkit.
TEST(CommandLine, AnUnusablePlatformAbortedTheExports)
{
    TempDir dir;
    const Started r = Start(
        {"run", "2r", "--output", (dir / "r.dat").string(), "--report", (dir / "q.pdf").string()},
        {.set = {{"QT_QPA_PLATFORM", "wayland;xcb"}}, .unset = {"DISPLAY", "WAYLAND_DISPLAY"}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(ReadFileBytes(dir / "q.pdf").starts_with("%PDF"));
}

TEST(CommandLine, ToolkitWarningsAppearedBesideTheLinesOfAnExport)
{
    TempDir dir;
    const std::vector<std::string> rows[] = {
        {"--report", (dir / "q.pdf").string()},
        {"--animation", (dir / "q.gif").string()},
        {"--pictures", (dir / "pictures").string()},
    };
    for (std::vector<std::string> args : rows) {
        args.insert(args.begin(), {"run", "2r", "--output", (dir / "r.dat").string()});
        const Started r = Start(args, {.unset = {"XDG_RUNTIME_DIR"}});
        EXPECT_EQ(r.status, 0) << args.back();
        EXPECT_EQ(r.err, "") << args.back();
        EXPECT_EQ(r.out, (dir / "r.dat").string() + ": 202 行\n");
    }
}

TEST(CommandLine, RowsForStandardOutputKeptTheWholeRunAndRanOutOfMemory)
{
    // Rows for standard output, which cannot take bytes back, kept the run whole until its
    // last step and ran out of memory here, which was refused; they now stream from a second
    // pass once every step has been posed, and the run fits.
    TempDir dir;
    const Started r = Start({"run", "parallel", "--divisions", "1000000", "--output", "-",
                             "--pictures", (dir / "pics").string()},
                            {.addressSpace = 400'000'000});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "-: 1000002 行\n");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1000002);
    EXPECT_TRUE(std::filesystem::exists(dir / "pics" / "summary.png"));
}

TEST(CommandLine, DuplicatedOptionsAndForeignExtensionsWereSilentlyTaken)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"L1=1", "L1=2"}, "L1"},
        {{"--divisions", "10", "--divisions", "20"}, "--divisions"},
        {{"--output", out, "--output", out}, "--output"},
        {{"--profile", "cubic", "--profile", "cubic"}, "--profile"},
        {{"--animation", (dir / "x.png").string()}, "--animation"},
        {{"--animation", (dir / "x.pdf").string()}, "--animation"},
        {{"--report", (dir / "x.txt").string()}, "--report"},
        {{"--report", (dir / "x.gif").string()}, "--report"},
    };
    for (auto [args, named] : refused) {
        args.insert(args.begin(), {"run", "2r"});
        if (named != "--output")
            args.insert(args.end(), {"--output", out});
        const Invocation r = Mechsim(args);
        EXPECT_EQ(r.status, 2) << named;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path),
                                std::filesystem::directory_iterator()),
                  0)
            << named;
    }
    const std::vector<std::string> taken[] = {
        {"--animation", (dir / "cycle").string()},
        {"--animation", (dir / "cycle.GIF").string()},
        {"--report", (dir / "report").string()},
        {"--report", (dir / "report.Pdf").string()},
    };
    for (std::vector<std::string> args : taken) {
        args.insert(args.begin(), {"run", "2r", "--output", out});
        EXPECT_EQ(Mechsim(args).status, 0) << args.back();
        EXPECT_TRUE(std::filesystem::exists(args.back())) << args.back();
    }
}

}
