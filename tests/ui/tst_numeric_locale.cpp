#include "ui/kit/desktop/NumericLocale.h"

#include <QApplication>
#include <QtTest>

#include <clocale>
#include <cstdio>
#include <cstdlib>

// The application is started under a comma locale, as a German desktop would start it.
class NumericLocaleTest : public QObject {
    Q_OBJECT
private slots:
    void sizeTextsKeepTheirPointUnderACommaLocale() {
        char buffer[32];
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) QSKIP("the de_DE.UTF-8 locale is not installed");
        std::snprintf(buffer, sizeof buffer, "%0.2f KB", 1.5);
        QCOMPARE(QString(buffer), QString("1,50 KB"));
        ui::useCNumericLocale();
        std::snprintf(buffer, sizeof buffer, "%0.2f KB", 1.5);
        QCOMPARE(QString(buffer), QString("1.50 KB"));
    }
};

int main(int argc, char* argv[]) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    QApplication application(argc, argv);
    NumericLocaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_numeric_locale.moc"
