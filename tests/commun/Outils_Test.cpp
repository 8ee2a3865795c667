#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "platform/Horloge.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QTest>
#include <QWidget>

namespace test {

Environnement::Environnement(bool modeles)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages_.path());
    plateforme::definirDossierProgramme(programme_.path());
    if (modeles)
        plateforme::installerModeles(dossierModeles());
    Prog() = Variables_Programme{};
    plateforme::libererHorloge();
    plateforme::reinitialiserFinProgramme();
    plateforme::definirFinProgramme([this] { fin_ = true; });
    plateforme::installerRepondeur([this](const QString& t, plateforme::Boutons b, plateforme::Icone i) {
        messages.push_back({t, b, i});
        if (!reponses.empty()) {
            const auto r = reponses.front();
            reponses.pop_front();
            return r;
        }
        switch (b) {
        case plateforme::Boutons::OuiNon:
            return plateforme::Reponse::Oui;
        default:
            return plateforme::Reponse::Ok;
        }
    });
}

Environnement::~Environnement()
{
    Carnet::detruireInstance();
    plateforme::retirerRepondeur();
    plateforme::definirFinProgramme(nullptr);
    plateforme::reinitialiserFinProgramme();
    plateforme::libererHorloge();
    Prog() = Variables_Programme{};
}

QString Environnement::dossier() const
{
    return programme_.path();
}

QString Environnement::chemin(const QString& nom) const
{
    return programme_.path() + QLatin1Char('/') + nom;
}

QStringList Environnement::textes() const
{
    QStringList l;
    for (const auto& m : messages)
        l << m.texte;
    return l;
}

void Environnement::fixerHorloge(const QDateTime& utc, int decalageSecondes)
{
    plateforme::fixerHorloge(utc, decalageSecondes);
}

QString dossierModeles()
{
    return QStringLiteral(VELMARIN_MODELES);
}

QString dossierDonnees()
{
    return QStringLiteral(VELMARIN_DONNEES_TEST);
}

QByteArray lireOctets(const QString& cheminComplet)
{
    QFile f(cheminComplet);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void ecrireOctets(const QString& cheminComplet, const QByteArray& octets)
{
    QFile f(cheminComplet);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(octets);
}

QByteArray enAnsi(const QStringList& lignes)
{
    QString t;
    for (const QString& l : lignes)
        t += l + QStringLiteral("\r\n");
    return plateforme::versAnsi(t);
}

void taper(QWidget* controle, const QString& texte)
{
    for (QChar c : texte) {
        if (c.unicode() < 128) {
            QTest::keyClick(controle, c.toLatin1());
        } else {
            QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(controle, &appui);
            QKeyEvent relache(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(controle, &relache);
        }
    }
}

void entree(QWidget* controle)
{
    QTest::keyClick(controle, Qt::Key_Return);
}

QString ligneQSO(const QString& date, const QString& indicatif, const QString& debut, const QString& bande,
                 const QString& prenom)
{
    station::Ligne_QSO l;
    l.Date_QSO = date;
    l.Indicatif_QSO = indicatif;
    l.Heure_Debut = debut;
    l.Heure_Fin = debut;
    l.Bande_QSO = bande;
    l.Mode_QSO = QStringLiteral("SSB");
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("59");
    l.Prenom_QSO = prenom;
    l.Distance_QSO = QStringLiteral("?");
    l.Azimut_QSO = QStringLiteral("?");
    return l.texte();
}

} // namespace test
