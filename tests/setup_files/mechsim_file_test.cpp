// .mechsim files: every kind of bad file refused in one line naming the file and the key or
// joint, and both kinds written by MechsimText read back to the same thing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "mechanisms/catalog.h"
#include "run/refusal_text.h"
#include "run/run_pipeline.h"
#include "setup_files/mechsim_file.h"
#include "support/temp_dir.h"

namespace {

// A crank-rocker with a coupler point and a slider hung from it.
constexpr const char* kLinkage = R"(mechanism = "linkage"
title = "テスト"
trace = ["P", "S"]
profile = "linear"
divisions = 90
[ground]
O = [0, 0]
Q = [2, 0]
[drive]
kind = "crank"
pivot = "O"
joint = "A"
length = 1
start = 30
end = 390
[[joint]]
name = "P"
kind = "point"
on = ["A", "B"]
along = 5
across = -0.3
[[joint]]
name = "B"
kind = "dyad"
from = ["A", "Q"]
lengths = [2.5, 2.5]
[[joint]]
name = "S"
kind = "slider"
from = "B"
length = 3
through = [0, -1]
angle = 90
branch = -1
)";

std::string Describe(const sim::Refusal& refusal)
{
    return sim::DescribeRefusal(*mechanisms::FindMechanism("four-bar"), refusal,
                                sim::BoxNames::Keys);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(MechsimFile, BadFilesAreRefusedInOneLineNamingTheFileAndTheKeyOrJoint)
{
    struct Row {
        const char* what;
        std::string text;
        std::vector<std::string> said;
    };
    const std::string cyclic = Replaced(kLinkage, R"(from = ["A", "Q"])", R"(from = ["A", "S"])");
    const Row rows[] = {
        {"syntax", "mechanism = \"four-bar\"\nprofile = = 3\n", {"2 行 11 列", "TOML"}},
        {"unknown key",
         Replaced(kLinkage, "length = 1", "lenght = 1"),
         {"drive.lenght", "知らない"}},
        {"unknown joint key", Replaced(kLinkage, "along = 5", "alongg = 5"), {"P.alongg"}},
        {"unknown input", "mechanism = \"four-bar\"\n[inputs]\nL9 = 1\n", {"inputs.L9"}},
        {"unknown mechanism", "mechanism = \"five-bar\"\n", {"mechanism", "five-bar", "four-bar"}},
        {"unknown name",
         Replaced(kLinkage, R"(on = ["A", "B"])", R"(on = ["A", "X"])"),
         {"P.on", "\"X\""}},
        {"cycle", cyclic, {"B → S → B", "参照し合い"}},
        {"duplicate name", Replaced(kLinkage, "name = \"S\"", "name = \"Q\""), {"Q", "二度"}},
        {"non-positive length", Replaced(kLinkage, "[2.5, 2.5]", "[2.5, -2]"), {"B.lengths", "-2"}},
        {"non-finite number",
         Replaced(kLinkage, "length = 3", "length = inf"),
         {"S.length", "有限"}},
        {"wrong type", Replaced(kLinkage, "Q = [2, 0]", "Q = [2, \"0\"]"), {"ground.Q", "数"}},
        {"bad branch", "mechanism = \"slider\"\n[inputs]\nbranch = 2\n", {"inputs.branch", "-1"}},
        {"missing drive",
         std::string(kLinkage).substr(0, std::string(kLinkage).find("[drive]")),
         {"drive", "ありません"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto read = setup_files::ParseMechsimText(row.text, "bad.mechsim");
        ASSERT_FALSE(read.ok());
        const std::string said = Describe(read.error());
        EXPECT_EQ(read.error().kind, sim::Refusal::Kind::SetupFile);
        EXPECT_TRUE(said.starts_with("bad.mechsim: ")) << said;
        EXPECT_EQ(said.find('\n'), std::string::npos) << said;
        for (const std::string& part : row.said)
            EXPECT_NE(said.find(part), std::string::npos) << said << " lacks " << part;
    }

    // Files that cannot be read are refused without waiting on them.
    TempDir dir;
    const auto fifo = dir / "fifo.mechsim", big = dir / "big.mechsim";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(big) << std::string(setup_files::kMaxMechsimBytes + 1, '#');
    for (const auto& [path, said] :
         {std::pair{dir / "missing.mechsim", "ありません"}, std::pair{dir.path, "フォルダー"},
          std::pair{fifo, "普通のファイル"}, std::pair{big, "大きすぎます"}}) {
        const auto read = setup_files::ReadMechsimFile(path);
        ASSERT_FALSE(read.ok()) << path;
        EXPECT_NE(Describe(read.error()).find(path.string() + ": "), std::string::npos);
        EXPECT_NE(Describe(read.error()).find(said), std::string::npos) << Describe(read.error());
    }
}

TEST(MechsimFile, WrittenFilesReadBackToTheSameMechanismInputsAndRun)
{
    TempDir dir;
    // A set-up: the mechanism, the context and the inputs, a full-width text kept as typed.
    const auto setUp = setup_files::ParseMechsimText(
        "mechanism = \"slider\"\nprofile = \"cubic\"\ndivisions = 400\ncycle-time = 2.5\n"
        "[inputs]\nr = 9.75\nL = \"２１\"\nphi = 1e-5\nbranch = -1\n",
        "set-up.mechsim");
    ASSERT_TRUE(setUp.ok()) << setUp.error().reason;
    const setup_files::MechsimFile& s = setUp.value();
    EXPECT_EQ(s.mechanism.get(), mechanisms::FindMechanism("slider"));
    EXPECT_EQ(
        s.inputs,
        (sim::InputEntries{
            {"r", "9.75"}, {"L", "２１"}, {"phi", "1e-05"}, {"branch", numeric::Branch::Other}}));
    const std::string text = setup_files::MechsimText(s);
    const auto again = setup_files::ParseMechsimText(text, "again.mechsim");
    ASSERT_TRUE(again.ok()) << again.error().reason << "\n" << text;
    EXPECT_EQ(again.value().mechanism, s.mechanism);
    EXPECT_EQ(again.value().inputs, s.inputs);
    EXPECT_EQ(again.value().profile, sim::ProfileKind::Cubic);
    EXPECT_EQ(again.value().divisions, "400");
    EXPECT_EQ(again.value().cycleTime, "2.5");

    // A linkage, with its branch of B turned over by the inputs: the same file again, and the
    // same result from the file as from the model it was written from.
    auto linkage = setup_files::ParseMechsimText(kLinkage, "linkage.mechsim");
    ASSERT_TRUE(linkage.ok()) << linkage.error().reason;
    setup_files::MechsimFile l = std::move(linkage).value();
    EXPECT_EQ(l.inputs,
              (sim::InputEntries{{"B", numeric::Branch::Usual}, {"S", numeric::Branch::Other}}));
    l.inputs["B"] = numeric::Branch::Other;
    const std::string written = setup_files::MechsimText(l);
    auto reread = setup_files::ParseMechsimText(written, "written.mechsim");
    ASSERT_TRUE(reread.ok()) << reread.error().reason << "\n" << written;
    EXPECT_EQ(setup_files::MechsimText(reread.value()), written);
    EXPECT_EQ(reread.value().inputs.at("B"), sim::InputEntry(numeric::Branch::Other));
    EXPECT_EQ(reread.value().linkage->drive.start, l.linkage->drive.start);
    EXPECT_EQ(reread.value().linkage->joints[2].angle, l.linkage->joints[2].angle);
    EXPECT_EQ(reread.value().mechanism->title, "テスト");
    sim::RunContext context{90, 10, sim::ProfileKind::Linear};
    ASSERT_FALSE(sim::StreamRun({l.mechanism.get(), l.inputs, context}, dir / "model.dat"));
    ASSERT_FALSE(sim::StreamRun({reread.value().mechanism.get(), {}, context}, dir / "file.dat"));
    EXPECT_EQ(ReadFileBytes(dir / "file.dat"), ReadFileBytes(dir / "model.dat"));
}

}
