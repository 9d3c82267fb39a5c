// Opening forms from the menu: fresh windows for new-instance forms, one window for shared ones.
#include <gtest/gtest.h>

#include <QPointer>

#include "app/form_opener.h"
#include "windows.h"

namespace {

using apptest::StandInForm;
using Kind = app::FormOpener::Kind;

class FormOpenerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        opener.registerForm("stand_in", kind(), [this] {
            ++created;
            return new StandInForm;
        });
    }
    void TearDown() override { apptest::CloseAllWindows(); }
    virtual Kind kind() const = 0;

    app::FormOpener opener;
    int created = 0;
};

class NewInstanceOpen : public FormOpenerTest {
    Kind kind() const override { return Kind::NewInstance; }
};

class SharedOpen : public FormOpenerTest {
    Kind kind() const override { return Kind::Shared; }
};

TEST_F(NewInstanceOpen, EveryOpenShowsItsOwnIndependentWindow)
{
    auto* first = static_cast<StandInForm*>(opener.open("stand_in"));
    auto* second = static_cast<StandInForm*>(opener.open("stand_in"));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(created, 2);
    EXPECT_TRUE(first->isVisible() && second->isVisible());
    EXPECT_TRUE(first->isWindow() && !first->isModal());

    first->box->setText("typed");
    EXPECT_EQ(second->box->text(), "design");
}

TEST_F(NewInstanceOpen, ClosedWindowIsFreedAndOthersStay)
{
    QPointer<QWidget> first = opener.open("stand_in");
    QPointer<QWidget> second = opener.open("stand_in");
    first->close();
    apptest::ProcessDeletions();
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
}

TEST_F(SharedOpen, SecondOpenWhileShownGivesTheSameWindow)
{
    auto* first = static_cast<StandInForm*>(opener.open("stand_in"));
    first->box->setText("typed");
    auto* again = static_cast<StandInForm*>(opener.open("stand_in"));
    EXPECT_EQ(again, first);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(again->box->text(), "typed");
    EXPECT_TRUE(again->isVisible());
}

TEST_F(SharedOpen, OpenAfterCloseCreatesAFreshWindowWithDesignContents)
{
    QPointer<StandInForm> first = static_cast<StandInForm*>(opener.open("stand_in"));
    first->box->setText("typed");
    first->close();
    // Opened again before the event loop has deleted the closed one.
    auto* fresh = static_cast<StandInForm*>(opener.open("stand_in"));
    EXPECT_EQ(created, 2);
    EXPECT_EQ(fresh->box->text(), "design");
    EXPECT_TRUE(fresh->isVisible());

    apptest::ProcessDeletions();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(opener.open("stand_in"), fresh);
    EXPECT_EQ(created, 2);
}

TEST_F(SharedOpen, OpenAfterCloseAndDeletionCreatesAFreshWindow)
{
    opener.open("stand_in")->close();
    apptest::ProcessDeletions();
    auto* fresh = static_cast<StandInForm*>(opener.open("stand_in"));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(created, 2);
    EXPECT_TRUE(fresh->isVisible());
}

TEST(FormOpener, UnknownNameOpensNothing)
{
    app::FormOpener opener;
    EXPECT_FALSE(opener.isRegistered("jun2r"));
    EXPECT_EQ(opener.open("jun2r"), nullptr);
}

}
