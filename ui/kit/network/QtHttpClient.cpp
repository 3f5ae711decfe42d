#include "ui/kit/network/QtHttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace ui {

QtHttpClient::QtHttpClient(int transferTimeoutMs, int deadlineMs, int64_t maximumBytes)
    : transferTimeoutMs_(transferTimeoutMs), deadlineMs_(deadlineMs), maximumBytes_(maximumBytes) {}

platform::HttpReply QtHttpClient::get(const std::string& url) {
    QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid() || address.scheme().isEmpty()) return {false, "", "invalid address " + url};
    // A manager of this call's own thread: Qt Network objects belong to the thread that made them.
    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setTransferTimeout(transferTimeoutMs_);
    QNetworkReply* reply = manager.get(request);
    std::string refusal;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        refusal = "no complete answer within " + std::to_string(deadlineMs_) + " ms";
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64 total) {
        if (received <= maximumBytes_ && total <= maximumBytes_) return;
        refusal = "the answer is larger than " + std::to_string(maximumBytes_) + " bytes";
        reply->abort();
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(deadlineMs_);
    if (!reply->isFinished()) loop.exec();
    // The loop also ends when the calling thread is told to quit, with the answer still to come.
    if (!reply->isFinished() && refusal.empty()) refusal = "the request was stopped before its answer came";
    platform::HttpReply result;
    result.ok = refusal.empty() && reply->error() == QNetworkReply::NoError;
    if (result.ok) result.body = reply->readAll().toStdString();
    else result.error = refusal.empty() ? reply->errorString().toStdString() : refusal;
    reply->deleteLater();
    return result;
}

}  // namespace ui
