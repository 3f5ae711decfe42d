#include "platform/desktop/ModuleHttpClient.h"
#include "support/LocalWebServer.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/InterfaceFonts.h"
#include "ui/kit/network/QtHttpClient.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/controls/TwoColorText.h"

#include <QApplication>
#include <QFontInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include <future>
#include <thread>

namespace {

QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

}  // namespace

class KitTextAndWebTest : public QObject {
    Q_OBJECT
private slots:
    void theChangeTextGetsItsColourFontAndACentredParagraph() {
        QFont normal = ui::fontWithName("DejaVu Sans", 12);
        QFont bold = ui::fontWithName("DejaVu Serif", 20);
        bold.setBold(true);
        testsupport::LogCapture log;
        QString html = ui::setStringFontWithMainStr("共 12 项 <可清理>\n第二行", getColor(0, 0, 0, 1), "12",
                                                    getColor(74, 186, 71, 1), bold, normal, 16);
        QTextDocument document;
        document.setHtml(html);
        QCOMPARE(document.toPlainText(), QString("共 12 项 <可清理>\n第二行"));
        QTextCharFormat before = formatAt(document, 0);
        QTextCharFormat change = formatAt(document, 2);
        QTextCharFormat after = formatAt(document, 5);
        QCOMPARE(before.foreground().color(), getColor(0, 0, 0, 1));
        QCOMPARE(before.font().family(), QString("DejaVu Sans"));
        QCOMPARE(change.foreground().color(), getColor(74, 186, 71, 1));
        QCOMPARE(change.font().family(), QString("DejaVu Serif"));
        QCOMPARE(change.font().bold(), true);
        QCOMPARE(change.font().pointSizeF(), ui::fontWithName("DejaVu Serif", 16).pointSizeF());
        QCOMPARE(after.foreground().color(), getColor(0, 0, 0, 1));
        QCOMPARE(document.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(!(document.lastBlock().blockFormat().alignment() & Qt::AlignHCenter));
        QVERIFY(!log.contains("Failed _1"));
        QVERIFY(log.contains("Failed _2"));
    }

    void aChangeTextThatDoesNotOccurLeavesTheMainLook() {
        QFont normal = ui::fontWithName("DejaVu Sans", 12);
        for (const QString& missing : {QString("99"), QString()}) {
            testsupport::LogCapture log;
            QString html = ui::setStringFontWithMainStr("共 12 项", getColor(10, 20, 30, 1), missing,
                                                        getColor(74, 186, 71, 1), normal, normal, 16);
            QTextDocument document;
            document.setHtml(html);
            QCOMPARE(document.toPlainText(), QString("共 12 项"));
            for (int position = 0; position < 5; ++position)
                QCOMPARE(formatAt(document, position).foreground().color(), getColor(10, 20, 30, 1));
            QVERIFY(log.contains("Failed _1"));
            QVERIFY(log.contains("Failed _2"));
        }
    }

    // One family for all three, as on a machine with a single face: the weights still differ.
    void fontNamesRoundTripThroughTheSettingsWithTheirWeights() {
        testsupport::ScopedEnvironment environment;
        QCOMPARE(ui::lightFontName(), QString());
        QFont font = ui::fontWithName("DejaVu Sans", 12);
        const QString family = QFontInfo(font).family();
        font.setWeight(QFont::Light);
        QVERIFY(ui::writLightFont(font));
        font.setWeight(QFont::Normal);
        QVERIFY(ui::writRegularFont(font));
        font.setWeight(QFont::Bold);
        QVERIFY(ui::writBoldFont(font));
        const QStringList names{ui::lightFontName(), ui::regularFontName(), ui::boldFontName()};
        QCOMPARE(names, (QStringList{family + "-Light", family + "-Regular", family + "-Bold"}));
        const QList<QFont::Weight> weights{QFont::Light, QFont::Normal, QFont::Bold};
        for (int i = 0; i < names.size(); ++i) {
            const QFont read = ui::fontWithName(names[i], 12);
            QCOMPARE(read.families(), QStringList{family});
            QCOMPARE(read.weight(), weights[i]);
        }
        // A plain family name, hyphen or not, is read as the family at the regular weight.
        QCOMPARE(ui::fontWithName("Noto Sans-Extra", 12).families(), QStringList{"Noto Sans-Extra"});
        QCOMPARE(ui::fontWithName("Helvetica Light", 12).weight(), QFont::Normal);
    }

    void aRequestBringsTheBodyOnAnyThread() {
        testsupport::LocalWebServer server({"200 OK", "响应正文"});
        ui::QtHttpClient client;
        platform::HttpReply reply = client.get(server.url("/userinfo.php?uid=A&ptype=Duridove&install=1"));
        QVERIFY2(reply.ok, reply.error.c_str());
        QCOMPARE(QString::fromStdString(reply.body), QString("响应正文"));
        QVERIFY(server.request().startsWith("GET /userinfo.php?uid=A&ptype=Duridove&install=1 HTTP/1.1"));

        // From a thread of its own, as the update check asks, while this thread serves.
        auto answer = std::async(std::launch::async, [&] { return client.get(server.url("/version.plist")); });
        QTRY_VERIFY_WITH_TIMEOUT(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 20000);
        QVERIFY(answer.get().ok);
    }

    // The application's client: Qt Network is loaded with its module on the first request.
    void theModuleClientLoadsOnTheFirstRequestAndAMissingModuleFailsSayingWhy() {
        testsupport::LocalWebServer server({"200 OK", "响应正文"});
        platform::ModuleHttpClient client(std::string(DURIDOVE_BIN_DIR) + "/duridove_http.so", "duridoveMakeHttpClient");
        platform::HttpReply reply = client.get(server.url("/version.plist"));
        QVERIFY2(reply.ok, reply.error.c_str());
        QCOMPARE(QString::fromStdString(reply.body), QString("响应正文"));

        platform::ModuleHttpClient missing(std::string(DURIDOVE_BIN_DIR) + "/no-such-module.so", "duridoveMakeHttpClient");
        for (int request = 0; request < 2; ++request) {
            reply = missing.get(server.url("/version.plist"));
            QVERIFY(!reply.ok);
            QVERIFY2(reply.error.find("no-such-module.so cannot be loaded") != std::string::npos, reply.error.c_str());
        }
    }

    void failuresAreReportedNotThrown() {
        ui::QtHttpClient client(2000);
        QVERIFY(!client.get("not a url").ok);
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        const quint16 port = closed.serverPort();
        closed.close();
        platform::HttpReply reply = client.get("http://127.0.0.1:" + std::to_string(port) + "/");
        QVERIFY(!reply.ok);
        QVERIFY(!reply.error.empty());
    }

    // Answers that never end or never stop growing fail by the deadline or at the byte cap;
    // the transfer timeout alone would wait on a trickle forever.
    void aTrickleFailsAtTheDeadlineAndABigAnswerAtTheCap_data() {
        QTest::addColumn<int>("trickleMs");
        QTest::addColumn<int>("bodyBytes");
        QTest::addColumn<QString>("why");
        QTest::newRow("trickle") << 100 << 0 << "no complete answer within 1500 ms";
        QTest::newRow("too big") << 0 << 4097 << "the answer is larger than 4096 bytes";
        QTest::newRow("just fits") << 0 << 4096 << "";
    }
    void aTrickleFailsAtTheDeadlineAndABigAnswerAtTheCap() {
        QFETCH(int, trickleMs);
        QFETCH(int, bodyBytes);
        QFETCH(QString, why);
        testsupport::LocalWebServer server({"200 OK", QByteArray(bodyBytes, 'x'), trickleMs});
        ui::QtHttpClient client(1000, 1500, 4096);
        const platform::HttpReply reply = client.get(server.url("/version.plist"));
        QCOMPARE(QString::fromStdString(reply.error), why);
        QCOMPARE(reply.ok, why.isEmpty());
        QCOMPARE(reply.body.size(), reply.ok ? size_t(bodyBytes) : 0);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    KitTextAndWebTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kit_text_and_web.moc"
