// Rows formatted in blocks on several threads, and rows streamed from the step loop into the
// file, against one thread formatting the stored run's table; refusals of a streamed run.
#include <gtest/gtest.h>

#include <cerrno>

#include "files/safe_file.h"
#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "run/refusal_text.h"
#include "support/temp_dir.h"

namespace {

constexpr sim::BlockPlan kOneThread{.blockRows = 1 << 30, .threads = 1};

TEST(StreamedRun, BlocksOnThreadsGiveTheBytesOfOneThreadFormattingTheStoredRun)
{
    TempDir dir;
    const std::size_t block = 8;
    // One step; an odd N; N + 1 lines one short of, on, and one past a block boundary.
    for (const int n : {1, 37, 14, 15, 16})
        for (const sim::Mechanism* m : mechanisms::AllMechanisms())
            for (const unsigned threads : {1u, 2u, 3u}) {
                SCOPED_TRACE(m->command + " N=" + std::to_string(n) + " threads "
                             + std::to_string(threads));
                const sim::RunContext context = Context(n, sim::ProfileKind::Cubic, 7);
                const auto run = RunOf(ComputeWith(*m, context));
                ASSERT_TRUE(run);
                const std::string stored =
                    sim::FormatResultTable(run->resultTable(), n, 7, kOneThread);
                ASSERT_FALSE(stored.empty());
                const sim::BlockPlan plan{.blockRows = block, .threads = threads};
                EXPECT_EQ(sim::FormatResultTable(run->resultTable(), n, 7, plan), stored);

                // The findings too (a streamed run keeps one block of its steps at a time).
                const auto path = dir / "result.dat";
                std::vector<std::string> findings;
                ASSERT_FALSE(sim::StreamRun(RequestOf(*m, context), path, plan, &findings));
                EXPECT_EQ(ReadFileBytes(path), stored);
                EXPECT_EQ(findings, run->findings());
            }
}

TEST(StreamedRun, RefusedStepOrFailedWriteAfterFormattedBlocksLeavesNoFileNorTemporary)
{
    TempDir dir;
    const sim::Mechanism& fourBar = *mechanisms::FindMechanism("four-bar");
    // L3 = 0.9: the loop cannot close around half a turn of the crank, after many blocks.
    const sim::InputEntries unclosed{{"L3", "0.9"}};
    const sim::RunContext context = Context(200);
    const sim::Refusal stored = ComputeWith(fourBar, context, unclosed).error();
    ASSERT_GT(stored.step, 40);
    const sim::BlockPlan plan{.blockRows = 8, .threads = 2};
    const sim::RunRequest refused = RequestOf(fourBar, context, unclosed);
    const sim::RunRequest closing = RequestOf(fourBar, context);

    const auto fresh = dir / "fresh.dat";
    std::optional<sim::Refusal> streamed = sim::StreamRun(refused, fresh, plan);
    ASSERT_TRUE(streamed);
    EXPECT_EQ(sim::DescribeRefusal(fourBar, *streamed, sim::BoxNames::Keys),
              sim::DescribeRefusal(fourBar, stored, sim::BoxNames::Keys));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));

    // An earlier file stays as it was; a step refusal is named before an unwritable file.
    const auto earlier = dir / "earlier.dat";
    ASSERT_FALSE(sim::StreamRun(RequestOf(fourBar, Context(3)), earlier));
    const std::string before = ReadFileBytes(earlier);
    streamed = sim::StreamRun(refused, earlier, plan);
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->kind, sim::Refusal::Kind::Step);
    EXPECT_EQ(ReadFileBytes(earlier), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
    // A disk that fills after some blocks: the file is refused and the earlier one kept.
    sim::SetWriterFaultsForTesting({.failAfterBytes = 1000, .error = ENOSPC});
    streamed = sim::StreamRun(closing, earlier, plan);
    sim::SetWriterFaultsForTesting({});
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->kind, sim::Refusal::Kind::File);
    EXPECT_EQ(ReadFileBytes(earlier), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
    streamed = sim::StreamRun(refused, dir / "absent" / "r.dat", plan);
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->kind, sim::Refusal::Kind::Step);
    streamed = sim::StreamRun(closing, dir / "absent" / "r.dat", plan);
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->kind, sim::Refusal::Kind::File);
}

}
