#pragma once

// Qt only: for the interface tests, which link Qt; the shared support library does not.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <string>

namespace testsupport {

// What a LocalWebServer answers.
struct WebAnswer {
    QByteArray status = "200 OK";
    QByteArray body;
    // Above 0: the headers, then one byte every so many milliseconds, never ending.
    int trickleMs = 0;
};

// A web server on a local port that gives every request the same answer, served from the
// thread that made it (the test's main thread, while it waits in its event loop).
class LocalWebServer : public QObject {
public:
    using Answer = WebAnswer;

    explicit LocalWebServer(Answer answer = {}) : answer_(std::move(answer)) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_ += socket->readAll();
                if (request_.contains("\r\n\r\n")) respond(socket);
            });
        });
    }

    void setAnswer(Answer answer) { answer_ = std::move(answer); }
    std::string url(const char* path) const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path; }
    QByteArray request() const { return request_; }

private:
    void respond(QTcpSocket* socket) {
        if (answer_.trickleMs > 0) {
            socket->write("HTTP/1.1 " + answer_.status + "\r\nContent-Length: 1000\r\n\r\n");
            auto* trickle = new QTimer(socket);
            connect(trickle, &QTimer::timeout, socket, [socket] { socket->write("<"); });
            trickle->start(answer_.trickleMs);
            return;
        }
        socket->write("HTTP/1.1 " + answer_.status + "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                      QByteArray::number(answer_.body.size()) + "\r\nConnection: close\r\n\r\n" + answer_.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    Answer answer_;
    QByteArray request_;
};

}  // namespace testsupport
