#pragma once
// A small HTTP server on 127.0.0.1 that serves spot pages to the cluster window under test,
// and remembers the paths it was asked for.
#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

namespace test {

class Serveur_Spots : public QObject {
public:
    enum class Mode { Repond, Muet };

    Serveur_Spots()
    {
        serveur_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&serveur_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = serveur_.nextPendingConnection()) {
                s->setParent(this);
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { lire(s); });
            }
        });
    }

    // "http://127.0.0.1:port", to store under the host key.
    QString adresse() const { return QStringLiteral("http://127.0.0.1:%1").arg(serveur_.serverPort()); }

    // The answer to every path: status and body.
    void servir(int statut, const QByteArray& corps)
    {
        statut_ = statut;
        corps_ = corps;
        mode = Mode::Repond;
    }

    Mode mode = Mode::Repond;
    QStringList chemins;  // paths asked, in order

private:
    void lire(QTcpSocket* s)
    {
        QByteArray& tampon = tampons_[s];
        tampon += s->readAll();
        if (!tampon.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> premiere = tampon.left(tampon.indexOf("\r\n")).split(' ');
        chemins << QString::fromLatin1(premiere.value(1));
        tampons_.remove(s);
        if (mode == Mode::Muet)
            return;  // the connection stays open and silent
        const QByteArray raison = statut_ == 200 ? "OK" : statut_ == 404 ? "Not Found" : "Error";
        QByteArray r = "HTTP/1.1 " + QByteArray::number(statut_) + " " + raison + "\r\n";
        r += "Content-Type: text/html\r\nConnection: close\r\nContent-Length: " + QByteArray::number(corps_.size()) +
             "\r\n\r\n" + corps_;
        s->write(r);
        s->disconnectFromHost();
    }

    QTcpServer serveur_;
    QMap<QTcpSocket*, QByteArray> tampons_;
    int statut_ = 200;
    QByteArray corps_;
};

// An address where nothing listens: the connection is refused.
inline QString adresseRefusee()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 port = s.serverPort();
    s.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

} // namespace test
