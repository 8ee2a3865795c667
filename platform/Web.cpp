#include "platform/Web.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace plateforme {

Telechargement::Telechargement(QObject* parent) : QObject(parent)
{
    reseau_ = new QNetworkAccessManager(this);
    delai_ = new QTimer(this);
    delai_->setSingleShot(true);
    connect(delai_, &QTimer::timeout, this, [this] { terminer(QStringLiteral("délai dépassé")); });
}

Telechargement::~Telechargement()
{
    annuler();
}

bool Telechargement::lancer(const QString& adresse, int delaiMs, qint64 tailleMax,
                            std::function<void(const Reponse_Web&)> fin)
{
    if (enCours())
        return false;
    const QUrl url(adresse);
    fin_ = std::move(fin);
    tailleMax_ = tailleMax;
    corps_.clear();
    QNetworkRequest requete(url);
    requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    reponse_ = reseau_->get(requete);
    QNetworkReply* r = reponse_;
    connect(r, &QNetworkReply::readyRead, this, [this, r] {
        if (r != reponse_)
            return;
        corps_ += r->readAll();
        if (corps_.size() > tailleMax_)
            terminer(QStringLiteral("page trop grande"));
    });
    connect(r, &QNetworkReply::metaDataChanged, this, [this, r] {
        if (r != reponse_)
            return;
        const QVariant longueur = r->header(QNetworkRequest::ContentLengthHeader);
        if (longueur.isValid() && longueur.toLongLong() > tailleMax_)
            terminer(QStringLiteral("page trop grande"));
    });
    connect(r, &QNetworkReply::finished, this, [this, r] {
        if (r == reponse_)
            terminer();
    });
    delai_->start(delaiMs);
    return true;
}

void Telechargement::annuler()
{
    delai_->stop();
    fin_ = nullptr;
    if (QNetworkReply* r = reponse_) {
        reponse_ = nullptr;
        r->disconnect(this);
        r->abort();
        r->deleteLater();
    }
}

// Ends the fetch under way and hands its outcome to the handler (once).
void Telechargement::terminer(const QString& erreurForcee)
{
    QNetworkReply* r = reponse_;
    if (!r)
        return;
    reponse_ = nullptr;
    delai_->stop();
    r->disconnect(this);
    Reponse_Web resultat;
    resultat.statut = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!erreurForcee.isEmpty()) {
        r->abort();
        resultat.erreur = erreurForcee;
    } else {
        corps_ += r->readAll();
        if (r->error() != QNetworkReply::NoError)
            resultat.erreur = r->errorString();
        else if (resultat.statut < 200 || resultat.statut > 299)
            resultat.erreur = QStringLiteral("réponse HTTP %1").arg(resultat.statut);
        else if (corps_.size() > tailleMax_)
            resultat.erreur = QStringLiteral("page trop grande");
        else {
            resultat.reussi = true;
            resultat.corps = corps_;
        }
    }
    r->deleteLater();
    corps_.clear();
    auto f = std::move(fin_);
    fin_ = nullptr;
    if (f)
        f(resultat);
}

} // namespace plateforme
