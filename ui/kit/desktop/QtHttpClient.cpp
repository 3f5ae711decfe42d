#include "ui/kit/desktop/QtHttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace ui {

QtHttpClient::QtHttpClient(int transferTimeoutMs) : transferTimeoutMs_(transferTimeoutMs) {}

platform::HttpReply QtHttpClient::get(const std::string& url) {
    QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid() || address.scheme().isEmpty()) return {false, "", "invalid address " + url};
    // A manager of this call's own thread: Qt Network objects belong to the thread that made them.
    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setTransferTimeout(transferTimeoutMs_);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    platform::HttpReply result;
    result.ok = reply->error() == QNetworkReply::NoError;
    result.body = reply->readAll().toStdString();
    if (!result.ok) result.error = reply->errorString().toStdString();
    reply->deleteLater();
    return result;
}

}  // namespace ui
