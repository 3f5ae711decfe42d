#include "core/kit/CommUti.h"
#include "core/uninstall/AMAppItem.h"
#include "platform/privileged/PrivilegedSession.h"
#include "support/FakePrivilegedSession.h"
#include "support/ManualExecutors.h"
#include "support/TempFolder.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CustemOutlineView.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/uninstall/AMRelatedFilesWindowController.h"
#include "ui/uninstall/RelatedFilesCleanDelegate.h"
#include "ui/uninstall/RelatedFilesModel.h"
#include "ui/uninstall/UninstallProgressWindowController.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>

using core::uninstall::AMAppItem;
using core::uninstall::AMAppItemPtr;
using ui::AMRelatedFilesWindowController;
using ui::RelatedFilesModel;
using Selection = core::uninstall::RelatedFilesSelection;

namespace {

void whenModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

using testsupport::exists;

// The image buttons' usable flag, whose YES means usable.
bool usable(const ui::TextImageButton* button) { return button->isDisabled(); }

AMAppItemPtr recordAt(const std::string& path, uint64_t bytes = 1024) {
    auto item = std::make_shared<AMAppItem>();
    item->path = path;
    item->name = std::filesystem::path(path).filename();
    item->size = core::CommUti::convertVolSpace(bytes);
    item->chosen = platform::ChosenItem::take(path);  // as the related-files scan lists it
    return item;
}

class CountingPage : public ui::RelatedFilesCleanDelegate {
public:
    void completeCleanRelatedFiles() override { ++completions; }
    int completions = 0;
};

// Every privileged session the windows make is this fake one.
struct ScopedFakeSessions {
    std::shared_ptr<testsupport::FakePrivilegedSession> session = std::make_shared<testsupport::FakePrivilegedSession>();
    ScopedFakeSessions() {
        platform::PrivilegedSession::setFactory([session = session] { return session; });
    }
    ~ScopedFakeSessions() { platform::PrivilegedSession::setFactory({}); }
};

}  // namespace

class UninstallWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void everythingStartsTickedAndTheFirstGroupOpen() {
        AMRelatedFilesWindowController controller;
        const auto app = recordAt("/Applications/Foo.app", 4096), cache = recordAt("/c/com.foo", 1024);
        controller.setAllRelaltedFiles({{app, cache}, {recordAt("/Applications/Bar.app")}});
        ui::CustemOutlineView* outline = controller.outlineView();
        RelatedFilesModel* model = controller.outlineModel();
        QVERIFY(outline->isExpanded(model->index(0, 0)));
        QVERIFY(!outline->isExpanded(model->index(1, 0)));
        QCOMPARE(model->index(0, RelatedFilesModel::Name).data().toString(), QStringLiteral("Foo.app"));
        QCOMPARE(model->index(0, RelatedFilesModel::Size).data().toString(), QStringLiteral("5.00 KB"));
        QCOMPARE(controller.selection().ticked().size(), 3u);
        QVERIFY(usable(controller.uninstallButton()));

        // A record's box, clicked where it is drawn; then the group, now partly ticked, ticks the rest.
        controller.window()->show();
        const QModelIndex cacheBox = model->index(1, RelatedFilesModel::CheckBox, model->index(0, 0));
        QStyleOptionViewItem option;
        option.rect = outline->visualRect(cacheBox);
        QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, ui::CheckButtonCell::hotRect(option).center().toPoint());
        QVERIFY(!controller.selection().isTicked(cache));
        QCOMPARE(controller.selection().groupState(0), Selection::PartlyTicked);
        controller.selectRemoveLanguage(model->index(0, RelatedFilesModel::CheckBox));
        QCOMPARE(controller.selection().groupState(0), Selection::Ticked);

        // Double-clicking a group closes it, a second time opens it again.
        controller.openOrClose(model->index(0, RelatedFilesModel::Name));
        QVERIFY(!outline->isExpanded(model->index(0, 0)));
        controller.openOrClose(model->index(0, RelatedFilesModel::Size));
        QVERIFY(outline->isExpanded(model->index(0, 0)));

        controller.selectRemoveLanguage(model->index(0, 0));
        controller.selectRemoveLanguage(model->index(1, 0));
        QVERIFY(!controller.selection().hasTicked());
        QVERIFY(!usable(controller.uninstallButton()));
    }

    // From the groups to the disk: exactly the ticked items go, the end pane shows the size they
    // freed, and the page hears once that the run has ended.
    void uninstallRemovesExactlyTheTickedItems() {
        ScopedFakeSessions sessions;
        testsupport::TempFolder folder;
        const std::string app = folder.writeFile("Applications/Foo.app/Contents/Info.plist", std::string(3072, 'x'));
        const std::string kept = folder.writeFile("Library/Caches/com.foo/data", "x");
        const std::string preferences = folder.writeFile("Library/Preferences/com.foo.plist", std::string(1024, 'x'));
        const std::string other = folder.writeFile("Applications/Bar.app/Contents/Info.plist", "x");
        const auto keptRecord = recordAt(folder / "Library/Caches/com.foo");
        CountingPage page;
        AMRelatedFilesWindowController controller;
        controller.setDelegate(&page);
        controller.setAllRelaltedFiles({{recordAt(folder / "Applications/Foo.app", 3072), keptRecord,
                                         recordAt(preferences, 1024)},
                                        {recordAt(folder / "Applications/Bar.app", 1)}});
        controller.selectRemoveLanguage(controller.outlineModel()->index(1, RelatedFilesModel::CheckBox,
                                                                         controller.outlineModel()->index(0, 0)));
        // The progress window runs its own modal loop: the end pane is read and closed from inside it.
        QString freed, failures;
        int completionsAtEnd = -1;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            ui::UninstallProgressWindowController* progress = controller.uninstallPWC();
            if (!progress || !progress->endView()->isVisible() || !progress->window()->isVisible()) return;
            freed = progress->messageLabel()->text();
            failures = progress->failureLabel()->text();
            completionsAtEnd = page.completions;
            QTest::mouseClick(progress->okButton(), Qt::LeftButton);
        });
        watcher.start(20);
        whenModal([&] { QTest::mouseClick(controller.uninstallButton(), Qt::LeftButton); });
        ui::runModal(controller.window());
        QVERIFY(!controller.window()->isVisible());
        QTRY_VERIFY(!freed.isEmpty());
        QCOMPARE(freed, QStringLiteral("4.00 KB"));
        QCOMPARE(failures, QString());
        QCOMPARE(completionsAtEnd, 1);
        QVERIFY(!controller.uninstallPWC()->window()->isVisible());

        QVERIFY(!exists(folder / "Applications/Foo.app"));
        QVERIFY(!exists(preferences));
        QVERIFY(!exists(folder / "Applications/Bar.app"));
        QVERIFY(exists(kept));
        QCOMPARE(sessions.session->prompts, 0);
        QVERIFY(controller.selection().groups().empty());
        Q_UNUSED(app);
        Q_UNUSED(other);
        QCOMPARE(page.completions, 1);
    }

    // The keyboard answers the window as its buttons do, wherever the focus is in it: Escape
    // closes it and leaves the files where they are; Return uninstalls what is ticked, and Return
    // on the end pane closes that.
    void escapeKeepsTheFilesAndReturnUninstallsThem() {
        ScopedFakeSessions sessions;
        testsupport::TempFolder folder;
        const std::string cache = folder.writeFile("Library/Caches/com.foo/data", "x");
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            CountingPage page;
            AMRelatedFilesWindowController controller;
            controller.setDelegate(&page);
            controller.setAllRelaltedFiles({{recordAt(folder / "Library/Caches/com.foo")}});
            QTimer watcher;
            connect(&watcher, &QTimer::timeout, [&] {
                ui::UninstallProgressWindowController* progress = controller.uninstallPWC();
                if (progress && progress->endView()->isVisible() && progress->window()->isVisible())
                    QTest::keyClick(progress->window(), Qt::Key_Return);
            });
            watcher.start(20);
            whenModal([&] {
                QWidget* window = controller.window();
                QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
            });
            ui::runModal(controller.window());
            QVERIFY(!controller.window()->isVisible());
            if (key == Qt::Key_Escape) {
                // Past the pause after which a confirmed removal would have started.
                QTest::qWait(2 * AMRelatedFilesWindowController::kRemoveDelayMilliseconds);
                QVERIFY(!controller.uninstallPWC());
                QCOMPARE(page.completions, 0);
                QVERIFY(exists(cache));
            } else {
                QTRY_COMPARE(page.completions, 1);
                QVERIFY(!controller.uninstallPWC()->window()->isVisible());
                QVERIFY(!exists(folder / "Library/Caches/com.foo"));
            }
        }
    }

    // A failed item is counted, named on the end pane and frees nothing.
    void aFailedItemIsNamedOnTheEndPane() {
        testsupport::TempFolder folder;
        const std::string removable = folder.writeFile("a", std::string(2048, 'x'));
        CountingPage page;
        AMRelatedFilesWindowController controller(core::Executors::inlineExecutors());
        controller.setDelegate(&page);
        // A path that is not absolute is refused, whoever runs the test.
        controller.setAllRelaltedFiles({{recordAt(removable, 2048), recordAt("Library/relative")}});
        whenModal([&] {
            QVERIFY(controller.uninstallPWC()->endView()->isVisible());
            controller.uninstallPWC()->okButtonAction();
        });
        controller.doRemove();
        QCOMPARE(controller.uninstallPWC()->messageLabel()->text(), QStringLiteral("2.00 KB"));
        QCOMPARE(controller.uninstallPWC()->failureLabel()->text(), QStringLiteral("1 项未能删除"));
        QCOMPARE(page.completions, 1);
    }

    // The progress window closed mid-run, then another uninstall: the first run still ends and
    // tells the page, and its controller goes only then.
    void closingTheProgressMidRunThenUninstallingAgainIsSafe() {
        ScopedFakeSessions sessions;
        testsupport::TempFolder folder;
        testsupport::ManualExecutors manual;
        CountingPage page;
        QPointer<AMRelatedFilesWindowController> first = new AMRelatedFilesWindowController(manual.executors());
        first->setDelegate(&page);
        first->setAllRelaltedFiles({{recordAt(folder.writeFile("one", "x")), recordAt(folder.writeFile("two", "x"))}});
        whenModal([&] {
            QVERIFY(!first->uninstallPWC()->endView()->isVisible());
            QTest::mouseClick(first->uninstallPWC()->window()->standardWindowButton(ui::NSWindowCloseButton),
                              Qt::LeftButton);
        });
        first->doRemove();
        QVERIFY(first->isRunning());
        first->releaseWhenIdle();

        AMRelatedFilesWindowController second(manual.executors());
        second.setDelegate(&page);
        second.setAllRelaltedFiles({{recordAt(folder.writeFile("three", "x"))}});
        whenModal([&] { manual.runQueued(); });
        whenModal([&] { second.uninstallPWC()->okButtonAction(); });
        second.doRemove();
        QCOMPARE(page.completions, 2);
        QTRY_VERIFY(first.isNull());
        QVERIFY(!exists(folder / "one") && !exists(folder / "two") && !exists(folder / "three"));

        // A controller that goes at once drops its run's reports; the run still ends.
        auto* gone = new AMRelatedFilesWindowController(manual.executors());
        gone->setDelegate(&page);
        gone->setAllRelaltedFiles({{recordAt(folder.writeFile("four", "x"))}});
        whenModal([&] { gone->uninstallPWC()->okButtonAction(); });
        gone->doRemove();
        delete gone;
        manual.runQueued();
        QCOMPARE(page.completions, 2);
        QVERIFY(!exists(folder / "four"));
    }
};

QTEST_MAIN(UninstallWindowsTest)
#include "tst_uninstall_windows.moc"
