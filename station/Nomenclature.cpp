#include "station/Nomenclature.h"

#include "station/Ligne_QSO.h"

#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "station/Fichiers_Etat.h"

#include <QStringView>

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
    QStringList lignes = plateforme::lireLignes(FichierNomenclature);
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
