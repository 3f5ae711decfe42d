#include "ui/shell/MyNSApplication.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

// A widget that takes the editing actions as slots, without any key handling of its own.
// The keys a widget received, leaving out presses of the modifier keys themselves.
void record(QList<QKeySequence>& keys, QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta) return;
    keys << QKeySequence(event->keyCombination());
}

class Responder : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    QStringList received;
    QList<QKeySequence> keys;

public slots:
    void copy() { received << "copy"; }
    void redo() { received << "redo"; }
    void selectAll() { received << "selectAll"; }

protected:
    void keyPressEvent(QKeyEvent* event) override { record(keys, event); }
};

class KeyRecorder : public QWidget {
    Q_OBJECT
public:
    explicit KeyRecorder(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    QList<QKeySequence> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { record(keys, event); }
};

class ShortcutsTest : public QObject {
    Q_OBJECT
private:
    QWidget window;
    Responder* container = nullptr;
    QLineEdit* field = nullptr;
    KeyRecorder* plain = nullptr;
    KeyRecorder* loner = nullptr;
    Responder* taker = nullptr;
    int windowActions = 0;

    void focus(QWidget* widget) {
        widget->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), widget);
    }

private slots:
    void initTestCase() {
        auto* layout = new QVBoxLayout(&window);
        field = new QLineEdit(&window);
        container = new Responder(&window);
        plain = new KeyRecorder(container);
        taker = new Responder(&window);
        taker->setFocusPolicy(Qt::StrongFocus);
        loner = new KeyRecorder(&window);
        layout->addWidget(loner);
        layout->addWidget(field);
        layout->addWidget(container);
        layout->addWidget(taker);
        // A window action on the same keys must not take them from the focused widget.
        auto* copyAction = new QAction(&window);
        copyAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
        connect(copyAction, &QAction::triggered, this, [this] { ++windowActions; });
        window.addAction(copyAction);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void theEditingKeysReachATextField() {
        focus(field);
        field->setText("hello");
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(field->selectedText(), QString("hello"));
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("hello"));
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(field->text(), QString());
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text(), QString("hellohello"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), QString("hello"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(field->text(), QString("hellohello"));
        QCOMPARE(windowActions, 0);
    }

    void aCapitalZTypedWithShiftIsText() {
        focus(field);
        field->setText("ab");
        field->end(false);
        QTest::keyClick(field, 'Z', Qt::ShiftModifier);
        QCOMPARE(field->text(), QString("abZ"));
    }

    void theActionGoesToTheFocusedWidgetBeforeAnyWindowAction() {
        focus(taker);
        taker->received.clear();
        QTest::keyClick(taker, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(taker, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(taker->received, QStringList({"copy", "redo"}));
        QCOMPARE(taker->keys, QList<QKeySequence>());
        QCOMPARE(windowActions, 0);
    }

    void onlyExactlyControlIsRouted() {
        focus(taker);
        taker->received.clear();
        taker->keys.clear();
        QTest::keyClick(taker, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(taker, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(taker->received, QStringList());
        QCOMPARE(taker->keys.size(), 2);
    }

    void aParentWithTheSlotTakesTheAction() {
        focus(plain);
        container->received.clear();
        QTest::keyClick(plain, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(container->received, QStringList({"selectAll"}));
        QCOMPARE(plain->keys, QList<QKeySequence>());
    }

    void aKeyNobodyTakesGoesOnAsUsual() {
        focus(loner);
        QTest::keyClick(loner, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(loner, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(loner->keys, QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::CTRL | Qt::Key_X)}));
        const int before = windowActions;
        QTest::keyClick(loner, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(windowActions, before + 1);
    }
};

int main(int argc, char* argv[]) {
    ui::MyNSApplication application(argc, argv);
    ShortcutsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shortcuts.moc"
