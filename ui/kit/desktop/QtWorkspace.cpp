#include "ui/kit/desktop/QtWorkspace.h"

#include "platform/system/Log.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ui {

bool QtWorkspace::openURL(const std::string& url) {
    QUrl link(QString::fromStdString(url));
    if (url.empty() || !link.isValid()) {
        platform::logWarning("not a link to open: " + url);
        return false;
    }
    return QDesktopServices::openUrl(link);
}

bool QtWorkspace::openFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtWorkspace::revealFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    if (reply.type() == QDBusMessage::ReplyMessage) return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
}

// Started detached, so it outlives the panel and leaves no child behind to reap.
bool QtWorkspace::launchApplication(const std::string& program) {
    if (QProcess::startDetached(QString::fromStdString(program), {})) return true;
    platform::logWarning("could not start " + program);
    return false;
}

}  // namespace ui
