#include "core/kit/CommUti.h"
#include "platform/privileged/PrivilegedSession.h"
#include "support/FakePrivilegedSession.h"
#include "support/MacBundles.h"
#include "support/MacHomeFixture.h"
#include "support/TempFolder.h"
#include "ui/kit/controls/SegmentedControl.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/uninstall/AMRelatedFilesWindowController.h"
#include "ui/uninstall/RelatedFilesModel.h"
#include "ui/uninstall/UninstallProgressWindowController.h"
#include "ui/uninstall/UninstallTableModel.h"
#include "ui/uninstall/UninstallViewController.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

using core::uninstall::AMAppItemPtr;
using core::uninstall::AppKind;
using testsupport::MacHomeFixture;
using testsupport::makeBundle;
using ui::UninstallTableModel;
using ui::UninstallViewController;

namespace {

using testsupport::exists;

// The image buttons' usable flag, whose YES means usable.
bool usable(const ui::TextImageButton* button) { return button->isDisabled(); }

QString names(const std::vector<AMAppItemPtr>& items) {
    QStringList list;
    for (const auto& item : items) list << QString::fromStdString(item->name);
    return list.join(',');
}

int rowOf(const UninstallViewController& page, const QString& name) {
    const auto& shown = page.lists().shown();
    for (size_t row = 0; row < shown.size(); ++row)
        if (QString::fromStdString(shown[row]->name) == name) return static_cast<int>(row);
    return -1;
}

QString appNameTitle(const UninstallViewController& page) {
    return page.listModel()->headerData(UninstallTableModel::AppName, Qt::Horizontal, Qt::DisplayRole).toString();
}

// Answers the related-files and progress windows from inside their modal loops: choose runs
// once on the related-files window (then "卸载" is clicked), the progress window is closed with
// "好的" once it shows its end pane.
class WindowDriver : public QObject {
public:
    WindowDriver(UninstallViewController& page, std::function<void(ui::AMRelatedFilesWindowController&)> choose)
        : page(page), choose(std::move(choose)) {
        connect(&timer, &QTimer::timeout, this, [this] { step(); });
        timer.start(20);
    }
    bool finished = false;

private:
    void step() {
        ui::AMRelatedFilesWindowController* related = page.relatedFilesWinController();
        if (!related) return;
        if (!chosen && related->window()->isVisible()) {
            chosen = true;
            choose(*related);
            QTest::mouseClick(related->uninstallButton(), Qt::LeftButton);
            return;
        }
        ui::UninstallProgressWindowController* progress = related->uninstallPWC();
        if (chosen && progress && progress->window()->isVisible() && progress->endView()->isVisible()) {
            QTest::mouseClick(progress->okButton(), Qt::LeftButton);
            finished = true;
        }
    }

    UninstallViewController& page;
    std::function<void(ui::AMRelatedFilesWindowController&)> choose;
    QTimer timer;
    bool chosen = false;
};

// Unticks the records of the window whose path ends with the text.
void untick(ui::AMRelatedFilesWindowController& related, const std::string& ending) {
    ui::RelatedFilesModel* model = related.outlineModel();
    for (int group = 0; group < model->rowCount(); ++group) {
        const QModelIndex parent = model->index(group, 0);
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, ui::RelatedFilesModel::CheckBox, parent);
            const AMAppItemPtr item = model->recordOf(index);
            if (item->path.size() >= ending.size() &&
                item->path.compare(item->path.size() - ending.size(), ending.size(), ending) == 0)
                related.selectRemoveLanguage(index);
        }
    }
}

}  // namespace

class UninstallPageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MacHomeFixture> home;

    std::unique_ptr<UninstallViewController> loadedPage() {
        auto page = std::make_unique<UninstallViewController>();
        page->show();
        [&] { QTRY_VERIFY(!page->isScan()); }();
        return page;
    }

private slots:
    void init() {
        home = std::make_unique<MacHomeFixture>();
        makeBundle(*home, "/Applications/Chrome.app", "com.google.chrome", "Chrome");
        home->file("/Applications/Chrome.app/Contents/MacOS/chrome", std::string(8192, 'x'));
        makeBundle(*home, "/Applications/Chromium.app", "org.chromium", "Chromium");
        makeBundle(*home, "/Applications/Slack.app", "com.slack", "Slack");
        home->file("/Applications/Slack.app/Contents/MacOS/slack", std::string(4096, 'x'));
        makeBundle(*home, "/Applications/Mail.app", "com.apple.mail", "Mail");  // a system application
        makeBundle(*home, "~/Library/Widgets/Weather.wdgt", "com.example.weather", "Weather");
        makeBundle(*home, "~/Library/Widgets/Stocks.wdgt", "com.example.stocks", "Stocks");
    }
    void cleanup() { home.reset(); }

    void listsTicksAndSearches() {
        auto page = loadedPage();
        QCOMPARE(page->getViewID(), 2);
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chrome,Chromium,Slack"));
        QCOMPARE(appNameTitle(*page), QStringLiteral("   应用程序（总数：3项）"));
        QCOMPARE(page->selectCountLabel()->text(), QStringLiteral("总共: 3项"));
        QVERIFY(!usable(page->uninstallButton()));

        // The header box with a filter ticks exactly the shown rows; a second click clears them.
        page->searchBar()->setText(QStringLiteral(" chr"));
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chrome,Chromium"));
        QCOMPARE(appNameTitle(*page), QStringLiteral("   应用程序（总数：2 项）"));
        QTest::mouseClick(page->selectAllBut(), Qt::LeftButton);
        QCOMPARE(names(page->lists().tickedList()), QStringLiteral("Chrome,Chromium"));
        QVERIFY(usable(page->uninstallButton()));
        QVERIFY(page->selectCountLabel()->text().startsWith(QStringLiteral("已选择：")));
        QVERIFY(page->selectCountLabel()->text().endsWith(QStringLiteral("/2项")));
        QTest::mouseClick(page->selectAllBut(), Qt::LeftButton);
        QVERIFY(page->lists().tickedList().empty());
        QCOMPARE(page->selectCountLabel()->text(), QStringLiteral("总共: 2项"));
        QVERIFY(!usable(page->uninstallButton()));

        // A row's box ticks the row clicked, with no row selected.
        page->listViewTabel()->clearSelection();
        const QModelIndex box = page->listModel()->index(rowOf(*page, "Chromium"), UninstallTableModel::CheckBox);
        QStyleOptionViewItem option;
        option.rect = page->listViewTabel()->visualRect(box);
        ui::CheckButtonCell::changeVlaue();
        QTest::mouseClick(page->listViewTabel()->viewport(), Qt::LeftButton, {},
                          ui::CheckButtonCell::hotRect(option).center().toPoint());
        QCOMPARE(names(page->lists().tickedList()), QStringLiteral("Chromium"));

        // Switching kinds leaves " " in the field and shows the whole kind; searching again matches.
        QTest::mouseClick(page->typeSegment(), Qt::LeftButton, {}, page->typeSegment()->segmentRect(1).center());
        QCOMPARE(page->searchBar()->text(), QStringLiteral(" "));
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Stocks.wdgt,Weather.wdgt"));
        QCOMPARE(appNameTitle(*page), QStringLiteral("   项目（总计：2 项目）"));
        QTest::keyClicks(page->searchBar(), QStringLiteral("wea"));
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Weather.wdgt"));
        QCOMPARE(appNameTitle(*page), QStringLiteral("   项目（总计：1 项）"));
    }

    // Size sorts measure the rows first: largest first, then reversed; the direction is shared,
    // so a Name click after a descending Size sort sorts ascending.
    void sortsBySizeAndName() {
        auto page = loadedPage();
        page->didClickTableColumn(UninstallTableModel::Size);
        QTRY_COMPARE(names(page->lists().shown()), QStringLiteral("Chrome,Slack,Chromium"));
        QCOMPARE(page->listViewTabel()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        page->didClickTableColumn(UninstallTableModel::Size);
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chromium,Slack,Chrome"));
        page->didClickTableColumn(UninstallTableModel::Size);
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chrome,Slack,Chromium"));
        page->didClickTableColumn(UninstallTableModel::AppName);
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chrome,Chromium,Slack"));
        QCOMPARE(page->listViewTabel()->horizontalHeader()->sortIndicatorSection(), int(UninstallTableModel::AppName));
        QCOMPARE(page->listViewTabel()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    // Tick an application found by a search and uninstall it with a fake privileged session:
    // exactly the application and its ticked related files go, and the whole kind is listed
    // again while the field keeps its text; a row's own button uninstalls the clicked row, and a
    // bundle left unticked stays listed, unticked.
    void uninstallRemovesTheTickedApplicationAndItsTickedFiles() {
        auto session = std::make_shared<testsupport::FakePrivilegedSession>();
        platform::PrivilegedSession::setFactory([session] { return session; });
        const std::string cache = home->file("~/Library/Caches/com.google.chrome/data");
        const std::string support = home->file("~/Library/Application Support/Chrome/state");
        const std::string preferences = home->file("~/Library/Preferences/com.google.chrome.plist");
        const std::string other = home->file("~/Library/Caches/com.slack/data");
        auto page = loadedPage();

        page->searchBar()->setText(QStringLiteral("chrome"));
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chrome"));
        page->clickButtonAction(nullptr, page->listModel()->index(rowOf(*page, "Chrome"), UninstallTableModel::CheckBox));
        {
            WindowDriver driver(*page, [&](auto& related) { untick(related, "com.google.chrome.plist"); });
            QTest::mouseClick(page->uninstallButton(), Qt::LeftButton);
            QTRY_VERIFY(driver.finished);
        }
        QTRY_COMPARE(names(page->lists().shown()), QStringLiteral("Chromium,Slack"));
        QCOMPARE(page->listModel()->rowCount(), 2);
        QCOMPARE(page->searchBar()->text(), QStringLiteral("chrome"));
        QVERIFY(!exists(home->path("/Applications/Chrome.app")));
        QVERIFY(!exists(home->path("~/Library/Caches/com.google.chrome")));
        QVERIFY(!exists(home->path("~/Library/Application Support/Chrome")));
        QVERIFY(exists(preferences));
        QVERIFY(exists(other));
        QCOMPARE(session->prompts, 0);

        page->listViewTabel()->clearSelection();
        {
            WindowDriver driver(*page, [&](auto& related) { untick(related, "/Slack.app"); });
            const QRect button = page->listViewTabel()->visualRect(
                page->listModel()->index(rowOf(*page, "Slack"), UninstallTableModel::Uninstall));
            QTest::mouseClick(page->listViewTabel()->viewport(), Qt::LeftButton, {}, button.center());
            QTRY_VERIFY(driver.finished);
        }
        QTRY_VERIFY(!exists(home->path("~/Library/Caches/com.slack")));
        QVERIFY(exists(home->path("/Applications/Slack.app")));
        QCOMPARE(names(page->lists().shown()), QStringLiteral("Chromium,Slack"));
        QVERIFY(page->lists().tickedList().empty());
        platform::PrivilegedSession::setFactory({});
        Q_UNUSED(cache);
        Q_UNUSED(support);
    }
};

QTEST_MAIN(UninstallPageTest)
#include "tst_uninstall_page.moc"
