#include "core/kit/EuAuthorization.h"
#include "platform/desktop/AutostartLoginItemList.h"
#include "platform/files/FolderLister.h"
#include "support/FakeLoginItemList.h"
#include "support/FakePrivilegedSession.h"
#include "support/MacHomeFixture.h"
#include "support/TempFolder.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/tables/BgTableView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/windows/FileAndFolderOpenPanel.h"
#include "ui/startup/RemoveButtonCell.h"
#include "ui/startup/StartupItemsTableModel.h"
#include "ui/startup/StartupItemsViewController.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QtTest>

using ui::StartupItemsTableModel;
using ui::StartupItemsViewController;

namespace {

using testsupport::exists;

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::FolderLister::list(folder, true).value_or(std::vector<platform::FileEntry>{}))
        names.push_back(entry.name);
    return names;
}

QStringList shownNames(const StartupItemsViewController& page) {
    QStringList names;
    for (int row = 0; row < page.listModel()->rowCount(); ++row)
        names << page.listModel()->index(row, StartupItemsTableModel::Name).data().toString();
    return names;
}

int rowNamed(const StartupItemsViewController& page, const QString& name) { return shownNames(page).indexOf(name); }

QPoint cellCentre(const StartupItemsViewController& page, int row, int column) {
    return page.listTableView()->visualRect(page.listModel()->index(row, column)).center();
}

// A click on the row's tick box, past the check cells' quiet time after the last one.
void clickTickBox(const StartupItemsViewController& page, int row) {
    QTest::qWait(250);
    const QRect cell = page.listTableView()->visualRect(page.listModel()->index(row, StartupItemsTableModel::Hide));
    QTest::mouseClick(page.listTableView()->viewport(), Qt::LeftButton, {}, QPoint(31, cell.top() + 25));
}

QString headerPicture(const StartupItemsViewController& page) { return page.selectAllButton()->normalImageName(); }

std::string launchPlist(const std::string& label) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>Label</key><string>" + label +
           "</string></dict></plist>\n";
}

}  // namespace

class StartupPageTest : public QObject {
    Q_OBJECT
    std::shared_ptr<testsupport::FakePrivilegedSession> session;

private slots:
    void init() {
        session = std::make_shared<testsupport::FakePrivilegedSession>();
        core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
    }
    void cleanup() { core::EuAuthorization::setShared(nullptr); }

    // Agents, a daemon, a helper tool and two login items on a fixture root: one of each is
    // removed, one by its row's button and the rest ticked and removed together.
    void removesExactlyTheChosenItems() {
        testsupport::MacHomeFixture mac;
        const std::string agent = mac.file("~/Library/LaunchAgents/com.example.agent.plist", launchPlist("a"));
        const std::string kept = mac.file("~/Library/LaunchAgents/com.example.keep.plist", launchPlist("k"));
        const std::string daemon = mac.file("/Library/LaunchDaemons/com.example.backupd.plist", launchPlist("d"));
        const std::string helper = mac.file("/Library/PrivilegedHelperTools/com.example.helper");
        const std::string application = mac.folder("/Applications/Example.app/Contents/MacOS");
        const std::string bundle = mac.path("/Applications/Example.app");
        mac.file("~/.config/autostart/syncthing.desktop",
                 "[Desktop Entry]\nType=Application\nName=Syncthing\nExec=/usr/bin/syncthing\n");
        auto loginItems = std::make_shared<platform::AutostartLoginItemList>(
            platform::AutostartLoginItemList::foldersFromEnvironment());
        QVERIFY(loginItems->addLoginItem(bundle));
        const std::string autostart = mac.path("~/.config/autostart");

        StartupItemsViewController page(ui::Dispatch::executors(), loginItems);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.getViewID(), 7);
        QVERIFY(page.isCanClick());
        const QStringList all{"Syncthing", "Example", "Example", "Keep", "Backupd", "com.example.helper"};
        QTRY_COMPARE(shownNames(page), all);
        QCOMPARE(page.listModel()->index(3, StartupItemsTableModel::Kind).data().toString(), QStringLiteral("启动代理"));
        QVERIFY(!page.removeBut()->isDisabled());

        // Another row is selected; the button pressed decides.
        page.listTableView()->setCurrentIndex(page.listModel()->index(0, StartupItemsTableModel::Name));
        QTest::mouseClick(page.listTableView()->viewport(), Qt::LeftButton, {},
                          cellCentre(page, 2, StartupItemsTableModel::Remove));
        QTRY_COMPARE(shownNames(page), (QStringList{"Syncthing", "Example", "Keep", "Backupd", "com.example.helper"}));
        QVERIFY(!exists(agent));

        QTest::mouseClick(page.selectAllButton(), Qt::LeftButton);
        QCOMPARE(headerPicture(page), QStringLiteral("checkbox-checked"));
        QVERIFY(page.removeBut()->isDisabled());
        clickTickBox(page, rowNamed(page, "Example"));
        clickTickBox(page, rowNamed(page, "Keep"));
        QCOMPARE(headerPicture(page), QStringLiteral("checkbox-halfchecked"));
        QTest::mouseClick(page.removeBut(), Qt::LeftButton);
        QTRY_COMPARE(shownNames(page), (QStringList{"Example", "Keep"}));
        QCOMPARE(headerPicture(page), QStringLiteral("checkbox-unsel"));
        QVERIFY(!page.removeBut()->isDisabled());

        QVERIFY(exists(kept));
        QVERIFY(!exists(daemon));
        QVERIFY(!exists(helper));
        QVERIFY(exists(application));
        const std::vector<std::string> entries = entriesOf(autostart);
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(loginItems->loginItems(), (std::vector<platform::LoginItem>{{bundle, "Example"}}));
        QCOMPARE(session->prompts, 0);

        // What is gone stays gone when the page is asked again.
        QVERIFY(page.isCanClick());
        QTRY_VERIFY(!page.items().isScan());
        QCOMPARE(shownNames(page), (QStringList{"Example", "Keep"}));
    }

    // The panel opens in the applications folder and adds a folder and a file picked together.
    void addsFoldersAndFilesPickedInThePanel() {
        testsupport::MacHomeFixture mac;
        const std::string bundle = mac.folder("/Applications/Example.app");
        const std::string note = mac.file("/Applications/notes.txt");
        auto loginItems = std::make_shared<testsupport::FakeLoginItemList>();
        StartupItemsViewController page(ui::Dispatch::executors(), loginItems);
        page.show();

        page.addButtonAction();
        ui::FileAndFolderOpenPanel* panel = page.openPanel();
        QVERIFY(panel);
        QCOMPARE(panel->directory().absolutePath(), QString::fromStdString(mac.path("/Applications")));
        auto* view = panel->findChild<QListView*>(QStringLiteral("listView"));
        auto* files = view ? qobject_cast<QFileSystemModel*>(view->model()) : nullptr;
        QVERIFY(files);
        QTRY_VERIFY(files->index(QString::fromStdString(note)).isValid());
        for (const std::string& path : {bundle, note})
            view->selectionModel()->select(files->index(QString::fromStdString(path)),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view->selectionModel()->setCurrentIndex(files->index(QString::fromStdString(bundle)),
                                                QItemSelectionModel::NoUpdate);
        QCOMPARE(panel->addButton()->text(), QStringLiteral("添加"));
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);

        QTRY_COMPARE(shownNames(page), (QStringList{"Example", "notes.txt"}));
        QCOMPARE(loginItems->loginItems(), (std::vector<platform::LoginItem>{{bundle, ""}, {note, ""}}));
        QTRY_VERIFY(!page.openPanel());
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    StartupPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup_page.moc"
