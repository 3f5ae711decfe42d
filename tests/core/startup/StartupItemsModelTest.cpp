#include "core/startup/StartupItemsModel.h"

#include "core/kit/EuAuthorization.h"
#include "support/FakeLoginItemList.h"
#include "support/FakePrivilegedSession.h"
#include "support/MacHomeFixture.h"
#include "support/ManualExecutors.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using core::EuAuthorization;
using core::startup::ASLoginStartItem;
using core::startup::StartupItemsModel;
using HeaderBox = core::startup::StartupItemsModel::HeaderBox;
using testsupport::FakeLoginItemList;

namespace {

using testsupport::exists;

std::vector<std::string> pathsOf(const std::vector<ASLoginStartItem>& rows) {
    std::vector<std::string> paths;
    for (const ASLoginStartItem& row : rows) paths.push_back(row.path);
    return paths;
}

std::vector<std::string> tickedPaths(const StartupItemsModel& model) {
    std::vector<std::string> paths;
    for (const ASLoginStartItem& row : model.allItems())
        if (row.bIsSelected) paths.push_back(row.path);
    return paths;
}

int rowOf(const StartupItemsModel& model, const std::string& path) {
    const auto& rows = model.allItems();
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].path == path) return static_cast<int>(row);
    return -1;
}

// Two login items (the second cannot be removed), an agent and a daemon, the model made and
// refreshed once; work runs when the test says.
class StartupItemsModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        EuAuthorization::setShared(std::make_shared<EuAuthorization>(session));
        agent = mac.file("~/Library/LaunchAgents/com.example.agent.plist");
        daemon = mac.file("/Library/LaunchDaemons/com.example.daemon.plist");
        loginItems->refusedPaths = {"/usr/bin/stuck"};
        model = StartupItemsModel::make(queues.executors(), loginItems, [this] { ++reports; });
        model->getAllItmes();
        model->updateLoginItemsList();
        queues.runQueued();
    }
    void TearDown() override { EuAuthorization::setShared(nullptr); }

    testsupport::MacHomeFixture mac;
    std::shared_ptr<testsupport::FakePrivilegedSession> session = std::make_shared<testsupport::FakePrivilegedSession>();
    std::shared_ptr<FakeLoginItemList> loginItems =
        std::make_shared<FakeLoginItemList>(std::vector<platform::LoginItem>{{"/usr/bin/sync", ""}, {"/usr/bin/stuck", ""}});
    testsupport::ManualExecutors queues;
    std::shared_ptr<StartupItemsModel> model;
    std::string agent;
    std::string daemon;
    int reports = 0;
};

}  // namespace

TEST_F(StartupItemsModelTest, RowsAreLoginItemsThenAgentsThenDaemons) {
    EXPECT_EQ(pathsOf(model->allItems()), (std::vector<std::string>{"/usr/bin/sync", "/usr/bin/stuck", agent, daemon}));
    EXPECT_FALSE(model->isScan());
    EXPECT_GT(reports, 0);
}

TEST_F(StartupItemsModelTest, HeaderBoxTogglesRemovableRowsAndRemoveFollowsTheTicks) {
    EXPECT_EQ(model->headerBox(), HeaderBox::Unticked);
    EXPECT_FALSE(model->isRemoveButtonEnabled());
    model->setHideStar(rowOf(*model, agent));
    EXPECT_EQ(model->headerBox(), HeaderBox::HalfTicked);
    EXPECT_TRUE(model->isRemoveButtonEnabled());
    model->setAllSelectOrNoSelect();  // some ticked: the rest are ticked
    EXPECT_EQ(model->headerBox(), HeaderBox::Ticked);
    EXPECT_EQ(model->countTickedItems(), 4);
    model->setAllSelectOrNoSelect();  // all ticked: none are
    EXPECT_EQ(model->headerBox(), HeaderBox::Unticked);
    EXPECT_FALSE(model->isRemoveButtonEnabled());

    // A failed removal leaves its row unticked and out of every later tick.
    model->removeItemsAction(rowOf(*model, "/usr/bin/stuck"));
    queues.runQueued();
    EXPECT_FALSE(model->allItems()[1].canDelete);
    EXPECT_EQ(model->countDeletableItems(), 3);
    model->setHideStar(1);
    EXPECT_EQ(model->countTickedItems(), 0);
    model->setAllSelectOrNoSelect();
    EXPECT_EQ(tickedPaths(*model), (std::vector<std::string>{"/usr/bin/sync", agent, daemon}));
    EXPECT_EQ(model->headerBox(), HeaderBox::Ticked);
    model->setAllSelectOrNoSelect();
    EXPECT_EQ(model->countTickedItems(), 0);
}

TEST_F(StartupItemsModelTest, TicksAndFailuresAreKeptByPathAcrossRefreshes) {
    model->removeItemsAction(rowOf(*model, "/usr/bin/stuck"));
    queues.runQueued();
    model->setAllSelectOrNoSelect();
    // Another program takes a login item out and adds one; the list changes underneath.
    loginItems->changeFromOutside({{"/usr/bin/new", ""}, {"/usr/bin/stuck", ""}});
    queues.runQueued();
    EXPECT_EQ(pathsOf(model->allItems()), (std::vector<std::string>{"/usr/bin/new", "/usr/bin/stuck", agent, daemon}));
    EXPECT_EQ(tickedPaths(*model), (std::vector<std::string>{agent, daemon}));
    EXPECT_FALSE(model->allItems()[1].canDelete) << "a failure lasts the run";
    EXPECT_EQ(model->headerBox(), HeaderBox::HalfTicked);
}

TEST_F(StartupItemsModelTest, RemovedItemsStayGoneAfterARefresh) {
    model->removeItemsAction(rowOf(*model, agent));
    model->setHideStar(0);  // ignored while the removal runs
    queues.runQueued();
    model->setHideStar(rowOf(*model, daemon));
    model->setHideStar(rowOf(*model, "/usr/bin/sync"));
    model->removeButtonActoion();
    queues.runQueued();
    EXPECT_FALSE(exists(agent));
    EXPECT_FALSE(exists(daemon));
    EXPECT_EQ(pathsOf(model->allItems()), (std::vector<std::string>{"/usr/bin/stuck"}));
    model->updateLoginItemsList();
    queues.runQueued();
    EXPECT_EQ(pathsOf(model->allItems()), (std::vector<std::string>{"/usr/bin/stuck"}));
    EXPECT_TRUE(model->launchAgentsList().empty());
    EXPECT_TRUE(model->launchDaemonsList().empty());
}

TEST_F(StartupItemsModelTest, ARefreshDuringARemovalIsDropped) {
    model->setAllSelectOrNoSelect();
    model->removeButtonActoion();
    EXPECT_TRUE(model->isDeleteing());
    EXPECT_FALSE(model->isRemoveButtonEnabled());
    model->updateLoginItemsList();
    EXPECT_FALSE(model->isScan());
    // Another program adds an item: the refresh this asks for waits in the queue.
    loginItems->changeFromOutside({{"/usr/bin/sync", ""}, {"/usr/bin/stuck", ""}, {"/usr/bin/late", ""}});
    queues.runQueued();
    EXPECT_FALSE(model->isDeleteing());
    EXPECT_EQ(pathsOf(model->allItems()), (std::vector<std::string>{"/usr/bin/stuck"}))
        << "the refresh asked for during the removal was not made";
    model->updateLoginItemsList();
    queues.runQueued();
    EXPECT_EQ(pathsOf(model->allItems()), (std::vector<std::string>{"/usr/bin/stuck", "/usr/bin/late"}));
}

TEST_F(StartupItemsModelTest, AddingAListedPathLeavesOneRowAndRemovingItTakesEveryEntry) {
    model->addLoginItems({"/usr/bin/sync", "/usr/bin/other"});
    queues.runQueued();
    EXPECT_EQ(loginItems->loginItems().size(), 4u);
    EXPECT_EQ(pathsOf(model->allItems()),
              (std::vector<std::string>{"/usr/bin/sync", "/usr/bin/stuck", "/usr/bin/other", agent, daemon}));
    model->removeItemsAction(0);
    queues.runQueued();
    EXPECT_EQ(loginItems->loginItems(),
              (std::vector<platform::LoginItem>{{"/usr/bin/stuck", ""}, {"/usr/bin/other", ""}}));
    EXPECT_EQ(rowOf(*model, "/usr/bin/sync"), -1);
}
