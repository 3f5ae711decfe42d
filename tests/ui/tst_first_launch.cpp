#include "core/kit/InstallReport.h"
#include "core/kit/SettingsFile.h"
#include "platform/system/PlistValue.h"
#include "support/RecordingHttpClient.h"
#include "support/RecordingWorkspace.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "ui/shell/AppDelegate.h"

#include <QApplication>
#include <QtTest>

#include <fstream>
#include <memory>

namespace {

const char* const kInstallPage = "https://duridove.example/installed";
const char* const kReportSite = "https://report.example";

platform::PlistValue shippedSettings() {
    platform::PlistValue english(platform::PlistValue::Dictionary{});
    english.set("InstallURL", kInstallPage);
    platform::PlistValue settings(platform::PlistValue::Dictionary{});
    settings.set("IsFristTime", "0");
    settings.set("en", english);
    return settings;
}

}  // namespace

class FirstLaunchTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment{[](auto& values) { values.preferredLanguages = {"en_US"}; }};
    testsupport::ScopedVariable bundle{"DURIDOVE_BUNDLE_DIR", environment.folder().makeFolder("bundle")};
    std::shared_ptr<testsupport::RecordingWorkspace> workspace = std::make_shared<testsupport::RecordingWorkspace>();
    std::shared_ptr<testsupport::RecordingHttpClient> client = std::make_shared<testsupport::RecordingHttpClient>();

    std::string machineIdFile() const { return environment.folder() / "machine-id"; }

    void launchOnce() {
        ui::AppDelegate shell(core::InstallReport(kReportSite, machineIdFile()));
        shell.launch();
        QTRY_VERIFY(shell.isLaunchComplete());
    }

private slots:
    void initTestCase() {
        QVERIFY(shippedSettings().writeFile(environment.folder() / "bundle/StringMessage.plist"));
        std::ofstream(machineIdFile()) << "0123456789abcdef0123456789abcdef\n";
        platform::Workspace::setShared(workspace);
        platform::HttpClient::setShared(client);
    }
    void cleanupTestCase() {
        platform::Workspace::setShared(nullptr);
        platform::HttpClient::setShared(nullptr);
    }

    void theFirstLaunchOpensTheInstallPageSendsOneReportAndMarksItselfDone() {
        launchOnce();
        QCOMPARE(workspace->calls(), std::vector<std::string>{std::string("openURL ") + kInstallPage});
        QCOMPARE(client->urls().size(), size_t(1));
        QVERIFY(QString::fromStdString(client->urls().front()).startsWith(QString(kReportSite) + "/userinfo.php?uid="));
        QCOMPARE(core::SettingsFile::valueForKey("IsFristTime").toString(), std::string("1"));
    }

    void theSecondLaunchDoesNeither() {
        launchOnce();
        QCOMPARE(workspace->calls().size(), size_t(1));
        QCOMPARE(client->urls().size(), size_t(1));
        QCOMPARE(core::SettingsFile::valueForKey("IsFristTime").toString(), std::string("1"));
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    FirstLaunchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_first_launch.moc"
