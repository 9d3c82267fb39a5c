// The command line: the same file as the window's RUN, exit codes, refusals that write nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/command_line.h"
#include "mechanisms/catalog.h"
#include "sim/picture_sizes.h"
#include "sim/qt/simulation_form.h"
#include "sim/settings.h"
#include "support/temp_dir.h"
#include "version.h"

namespace {

struct Invocation {
    int status = 0;
    std::string out, err;
};

Invocation Mechsim(std::vector<std::string> args)
{
    args.insert(args.begin(), "mechsim");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Invocation result;
    result.status = app::RunCommandLine(static_cast<int>(args.size()), argv.data());
    result.out = ::testing::internal::GetCapturedStdout();
    result.err = ::testing::internal::GetCapturedStderr();
    return result;
}

TEST(CommandLine, WritesByteForByteWhatTheWindowWrites)
{
    TempDir dir;
    // Every mechanism with its defaults, and the 2R arm with typed values and the cubic profile.
    const sim::Settings defaults;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        sim::SimulationForm form(*m, defaults);
        form.setResultPath(dir / "form.dat");
        form.RUN_Click();
        const Invocation cli = Mechsim({"run", m->command, "--output", (dir / "cli.dat").string()});
        ASSERT_EQ(cli.status, 0) << m->command << ": " << cli.err;
        EXPECT_EQ(ReadFileBytes(dir / "cli.dat"), ReadFileBytes(dir / "form.dat")) << m->command;
    }

    const sim::Settings typed{.divisions = 30, .cycleTime = 5};
    sim::SimulationForm form(*mechanisms::FindMechanism("2r"), typed);
    form.setResultPath(dir / "form.dat");
    form.findChild<QLineEdit*>("Text1_0")->setText("２５");
    form.findChild<QLineEdit*>("Text1_4")->setText("90");
    form.findChild<QRadioButton*>("Option1_1")->setChecked(true);
    form.RUN_Click();
    const Invocation cli =
        Mechsim({"run", "2r", "L1=25", "the1f=90", "--profile", "cubic", "--divisions", "30",
                 "--cycle-time", "5", "--output", (dir / "cli.dat").string()});
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(ReadFileBytes(dir / "cli.dat"), ReadFileBytes(dir / "form.dat"));
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
        {{"run", "2r", "--divisions", "1000001", "--output", out}, "--divisions"},
        {{"run", "2r", "--cycle-time", "0", "--output", out}, "--cycle-time"},
        {{"run", "2r", "--profile", "sine", "--output", out}, "--profile"},
        {{"run", "2r", "--output"}, "--output"},
        {{"run", "hexapod", "--output", out}, "hexapod"},
        {{"run", "slider", "phi=90", "--output", out}, "phi"},
        {{"fly"}, "fly"},
        // A misspelt last option was once reported as an option without its value.
        {{"run", "2r", "--output", out, "--cycletime"}, "知らないオプションです: --cycletime"},
        {{"run", "2r", "--profile=cubic", "L1=5", "--output", out}, "--profile=cubic"},
        // An empty name would have written into the current directory.
        {{"run", "2r", "--output", ""}, "--output"},
        {{"run", "2r", "--pictures", "", "--output", out}, "--pictures"},
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
    const Invocation r =
        Mechsim({"run", "2r", "--output", (dir / "missing" / "result.dat").string(), "--pictures",
                 (dir / "pictures").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("result.dat"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "pictures" / "summary.png"));
}

TEST(CommandLine, AnUnreachablePoseExitsThreeNamingTheStepAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    ASSERT_EQ(Mechsim({"run", "3r-line", "--output", out}).status, 0);
    const std::string before = ReadFileBytes(out);
    const Invocation r = Mechsim(
        {"run", "3r-line", "x5_f=200", "--output", out, "--pictures", (dir / "pictures").string()});
    EXPECT_EQ(r.status, 3);
    // The wrist (hand less L3 = 30 along phi) first lies beyond L1 + L2 = 80 from the base at
    // step 97 of 200 (quintic s(0.485) into x5 0..200, y5 100..0, phi 90..0 degrees): 4.85 s.
    EXPECT_NE(r.err.find("ステップ 97"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("4.85 秒"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(out), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "pictures"));
}

TEST(CommandLine, PicturesAreWhatTheWindowWouldShow)
{
    TempDir dir;
    const Invocation r = Mechsim({"run", "slider", "--output", (dir / "result.dat").string(),
                                  "--pictures", (dir / "pictures").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    // At the form's picture sizes: Picture1 and Picture2 side by side, the large Picture3.
    const std::pair<const char*, sim::PixelSize> files[] = {
        {"picture1.png", sim::kPicture1Size}, {"picture2.png", sim::kPicture2Size},
        {"summary.png", sim::kPicture3Size},  {"page1.png", sim::kPicture3Size},
        {"page2.png", sim::kPicture3Size},    {"page3.png", sim::kPicture3Size},
        {"page4.png", sim::kPicture3Size},
    };
    for (const auto& [name, size] : files)
        EXPECT_EQ(QImage(QString::fromStdString((dir / "pictures" / name).string())).size(),
                  QSize(size.width, size.height))
            << name;
    EXPECT_FALSE(std::filesystem::exists(dir / "pictures" / "page5.png"));
}

TEST(CommandLine, HelpListsEveryMechanismWithItsKeysAndVersionPrintsTheVersion)
{
    const Invocation help = Mechsim({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        EXPECT_NE(help.out.find("  " + m->command + "  "), std::string::npos) << m->command;
        for (const sim::InputBox& box : m->inputs) {
            if (!box.key.empty()) {
                EXPECT_NE(help.out.find(" " + box.key + "=" + box.defaultText), std::string::npos);
            }
        }
    }
    const Invocation version = Mechsim({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "mechsim " + std::to_string(app::kVersionMajor) + "."
                               + std::to_string(app::kVersionMinor) + "."
                               + std::to_string(app::kVersionRevision) + "\n");
}

}
