// The command line: the same file as the window's RUN, exit codes, refusals that write nothing.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/command_line.h"
#include "mechanisms/catalog.h"
#include "sim/qt/simulation_form.h"
#include "sim/settings.h"
#include "support/temp_dir.h"

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
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        sim::Settings() = {};
        sim::SimulationForm form(*m);
        form.setResultPath(dir / "form.dat");
        form.RUN_Click();
        const Invocation cli = Mechsim({"run", m->command, "--output", (dir / "cli.dat").string()});
        ASSERT_EQ(cli.status, 0) << m->command << ": " << cli.err;
        EXPECT_EQ(ReadFileBytes(dir / "cli.dat"), ReadFileBytes(dir / "form.dat")) << m->command;
    }

    sim::Settings() = {5, 30};
    sim::SimulationForm form(*mechanisms::FindMechanism("2r"));
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
    sim::Settings() = {};
}

TEST(CommandLine, UsageAndInputErrorsExitTwoNameTheKeyAndWriteNothing)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const Case cases[] = {
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
    };
    for (const Case& c : cases) {
        const Invocation r = Mechsim(c.args);
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.named;
    }
}

TEST(CommandLine, AnUnreachablePoseExitsThreeNamingTheStepAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string out = (dir / "result.dat").string();
    ASSERT_EQ(Mechsim({"run", "3r-line", "--output", out}).status, 0);
    const std::string before = ReadFileBytes(out);
    const Invocation r = Mechsim({"run", "3r-line", "x5_f=200", "--output", out});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("ステップ"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("秒"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(out), before);
}

TEST(CommandLine, PicturesAreWhatTheWindowWouldShow)
{
    TempDir dir;
    const Invocation r = Mechsim({"run", "slider", "--output", (dir / "result.dat").string(),
                                  "--pictures", (dir / "pictures").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"picture1.png", "picture2.png", "summary.png", "page1.png",
                             "page2.png", "page3.png", "page4.png"})
        EXPECT_TRUE(std::filesystem::exists(dir / "pictures" / name)) << name;
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
    EXPECT_EQ(version.out.rfind("mechsim ", 0), 0u);
}

}
