// Set-up and linkage files at the front: a window's set-up saved and opened again, in a fresh
// program and on the command line, and every example of the gallery run and opened.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/file_opening.h"
#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "files/safe_file.h"
#include "linkage_editor/linkage_editor.h"
#include "invocation.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanisms/catalog.h"
#include "setup_files/mechsim_file.h"
#include "support/input_boxes.h"
#include "support/temp_dir.h"
#include "windows.h"

namespace {

using apptest::Invocation;
using apptest::Mechsim;

class MechsimFileTest : public ::testing::Test {
protected:
    void TearDown() override { apptest::CloseAllWindows(); }
};

// Opens `file` as a fresh program would: its own settings and forms.
sim::MechanismWindow* OpenInFreshProgram(const std::filesystem::path& file, sim::Settings& settings,
                                         app::FormOpener& opener)
{
    app::RegisterForms(opener, settings);
    const sim::Refusable<QWidget*> opened = app::OpenMechsimFile(file, opener, settings);
    EXPECT_TRUE(opened.ok()) << (opened ? "" : app::OpeningRefusalText(opened.error()).toStdString());
    return opened ? qobject_cast<sim::MechanismWindow*>(opened.value()) : nullptr;
}

TEST_F(MechsimFileTest, ASavedSetUpGivesTheSameResultInAFreshProgramAndOnTheCommandLine)
{
    TempDir dir;
    const sim::Settings typed{.divisions = 40, .cycleTime = 4};
    sim::MechanismWindow form(*mechanisms::FindMechanism("four-bar"), typed);
    form.setResultPath(dir / "form.dat");
    InputBoxOf(form, "L1")->setText("0.25");
    InputBoxOf(form, "gsi")->setText("0.1");
    form.findChild<QCheckBox*>("Check_branch")->setChecked(true);
    form.findChild<QRadioButton*>("Option1_1")->setChecked(true);
    form.startRun();
    const std::string saved = setup_files::MechsimText(form.currentSetUp());
    ASSERT_EQ(sim::WriteWholeFile(dir / "saved.mechsim", saved), std::nullopt);

    sim::Settings settings;
    app::FormOpener opener;
    sim::MechanismWindow* reopened = OpenInFreshProgram(dir / "saved.mechsim", settings, opener);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(settings.divisions, 40);
    EXPECT_EQ(settings.cycleTime, 4);
    reopened->setResultPath(dir / "reopened.dat");
    reopened->startRun();
    EXPECT_EQ(ReadFileBytes(dir / "reopened.dat"), ReadFileBytes(dir / "form.dat"));
    EXPECT_EQ(setup_files::MechsimText(reopened->currentSetUp()), saved);

    const Invocation cli =
        Mechsim({"run", (dir / "saved.mechsim").string(), "--output", (dir / "cli.dat").string()});
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(ReadFileBytes(dir / "cli.dat"), ReadFileBytes(dir / "form.dat"));
    // Arguments override the file: back to the default crank and profile.
    const Invocation overridden =
        Mechsim({"run", (dir / "saved.mechsim").string(), "L1=0.3", "--profile", "quintic",
                 "--output", (dir / "overridden.dat").string()});
    const Invocation plain = Mechsim({"run", "four-bar", "gsi=0.1", "branch=-1", "--divisions", "40",
                                      "--cycle-time", "4", "--output", (dir / "plain.dat").string()});
    ASSERT_EQ(overridden.status, 0) << overridden.err;
    EXPECT_TRUE(ReadFileBytes(dir / "overridden.dat") == ReadFileBytes(dir / "plain.dat"));
}

TEST_F(MechsimFileTest, EveryExampleRunsOnTheCommandLineAndInItsWindow)
{
    TempDir dir;
    const std::vector<app::Example> gallery = app::GalleryExamples();
    ASSERT_FALSE(gallery.empty());
    for (const app::Example& example : gallery) {
        const std::string name = example.file.filename().string();
        EXPECT_FALSE(example.teaches.isEmpty()) << name;
        const Invocation cli = Mechsim({"run", example.file.string(), "--divisions", "90",
                                        "--output", (dir / "cli.dat").string()});
        EXPECT_EQ(cli.status, 0) << name << ": " << cli.err;

        sim::Settings settings;
        app::FormOpener opener;
        sim::MechanismWindow* window = OpenInFreshProgram(example.file, settings, opener);
        ASSERT_NE(window, nullptr) << name;
        settings.divisions = 90;
        window->setResultPath(dir / "window.dat");
        window->startRun();
        EXPECT_TRUE(ReadFileBytes(dir / "window.dat") == ReadFileBytes(dir / "cli.dat")) << name;
        window->showSummary();
        // A linkage's "編集" opens its model in the editor, as a new file: the example stays.
        if (auto* edit = window->findChild<QPushButton*>("edit")) {
            edit->click();
            const linkage_editor::LinkageEditor* editor = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* found = qobject_cast<linkage_editor::LinkageEditor*>(w))
                    editor = found;
            ASSERT_NE(editor, nullptr) << name;
            setup_files::MechsimFile edited;
            edited.linkage = editor->model();
            const auto read = setup_files::ReadMechsimFile(example.file);
            setup_files::MechsimFile original;
            original.linkage = read.value().linkage;
            EXPECT_EQ(setup_files::MechsimText(edited), setup_files::MechsimText(original)) << name;
            EXPECT_TRUE(editor->path().empty()) << name;
        } else {
            EXPECT_FALSE(example.authorsTitle) << name << " is a linkage without 編集";
        }
        apptest::CloseAllWindows();
        std::filesystem::remove(dir / "window.dat");
    }
    // A file that cannot be read is refused naming it, with status 2 and nothing written.
    const Invocation missing = Mechsim({"run", (dir / "missing.mechsim").string(), "--output",
                                        (dir / "missing.dat").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("missing.mechsim"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.dat"));
}

}
