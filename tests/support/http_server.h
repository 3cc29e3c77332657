#pragma once

#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small HTTP server on the loopback address for tests: each path answers
// with its status and body, optionally after a delay; requested paths are kept.
class TestHttpServer : public QTcpServer {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
    };
    QHash<QString, Answer> answers;
    QStringList requested;

    bool start() { return listen(QHostAddress::LocalHost, 0); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }

protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            buffer_[socket] += socket->readAll();
            const QByteArray& b = buffer_[socket];
            if (!b.contains("\r\n\r\n"))
                return;
            const QList<QByteArray> first = b.left(b.indexOf("\r\n")).split(' ');
            const QString path = QString::fromLatin1(first.value(1));
            requested << path;
            const Answer a = answers.value(path, Answer{404, "not found", 0});
            QTimer::singleShot(a.delayMs, socket, [socket, a] {
                QByteArray response = "HTTP/1.1 " + QByteArray::number(a.status) + (a.status == 200 ? " OK" : " Error") +
                                      "\r\nContent-Length: " + QByteArray::number(a.body.size()) +
                                      "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n" + a.body;
                socket->write(response);
                socket->disconnectFromHost();
            });
        });
        connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
            buffer_.remove(socket);
            socket->deleteLater();
        });
    }

private:
    QHash<QTcpSocket*, QByteArray> buffer_;
};
