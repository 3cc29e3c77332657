#pragma once

#include <QHash>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// What the test servers answer: each path with its status and body,
// optionally after a delay; requested paths are kept. Bounded: a request
// larger than 16 KiB or slower than 10 s is dropped.
class HttpAnswers {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
    };
    QHash<QString, Answer> answers;
    QStringList requested;

protected:
    void serve(QTcpSocket* socket) {
        QTimer::singleShot(10000, socket, [socket] { socket->abort(); });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            buffer_[socket] += socket->readAll();
            const QByteArray& b = buffer_[socket];
            if (b.size() > 16 * 1024) {
                socket->abort();
                return;
            }
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
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
            buffer_.remove(socket);
            socket->deleteLater();
        });
    }

private:
    QHash<QTcpSocket*, QByteArray> buffer_;
};

// A small HTTP server on the loopback address for tests.
class TestHttpServer : public QTcpServer, public HttpAnswers {
public:
    bool start() { return listen(QHostAddress::LocalHost, 0); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }

protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        serve(socket);
    }
};

// The same over TLS with the given certificate and key, on the loopback
// address; a handshake has 5 s.
class TestHttpsServer : public QSslServer, public HttpAnswers {
public:
    bool start(const QSslCertificate& certificate, const QSslKey& key) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(certificate);
        tls.setPrivateKey(key);
        tls.setPeerVerifyMode(QSslSocket::VerifyNone); // clients are not asked for a certificate
        setSslConfiguration(tls);
        setHandshakeTimeout(5000);
        setMaxPendingConnections(8);
        connect(this, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                serve(socket);
        });
        return listen(QHostAddress::LocalHost, 0);
    }
    QString base(const QString& host = QStringLiteral("127.0.0.1")) const {
        return QStringLiteral("https://%1:%2/").arg(host).arg(serverPort());
    }
};
