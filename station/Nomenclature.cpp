#include "station/Nomenclature.h"

#include "station/Ligne_QSO.h"

#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "platform/fichiers/Balayages.h"
#include "station/Fichiers_Etat.h"

#include <QStringView>
#include <algorithm>
#include <cstring>

namespace station {

namespace {

QString blancs(qsizetype n)
{
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}


bool estVide(const QString& ligne)
{
    for (QChar c : ligne) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return false;
    }
    return true;
}

// Whether `octets` (the directory as stored) holds no record keyed `cle` (the callsign's bytes)
// and is stored as a rewrite would store it (every line ended by CR LF). A new record then only
// has to be added at the end: the file comes out byte for byte as the rewrite would leave it.
// Whatever this says no to goes through the rewrite, which compares the texts.
bool ajoutEnFinSuffit(const QByteArray& octets, QByteArrayView cle)
{
    if (cle.isEmpty() || !plateforme::balayage::toutEnCRLF(octets))
        return false;
    const char* p = octets.constData();
    for (qsizetype pos = plateforme::balayage::chercheOctets(octets, cle, 0); pos >= 0; pos = plateforme::balayage::chercheOctets(octets, cle, pos + 1)) {
        // A key is columns 1-10 of a line, blanks trimmed: blanks only before it on its line,
        // and after it up to column 10 or the end of the line.
        qsizetype debut = pos;
        while (debut > 0 && p[debut - 1] == ' ')
            --debut;
        const qsizetype fin = pos + cle.size();
        if ((debut > 0 && p[debut - 1] != '\n') || fin - debut > LargeurIndicatifNomenclature)
            continue;
        qsizetype i = fin;
        while (i < debut + LargeurIndicatifNomenclature && p[i] == ' ')
            ++i;
        if (i == debut + LargeurIndicatifNomenclature || p[i] == '\r')
            return false;
    }
    return true;
}

} // namespace

QString champNomenclature(const QString& ligne)
{
    qsizetype i = 0;
    while (i < ligne.size() && (ligne.at(i) == QLatin1Char(' ') || ligne.at(i) == QLatin1Char('\t')))
        ++i;
    if (i < ligne.size() && ligne.at(i) == QLatin1Char('"')) {
        const qsizetype fin = ligne.indexOf(QLatin1Char('"'), i + 1);
        return fin < 0 ? ligne.mid(i + 1) : ligne.mid(i + 1, fin - i - 1);
    }
    const qsizetype virgule = ligne.indexOf(QLatin1Char(','), i);
    return virgule < 0 ? ligne.mid(i) : ligne.mid(i, virgule - i);
}

QString cleNomenclature(const QString& enregistrement)
{
    return sansBlancs(QStringView(enregistrement).left(LargeurIndicatifNomenclature)).toString();
}

void champsNomenclature(const QString& enregistrement, QString& indicatif, QString& departement,
                        QString& locator)
{
    const QStringView e(enregistrement);
    indicatif = sansBlancs(e.left(10)).toString();
    departement = e.size() > 11 ? sansBlancs(e.mid(11, 2)).toString() : QString();
    locator = e.size() > 14 ? sansBlancs(e.mid(14, 6)).toString() : QString();
}

QString ligneNomenclature(const QString& indicatif, const QString& departement, const QString& locator)
{
    return indicatif + blancs(11 - indicatif.size()) + departement + blancs(3 - departement.size()) + locator;
}

QString itemNomenclature(const QString& indicatif, const QString& departement, const QString& locator)
{
    return plateforme::majusculesAnsi(indicatif) + blancs(11 - indicatif.size()) + departement + blancs(3 - departement.size()) +
           blancs(6 - locator.size()) + locator;
}

QStringList lireNomenclature()
{
    const QStringList lignes = plateforme::lireLignes(FichierNomenclature);
    QStringList items;
    items.reserve(lignes.size());
    for (const QString& l : lignes) {
        // A blank line holds no field: the reading goes on to the next record.
        if (!estVide(l))
            items.append(champNomenclature(l));
    }
    return items;
}

void ecrireNomenclature(const QStringList& items)
{
    plateforme::ecrireLignes(FichierNomenclature, items);
}

} // namespace station

using namespace station;

void Cherche_Nomenclature(const QString& indicatif, QString& departement, QString& locator)
{
    departement.clear();
    locator.clear();
    const QStringList lignes = plateforme::lireLignes(FichierNomenclature);
    for (const QString& l : lignes) {
        if (estVide(l))
            continue;
        const QString enregistrement = champNomenclature(l);
        if (cleNomenclature(enregistrement) != indicatif)
            continue;
        QString cle;
        champsNomenclature(enregistrement, cle, departement, locator);
        if (departement.size() == 1)
            departement.prepend(QLatin1Char('0'));
        return;
    }
}

bool MAJ_Nomenclature(const QString& indicatif, const QString& departement, const QString& locator)
{
    // The key holds ten columns: a longer callsign would be keyed by a part of itself.
    if (indicatif.isEmpty() || indicatif.size() > LargeurIndicatifNomenclature)
        return false;
    const QString nouvelle = ligneNomenclature(indicatif, departement, locator);
    // A new callsign: its record appended in one write, without reading the others as text.
    const QByteArray octets = plateforme::lireOctetsFichier(FichierNomenclature);
    if (ajoutEnFinSuffit(octets, plateforme::versAnsi(indicatif))) {
        plateforme::ajouterLigne(FichierNomenclature, nouvelle);
        return true;
    }
    // A known callsign: every record of it replaced, the whole file through the scratch file.
    QStringList lignes = plateforme::decouperLignes(plateforme::depuisAnsi(octets));
    bool trouve = false;
    for (QString& l : lignes) {
        if (cleNomenclature(l) == indicatif) {
            l = nouvelle;
            trouve = true;
        }
    }
    if (!trouve)
        lignes.append(nouvelle);
    Ecrit_Par_Temporaire(FichierNomenclature, TemporaireNomenclature, lignes);
    return true;
}
