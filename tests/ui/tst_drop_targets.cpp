#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "ui/kit/controls/DragOneFileView.h"
#include "ui/kit/controls/DragView.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

namespace {

struct RecordingOwner : ui::DragViewDelegate, ui::DragOneFileViewDelegate {
    QList<QStringList> dropped;
    QStringList folders;
    int clicks = 0;

    void viewDragAction(const QStringList& paths) override { dropped << paths; }
    void viewDragAction(const QString& folderPath) override { folders << folderPath; }
    void selectFileButtonAction(QObject* sender) override {
        QVERIFY(sender == nullptr);
        ++clicks;
    }
};

QMimeData* filesPayload(const QStringList& paths) {
    auto* payload = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    payload->setUrls(urls);
    return payload;
}

bool entered(QWidget* target, const QMimeData* payload, Qt::DropActions offered) {
    QDragEnterEvent enter(QPoint(5, 5), offered, payload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

// The drag enters first, as it does under a real pointer.
bool dropped(QWidget* target, const QMimeData* payload) {
    entered(target, payload, Qt::CopyAction | Qt::MoveAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, payload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QString path(const testsupport::TempFolder& folder, const char* name) {
    return QString::fromStdString(folder / name);
}

}  // namespace

class DropTargetsTest : public QObject {
    Q_OBJECT
private slots:
    void shredderAreaDeliversAllDroppedFilesInOneList() {
        testsupport::TempFolder folder;
        folder.writeFile("a.txt", "a");
        folder.writeFile("b.txt", "b");
        folder.makeFolder("c");
        RecordingOwner owner;
        ui::DragView view;
        view.setDelegate(&owner);
        const QStringList paths = {path(folder, "a.txt"), path(folder, "b.txt"), path(folder, "c")};
        std::unique_ptr<QMimeData> payload(filesPayload(paths));

        QVERIFY(entered(&view, payload.get(), Qt::CopyAction | Qt::MoveAction));
        QVERIFY(dropped(&view, payload.get()));
        QCOMPARE(owner.dropped.size(), 1);
        QCOMPARE(owner.dropped.first(), paths);
    }

    void dragWithoutCopyIsRefusedAtEntry() {
        ui::DragView view;
        ui::DragOneFileView oneFile;
        std::unique_ptr<QMimeData> payload(filesPayload({"/tmp"}));
        QVERIFY(!entered(&view, payload.get(), Qt::MoveAction | Qt::LinkAction));
        QVERIFY(!entered(&oneFile, payload.get(), Qt::MoveAction));
        QVERIFY(entered(&oneFile, payload.get(), Qt::CopyAction));
    }

    void dragOfPlainTextIsRefusedAtEntry() {
        ui::DragView view;
        QMimeData payload;
        payload.setText("/tmp");
        QVERIFY(!entered(&view, &payload, Qt::CopyAction));
    }

    void webLinksDeliverNothingAndAreLogged() {
        testsupport::LogCapture log;
        RecordingOwner owner;
        ui::DragView view;
        ui::DragOneFileView oneFile;
        view.setDelegate(&owner);
        oneFile.setDelegate(&owner);
        QMimeData payload;
        payload.setUrls({QUrl("https://example.org/a.zip"), QUrl("ftp://example.org/")});

        QVERIFY(!dropped(&view, &payload));
        QVERIFY(!dropped(&oneFile, &payload));
        QVERIFY(owner.dropped.isEmpty());
        QVERIFY(owner.folders.isEmpty());
        QVERIFY(log.contains("Error MyNSView performDragOperation"));
    }

    void onlyTheLocalFilesOfAMixedDropCount() {
        testsupport::TempFolder folder;
        folder.writeFile("a.txt", "a");
        RecordingOwner owner;
        ui::DragView view;
        view.setDelegate(&owner);
        QMimeData payload;
        payload.setUrls({QUrl("https://example.org/"), QUrl::fromLocalFile(path(folder, "a.txt"))});

        QVERIFY(dropped(&view, &payload));
        QCOMPARE(owner.dropped, QList<QStringList>{{path(folder, "a.txt")}});
    }

    void pictureIsTakenAndIgnoredButAnEmptyOneIsRefused() {
        testsupport::LogCapture log;
        RecordingOwner owner;
        ui::DragView view;
        view.setDelegate(&owner);
        QMimeData picture;
        picture.setData("image/tiff", QByteArray("II*\0", 4));
        picture.setUrls({QUrl::fromLocalFile("/tmp")});
        QVERIFY(dropped(&view, &picture));
        QVERIFY(owner.dropped.isEmpty());

        QMimeData empty;
        empty.setData("image/tiff", QByteArray());
        QVERIFY(!dropped(&view, &empty));
        QVERIFY(log.contains("Error: MyNSView performDragOperation zPasteboardData == nil"));
    }

    void folderAreaStartsOnlyWhenTheFirstItemIsAFolder() {
        testsupport::TempFolder folder;
        folder.writeFile("file.txt", "x");
        folder.makeFolder("folder");
        RecordingOwner owner;
        ui::DragOneFileView view;
        view.setDelegate(&owner);

        std::unique_ptr<QMimeData> fileFirst(filesPayload({path(folder, "file.txt"), path(folder, "folder")}));
        QVERIFY(!dropped(&view, fileFirst.get()));
        QVERIFY(owner.folders.isEmpty());

        std::unique_ptr<QMimeData> vanished(filesPayload({path(folder, "gone"), path(folder, "folder")}));
        QVERIFY(!dropped(&view, vanished.get()));
        QVERIFY(owner.folders.isEmpty());

        std::unique_ptr<QMimeData> folderFirst(filesPayload({path(folder, "folder"), path(folder, "file.txt")}));
        QVERIFY(dropped(&view, folderFirst.get()));
        QCOMPARE(owner.folders, QStringList{path(folder, "folder")});
    }

    void clickAsksTheOwnerForItsDialog() {
        RecordingOwner owner;
        ui::DragView view;
        ui::DragOneFileView oneFile;
        view.resize(50, 50);
        oneFile.resize(50, 50);
        QTest::mouseClick(&view, Qt::LeftButton);
        view.setDelegate(&owner);
        oneFile.setDelegate(&owner);
        QTest::mouseClick(&view, Qt::LeftButton);
        QTest::mouseClick(&oneFile, Qt::LeftButton);
        QTest::mouseClick(&oneFile, Qt::RightButton);
        QCOMPARE(owner.clicks, 2);
    }
};

QTEST_MAIN(DropTargetsTest)
#include "tst_drop_targets.moc"
