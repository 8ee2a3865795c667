#include "exchange/Export_Adif.h"

#include "exchange/Adif.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"

namespace echange {

using station::Champ;

QString bandeExportAdif(const QString& bandeJournal)
{
    const QString adif = bandeVersAdif(bandeJournal);
    return adif.isEmpty() ? QStringLiteral("XX.m") : adif;
}

QString dateAdif(const QString& dateJournal)
{
    // "jj/mm/aa": day, month, year at 1-2, 4-5, 7-8.
    const QString d = dateJournal.leftJustified(8, QLatin1Char(' '));
    const QString an = d.mid(6, 2);
    bool ok = false;
    const int n = an.toInt(&ok);
    const QString siecle = ok && n >= 50 ? QStringLiteral("19") : QStringLiteral("20");
    return siecle + an + d.mid(3, 2) + d.mid(0, 2);
}

QString champAdif(const char* nom, const QString& valeur)
{
    // The file is UTF-8: the length counts the bytes written, two or three for an accented
    // letter or a sign such as "€".
    return QLatin1Char('<') + QLatin1String(nom) + QLatin1Char(':') + QString::number(valeur.toUtf8().size()) +
           QLatin1Char('>') + valeur;
}

QString ligneExportAdif(const QString& record)
{
    const auto lire = [&](Champ c) { return station::lireChamp(record, c); };
    QString l;
    l += champAdif("call", lire(Champ::Indicatif_QSO));
    const QString prenom = lire(Champ::Prenom_QSO);
    if (!prenom.isEmpty())
        l += champAdif("name", prenom);
    const QString locator = lire(Champ::Locator_QSO);
    if (!locator.isEmpty())
        l += champAdif("gridsquare", locator);
    l += champAdif("band", bandeExportAdif(lire(Champ::Bande_QSO)));
    const ModeAdif mode = modeVersAdif(lire(Champ::Mode_QSO));
    l += champAdif("mode", mode.mode);
    if (!mode.sousMode.isEmpty())
        l += champAdif("submode", mode.sousMode);
    l += champAdif("qso_date", dateAdif(record.left(8)));
    l += champAdif("time_on", lire(Champ::Heure_Debut).remove(QLatin1Char(':')));
    l += champAdif("time_off", lire(Champ::Heure_Fin).remove(QLatin1Char(':')));
    l += champAdif("rst_sent", lire(Champ::RST_Envoye));
    l += champAdif("rst_rcvd", lire(Champ::RST_Recu));
    // Only the first two columns of the department field hold the code.
    const QString departement = station::sansBlancs(QStringView(record).mid(36, 2)).toString();
    l += champAdif("comment", QStringLiteral("Dpt:") + departement + QStringLiteral("  ") + lire(Champ::QTH_QSO) +
                                  QLatin1Char(' ') + lire(Champ::Remarques_QSO));
    l += QStringLiteral("<eor>");
    return l;
}

QStringList enteteExportAdif(const QString& indicatifAffiche)
{
    return {QStringLiteral("Exportation du log Velmarin de ") + indicatifAffiche + QStringLiteral(" au format ADIF"),
            QString(),
            QStringLiteral("Velmarin, carnet de trafic radioamateur"),
            QString(),
            QString(),
            QStringLiteral("<eoh>")};
}

QString nomFichierAdif(const QString& indicatif)
{
    return indicatif + QStringLiteral(".adi");
}

QString controleIntervalle(const DemandeExportAdif& demande)
{
    if (!demande.partiel)
        return QString();
    if (demande.debut.isEmpty() || demande.fin.isEmpty())
        return QStringLiteral("Entrez un N° de debut et de fin de QSO");
    const double debut = Valeur_Numerique(demande.debut);
    const double fin = Valeur_Numerique(demande.fin);
    // Boxes that hold no QSO number at all would export an empty file.
    if (fin < 1)
        return QStringLiteral("Entrez un N° de debut et de fin de QSO");
    if (fin < debut)
        return QStringLiteral("Le N° de fin est inferieur au N° de debut");
    return QString();
}

QString controleFinIntervalle(const DemandeExportAdif& demande, int nombreLignes)
{
    if (demande.partiel && Valeur_Numerique(demande.fin) > nombreLignes)
        return QStringLiteral("Le N° de fin est superieur au dernier N° de QSO");
    return QString();
}

bool ligneExportable(const QString& record)
{
    return !station::lireChamp(record, Champ::Indicatif_QSO).isEmpty() && station::dateEtHeureLisibles(record);
}

QString exporterAdif(const QString& indicatif, const QString& indicatifAffiche, const DemandeExportAdif& demande,
                     int* ecartees)
{
    const QString refus = controleIntervalle(demande);
    if (!refus.isEmpty())
        return refus;
    const QStringList lignes = plateforme::lireLignes(station::nomJournal(indicatif));
    const QString refusFin = controleFinIntervalle(demande, int(lignes.size()));
    if (!refusFin.isEmpty())
        return refusFin;

    const double debut = Valeur_Numerique(demande.debut);
    const double fin = Valeur_Numerique(demande.fin);
    QStringList sortie = enteteExportAdif(indicatifAffiche);
    sortie.reserve(sortie.size() + lignes.size());
    int nonExportees = 0;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const double numero = double(i + 1);
        if (demande.partiel && (numero < debut || numero > fin))
            continue;
        if (ligneExportable(lignes.at(i)))
            sortie << ligneExportAdif(lignes.at(i));
        else
            ++nonExportees;
    }
    // Unlike the data files, the export is UTF-8, as the loggers that read it expect.
    QByteArray octets;
    for (const QString& l : sortie) {
        octets += l.toUtf8();
        octets += "\r\n";
    }
    plateforme::ecrireOctets(nomFichierAdif(indicatif), octets);
    if (ecartees)
        *ecartees = nonExportees;
    return QString();
}

QString messageErreurExport(int numero, const QString& detail)
{
    QString texte = QStringLiteral("Erreur  ") + QString::number(numero);
    if (numero == 70)
        texte += QStringLiteral(" Disquette protegée");
    else if (numero == 71)
        texte += QStringLiteral(" Pas de disquette dans le lecteur");
    if (!detail.isEmpty())
        texte += QStringLiteral("\r\n") + detail;
    return texte;
}

} // namespace echange
