#include "core/kit/Executors.h"
#include "platform/desktop/RunningApplications.h"
#include "support/BrowserDatabases.h"
#include "support/MacHomeFixture.h"
#include "support/ScopedVariable.h"
#include "ui/browser/BroTableView.h"
#include "ui/browser/BrowserItemModel.h"
#include "ui/browser/InternetViewController.h"

#include <QLabel>
#include <QtTest>

using testsupport::MacHomeFixture;
using ui::BrowserItemModel;
using ui::InternetViewController;

namespace {

class NoApplications : public platform::RunningApplications {
public:
    std::vector<platform::RunningApplication> runningApplications() override { return {}; }
};

struct NothingRunning {
    NothingRunning() { platform::RunningApplications::setShared(std::make_shared<NoApplications>()); }
    ~NothingRunning() { platform::RunningApplications::setShared(nullptr); }
};

// The item table's rows as the user reads them: title and size text.
QMap<QString, QString> shownSizes(const InternetViewController& page) {
    QMap<QString, QString> sizes;
    const QAbstractItemModel* model = page.rightTableView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        sizes[model->index(row, BrowserItemModel::SName).data().toString()] =
            model->index(row, BrowserItemModel::SSize).data().toString();
    return sizes;
}

}  // namespace

class BrowserNativeTest : public QObject {
    Q_OBJECT

private slots:
    // On a Linux desktop the page finds Firefox through the desktop's own entries, lists a
    // profile shared by Firefox and Firefox ESR once, and shows its cache and session as they
    // lie on disk.
    void showsFirefoxAsItKeepsItsDataOnLinux() {
        MacHomeFixture home([](platform::Environment::Values& values) { values.root = "/"; });
        const auto& folder = home.environment().folder();
        // Only the temporary home's entries are installed applications.
        testsupport::ScopedVariable dataFolders("XDG_DATA_DIRS", folder.makeFolder("no-system-data"));
        NothingRunning nothingRunning;
        for (const auto& [id, name] : {std::pair{"firefox", "Firefox"}, std::pair{"firefox-esr", "Firefox ESR"}})
            folder.writeFile(std::string("home/.local/share/applications/") + id + ".desktop",
                             std::string("[Desktop Entry]\nType=Application\nName=") + name + "\nExec=" + id + "\n");
        const std::string profile = "~/.mozilla/firefox/abc.default-esr";
        home.folder(profile);
        testsupport::makeFirefoxPlaces(home.path(profile + "/places.sqlite"), 4, 0, 0);
        home.file(profile + "/sessionstore.jsonlz4", std::string(3000, 's'));
        home.file("~/.cache/mozilla/firefox/abc.default-esr/cache2/entries/A", std::string(4096, 'c'));

        InternetViewController page(core::Executors::inlineExecutors());
        page.checkOpenBrower();
        QCOMPARE(page.leftTableView()->model()->rowCount(), 1);
        QCOMPARE(page.nameLabel()->text(), QStringLiteral("Firefox - tester/abc.default-esr"));
        const QMap<QString, QString> sizes = shownSizes(page);
        QCOMPARE(sizes.value(QStringLiteral("浏览历史")), QStringLiteral("4项"));
        QCOMPARE(sizes.value(QStringLiteral("缓存")), QStringLiteral("4.00 KB"));
        QCOMPARE(sizes.value(QStringLiteral("自动填写值")), QStringLiteral("2.93 KB"));
    }
};

QTEST_MAIN(BrowserNativeTest)
#include "tst_browser_native.moc"
