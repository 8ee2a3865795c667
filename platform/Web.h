#pragma once
// Fetch of a web page by HTTP, without holding up the window: the answer comes back through a
// handler once the transfer has ended, failed or run out of time.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace plateforme {

struct Reponse_Web {
    bool reussi = false;   // the server answered 2xx and the whole body arrived
    int statut = 0;        // HTTP status, 0 when no answer came
    QByteArray corps;      // the body (empty on failure)
    QString erreur;        // what went wrong, for the messages
};

class Telechargement : public QObject {
public:
    explicit Telechargement(QObject* parent = nullptr);
    ~Telechargement() override;

    // Starts fetching `adresse`. The whole transfer must end within `delaiMs` milliseconds and
    // the body must not exceed `tailleMax` bytes, else it fails. Returns false, and does
    // nothing, while another fetch of this object is under way.
    bool lancer(const QString& adresse, int delaiMs, qint64 tailleMax,
                std::function<void(const Reponse_Web&)> fin);
    bool enCours() const { return !reponse_.isNull(); }
    // Stops the fetch under way; its handler is not called.
    void annuler();

private:
    void terminer(const QString& erreurForcee = QString());

    QNetworkAccessManager* reseau_ = nullptr;
    QPointer<QNetworkReply> reponse_;
    QTimer* delai_ = nullptr;
    qint64 tailleMax_ = 0;
    QByteArray corps_;
    std::function<void(const Reponse_Web&)> fin_;
};

} // namespace plateforme
