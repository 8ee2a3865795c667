#include "station/Gardes_Ecriture.h"

#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"

#include <QHash>

namespace station {

namespace {

QHash<QString, QString>& journauxRefuses()
{
    static QHash<QString, QString> refuses;
    return refuses;
}

QString cle(const QString& nomFichier)
{
    return nomFichier.toLower();
}

QString nomDuJournal(const QString& indicatif)
{
    return indicatif + QStringLiteral(".log");
}

// A file of the placeholder station: "FXXXX.log", "FXXXX_Departement.txt" and the like.
bool fichierDuModele(const QString& nomFichier)
{
    const QString& modele = Cles_Registre::Indicatif_Vide;
    if (!nomFichier.startsWith(modele, Qt::CaseInsensitive) || nomFichier.size() == modele.size())
        return false;
    const QChar suite = nomFichier.at(modele.size());
    return suite == QLatin1Char('.') || suite == QLatin1Char('_');
}

} // namespace

QString messageStationNonConfiguree()
{
    return QStringLiteral("La station n'est pas encore configurée : entrez votre indicatif et votre locator "
                          "(menu Station, « Indicatif et locator de la station ») avant d'enregistrer.");
}

bool stationNonConfiguree(const QString& indicatif)
{
    return indicatif.compare(Cles_Registre::Indicatif_Vide, Qt::CaseInsensitive) == 0;
}

void refuserJournal(const QString& indicatif, const QString& raison)
{
    installerGardesEcriture();
    journauxRefuses().insert(cle(nomDuJournal(indicatif)), raison);
}

void autoriserJournal(const QString& indicatif)
{
    journauxRefuses().remove(cle(nomDuJournal(indicatif)));
}

void autoriserTousLesJournaux()
{
    journauxRefuses().clear();
}

void installerGardesEcriture()
{
    static const bool installe = [] {
        plateforme::definirRegleEcriture(QStringLiteral("modeles"), [](const QString& nom) {
            return fichierDuModele(nom) ? messageStationNonConfiguree() : QString();
        });
        plateforme::definirRegleEcriture(QStringLiteral("journaux"), [](const QString& nom) {
            return journauxRefuses().value(cle(nom));
        });
        return true;
    }();
    (void)installe;
}

} // namespace station
