#include "ui/kit/desktop/ChineseQtTexts.h"

#include <QApplication>
#include <QFileDialog>
#include <QtTest>

// Qt's own panels speak the interface's language: the folder panel's labels are Chinese, not
// Qt's English, under an English desktop.
class ChineseQtTextsTest : public QObject {
    Q_OBJECT
private slots:
    void folderPanelLabelsAreChinese() {
        QVERIFY(ui::useChineseQtTexts(*qApp));
        QFileDialog panel;
        panel.setOption(QFileDialog::DontUseNativeDialog);
        panel.setFileMode(QFileDialog::Directory);
        for (auto label : {QFileDialog::LookIn, QFileDialog::FileType, QFileDialog::Reject}) {
            const QString text = panel.labelText(label);
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\p{Han}"))), qPrintable(text));
        }
    }
};

int main(int argc, char* argv[]) {
    qputenv("LANG", "en_US.UTF-8");
    QApplication application(argc, argv);
    ChineseQtTextsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_chinese_qt_texts.moc"
