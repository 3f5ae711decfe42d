#include "ui/kit/desktop/ChineseQtTexts.h"

#include "platform/system/Log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

bool useChineseQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder) || !QCoreApplication::installTranslator(translator)) {
        platform::logWarning("Qt's Chinese translation (qtbase_zh_CN) is not installed in " + folder.toStdString() +
                             ": Qt's own panel texts stay English");
        delete translator;
        return false;
    }
    return true;
}

}  // namespace ui
