#include "qsl/Marques_QSL.h"

#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Controles_Carnet.h"
#include "station/Dates.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Mises_A_Jour.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace qsl {

namespace {

// Columns of the record (1-based).
constexpr int ColEtat = 135;
constexpr int ColEnvoyee = 137;
constexpr int ColRecue = 146;

// Columns 1-134, the digit, a blank, then the record from column 137 with the date put at
// `colonneDate`.
QString marque(const QString& ligne, QChar chiffre, int colonneDate, const QString& date)
{
    QString l = ligne.leftJustified(station::LongueurLigneQSO, QLatin1Char(' '), true);
    l[ColEtat - 1] = chiffre;
    l[ColEtat] = QLatin1Char(' ');
    l.replace(colonneDate - 1, 8, date.leftJustified(8, QLatin1Char(' '), true));
    return l;
}

} // namespace

int remplaceLignes(QByteArray& octets, const QByteArray& ancienne, const QByteArray& nouvelle)
{
    if (ancienne.isEmpty())
        return 0;
    QByteArray resultat;
    qsizetype copie = 0;  // bytes of `octets` already in `resultat`
    int n = 0;
    auto finDeLigne = [&octets](qsizetype i) {
        return i == octets.size() || octets.at(i) == '\r' || octets.at(i) == '\n';
    };
    for (qsizetype p = octets.indexOf(ancienne); p >= 0; p = octets.indexOf(ancienne, p + 1)) {
        const bool debut = p == 0 || octets.at(p - 1) == '\n' || octets.at(p - 1) == '\r';
        if (!debut || !finDeLigne(p + ancienne.size()))
            continue;
        ++n;
        if (nouvelle.size() == ancienne.size()) {  // the usual case: in place
            std::copy(nouvelle.cbegin(), nouvelle.cend(), octets.begin() + p);
            continue;
        }
        if (resultat.isEmpty())
            resultat.reserve(octets.size() + 16 * (nouvelle.size() - ancienne.size() + 1));
        resultat.append(octets.constData() + copie, p - copie);
        resultat.append(nouvelle);
        copie = p + ancienne.size();
    }
    if (copie > 0) {
        resultat.append(octets.constData() + copie, octets.size() - copie);
        octets = resultat;
    }
    return n;
}

QString ligneRecue(const QString& ligne, int code, const QString& date)
{
    switch (code) {
    case 1:
        return marque(ligne, QLatin1Char('3'), ColRecue, date);
    case 2:
        return marque(ligne, QLatin1Char('4'), ColRecue, date);
    default:
        return QString();
    }
}

QString ligneEnvoyee(const QString& ligne, int code, const QString& date)
{
    switch (code) {
    case 1:
        return marque(ligne, QLatin1Char('2'), ColEnvoyee, date);
    case 3:
        return marque(ligne, QLatin1Char('4'), ColEnvoyee, date);
    default:
        return QString();
    }
}

QChar carreRecue(QChar ancien)
{
    return (ancien == QLatin1Char('2') || ancien == QLatin1Char('3') || ancien == QLatin1Char('4'))
               ? QLatin1Char('4')
               : QLatin1Char('3');
}

QChar carreEnvoyee(QChar ancien)
{
    return (ancien == QLatin1Char('3') || ancien == QLatin1Char('4')) ? QLatin1Char('4') : QLatin1Char('2');
}

QString cleDepartement(const QString& ligne)
{
    const QString d = station::sansBlancs(QStringView(ligne).mid(36, 2)).toString();
    if (d.compare(QLatin1String("2a"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("96");
    if (d.compare(QLatin1String("2b"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("97");
    return d;
}

QString messageQSOChange()
{
    return QStringLiteral("Ce QSO a été modifié ou effacé dans le log depuis qu'il a été affiché.\r\n"
                          "La QSL n'est pas enregistrée : selectionnez a nouveau le QSO.");
}

QString messageJournalIllisible(const QByteArray& octets, const QByteArray& ancienne, const QString& nomJournal)
{
    if (ancienne.isEmpty())
        return {};
    bool prolongee = false;
    for (qsizetype p = octets.indexOf(ancienne); p >= 0 && !prolongee; p = octets.indexOf(ancienne, p + 1)) {
        const qsizetype fin = p + ancienne.size();
        const bool debut = p == 0 || octets.at(p - 1) == '\n' || octets.at(p - 1) == '\r';
        prolongee = debut && fin < octets.size() && octets.at(fin) != '\r' && octets.at(fin) != '\n';
    }
    if (!prolongee)
        return {};
    const QString nom = QFileInfo(nomJournal).fileName();
    // Text beyond ASCII that reads as UTF-8 without a fault was written in UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(octets);
    const bool horsAscii = std::any_of(octets.cbegin(), octets.cend(), [](char c) { return (c & 0x80) != 0; });
    if (horsAscii && !utf8.hasError())
        return QStringLiteral("Le log « %1 » est enregistré en UTF-8 (par un autre éditeur), et non en Windows-1252 "
                              "(ANSI) comme le programme l'écrit : ses lettres accentuées y prennent plus de place et "
                              "ses lignes n'ont plus la longueur d'un QSO.\r\n"
                              "La QSL n'est pas enregistrée : enregistrez de nouveau le log en Windows-1252 (ANSI), "
                              "puis recommencez.")
            .arg(nom);
    return QStringLiteral("Dans le log « %1 », la ligne de ce QSO est plus longue que les %2 caractères d'un QSO.\r\n"
                          "La QSL n'est pas enregistrée : la ligne ne peut pas être modifiée sans risque.")
        .arg(nom)
        .arg(station::LongueurLigneQSO);
}

} // namespace qsl

namespace {

QString dateDuJour()
{
    Controles_Carnet* c = carnet();
    return (c && c->Mnu_UTC_Oui && c->Mnu_UTC_Oui->isChecked()) ? Lit_Date_UTC() : Lit_Date_Locale();
}

bool marquer(bool recue)
{
    Variables_Programme& v = Prog();
    const QString item = v.Ligne_Selectionnee;
    const QString ancienne = station::ligneDeItem(item);
    const int code = int(v.Code_QSL);
    const QString date = dateDuJour();
    const QString nouvelle = recue ? qsl::ligneRecue(ancienne, code, date) : qsl::ligneEnvoyee(ancienne, code, date);
    if (nouvelle.isEmpty() || ancienne.isEmpty())
        return true;  // nothing to change
    const QString chiffre = nouvelle.mid(134, 1);
    const QString bande = station::lireChamp(ancienne, station::Champ::Bande_QSO);

    try {
        // The log is handled as stored: the record's bytes replaced where they form a whole line.
        const QString journal = station::nomJournal(v.Indicatif_Station);
        QByteArray octets = plateforme::lireOctetsFichier(journal);
        const QByteArray ancienneAnsi = plateforme::versAnsi(ancienne);
        if (qsl::remplaceLignes(octets, ancienneAnsi, plateforme::versAnsi(nouvelle)) == 0) {
            const QString illisible = qsl::messageJournalIllisible(octets, ancienneAnsi, journal);
            plateforme::MsgBox(illisible.isEmpty() ? qsl::messageQSOChange() : illisible);
            return false;
        }
        // A file that may not be written stops the mark before any file changes.
        for (const QString& f : {journal, station::fichierDepartement(), station::fichierLocator()})
            plateforme::verifierEcriture(f);

        // Department: raised to the new digit when that is greater.
        const QString departement = qsl::cleDepartement(ancienne);
        if (!departement.isEmpty()) {
            QString etat, nom, ligne;
            Lit_Etat_Departement(departement, etat, nom, bande, ligne);
            if (!etat.isEmpty() && station::Valeur_Etat(chiffre) > station::Valeur_Etat(etat))
                Ecrit_Etat_Departement(departement, chiffre, bande);
        }

        // Square, from 50 MHz up, by its own table; then its field is painted again.
        const QString carre = ancienne.mid(41, 4);
        if (station::colonneLocator(bande) > 0 && !station::sansBlancs(carre).isEmpty()) {
            QString etat, ligne;
            if (!Lit_Etat_Locator(carre, etat, bande, ligne))
                return false;
            if (!ligne.isEmpty() && etat.size() == 1) {
                const QChar nouveau = recue ? qsl::carreRecue(etat.at(0)) : qsl::carreEnvoyee(etat.at(0));
                Ecrit_Etat_Locator(carre, QString(nouveau), bande);
                if (Controles_Carnet* c = carnet())
                    c->Affiche_Locators(bande, carre.left(2), v.Compteur_Carte);
            }
        }

        // Every log line equal to the old record, replaced in one atomic write.
        plateforme::ecrireOctets(journal, octets);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Enregistrement de la QSL")));
        return false;
    }

    v.Ligne_Selectionnee = item.left(station::DecalageListe) + nouvelle;
    v.Code_QSL = station::Valeur_Etat(chiffre);
    return true;
}

} // namespace

bool Enregistre_QSL_Recue()
{
    return marquer(true);
}

bool Enregistre_QSL_Envoyee()
{
    return marquer(false);
}
