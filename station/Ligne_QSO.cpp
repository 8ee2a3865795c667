#include "station/Ligne_QSO.h"

#include "station/Dates.h"

#include <QDate>

#include <algorithm>
#include <array>

#include "platform/Ansi.h"

namespace station {

namespace {

struct Definition {
    Champ champ;
    Colonne colonne;
    const char16_t* nom;
};

// The one column table of the record.
constexpr std::array<Definition, 21> kColonnes = {{
    {Champ::Date_QSO, {1, 8, 2}, u"la date"},
    {Champ::Indicatif_QSO, {11, 12, 0}, u"l'indicatif"},
    {Champ::Heure_Debut, {23, 5, 2}, u"l'heure de début"},
    {Champ::Heure_Fin, {30, 5, 2}, u"l'heure de fin"},
    {Champ::Departement_QSO, {37, 5, 0}, u"le département"},
    {Champ::Locator_QSO, {42, 6, 2}, u"le locator"},
    {Champ::Bande_QSO, {50, 8, 2}, u"la bande"},
    {Champ::Mode_QSO, {60, 7, 2}, u"le mode"},
    {Champ::RST_Envoye, {69, 8, 2}, u"le report envoyé"},
    {Champ::RST_Recu, {79, 8, 2}, u"le report reçu"},
    {Champ::QTH_QSO, {89, 20, 2}, u"le QTH"},
    {Champ::Prenom_QSO, {111, 15, 0}, u"le prénom"},
    {Champ::Reserve, {126, 9, 0}, u"la zone réservée"},
    {Champ::Etat_QSL, {135, 1, 1}, u"l'état QSL"},
    {Champ::Date_QSL_Envoyee, {137, 8, 1}, u"la date d'envoi de la QSL"},
    {Champ::Date_QSL_Recue, {146, 8, 1}, u"la date de réception de la QSL"},
    {Champ::Distance_QSO, {155, 5, 1}, u"la distance"},
    {Champ::Azimut_QSO, {161, 3, 1}, u"l'azimut"},
    {Champ::Numero_Activite, {165, 2, 2}, u"le numéro d'activité"},
    {Champ::Remarques_QSO, {169, 30, 0}, u"les remarques"},
    {Champ::Marque_Fin, {199, 1, 0}, u"la marque de fin"},
}};

const Definition& definition(Champ c)
{
    return kColonnes[static_cast<size_t>(c)];
}

void poser(QString& ligne, Champ c, const QString& valeur)
{
    const Colonne col = colonne(c);
    if (valeur.size() > col.largeur)
        throw ChampTropLong(c, valeur);
    ligne.replace(col.debut - 1, valeur.size(), valeur);
}

} // namespace

Colonne colonne(Champ champ)
{
    return definition(champ).colonne;
}

QString nomChamp(Champ champ)
{
    return QString::fromUtf16(definition(champ).nom);
}

QStringView sansBlancs(QStringView t)
{
    qsizetype debut = 0;
    qsizetype fin = t.size();
    while (debut < fin && t.at(debut) == QLatin1Char(' '))
        ++debut;
    while (fin > debut && t.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return t.mid(debut, fin - debut);
}

QString lireChamp(const QString& ligne, Champ champ)
{
    const Colonne c = colonne(champ);
    return sansBlancs(QStringView(ligne).mid(c.debut - 1, c.largeur)).toString();
}

ChampTropLong::ChampTropLong(Champ c, const QString& v)
    : std::runtime_error("champ trop long"), champ(c), valeur(v)
{
}

QString Ligne_QSO::texte() const
{
    QString ligne(LongueurLigneQSO, QLatin1Char(' '));
    poser(ligne, Champ::Date_QSO, Date_QSO);
    poser(ligne, Champ::Indicatif_QSO, Indicatif_QSO);
    poser(ligne, Champ::Heure_Debut, Heure_Debut);
    poser(ligne, Champ::Heure_Fin, Heure_Fin);
    poser(ligne, Champ::Departement_QSO, Departement_QSO);
    poser(ligne, Champ::Locator_QSO, Locator_QSO);
    poser(ligne, Champ::Bande_QSO, Bande_QSO);
    poser(ligne, Champ::Mode_QSO, Mode_QSO);
    poser(ligne, Champ::RST_Envoye, RST_Envoye);
    poser(ligne, Champ::RST_Recu, RST_Recu);
    poser(ligne, Champ::QTH_QSO, QTH_QSO);
    poser(ligne, Champ::Prenom_QSO, Prenom_QSO);
    poser(ligne, Champ::Etat_QSL, Etat_QSL);
    poser(ligne, Champ::Date_QSL_Envoyee, Date_QSL_Envoyee);
    poser(ligne, Champ::Date_QSL_Recue, Date_QSL_Recue);
    poser(ligne, Champ::Distance_QSO, Distance_QSO);
    poser(ligne, Champ::Azimut_QSO, Azimut_QSO);
    poser(ligne, Champ::Numero_Activite, Numero_Activite);
    poser(ligne, Champ::Remarques_QSO, Remarques_QSO);
    poser(ligne, Champ::Marque_Fin, QStringLiteral("*"));
    return ligne;
}

Ligne_QSO Ligne_QSO::depuis(const QString& ligne)
{
    Ligne_QSO l;
    l.Date_QSO = lireChamp(ligne, Champ::Date_QSO);
    l.Indicatif_QSO = lireChamp(ligne, Champ::Indicatif_QSO);
    l.Heure_Debut = lireChamp(ligne, Champ::Heure_Debut);
    l.Heure_Fin = lireChamp(ligne, Champ::Heure_Fin);
    l.Departement_QSO = lireChamp(ligne, Champ::Departement_QSO);
    l.Locator_QSO = lireChamp(ligne, Champ::Locator_QSO);
    l.Bande_QSO = lireChamp(ligne, Champ::Bande_QSO);
    l.Mode_QSO = lireChamp(ligne, Champ::Mode_QSO);
    l.RST_Envoye = lireChamp(ligne, Champ::RST_Envoye);
    l.RST_Recu = lireChamp(ligne, Champ::RST_Recu);
    l.QTH_QSO = lireChamp(ligne, Champ::QTH_QSO);
    l.Prenom_QSO = lireChamp(ligne, Champ::Prenom_QSO);
    l.Etat_QSL = lireChamp(ligne, Champ::Etat_QSL);
    l.Date_QSL_Envoyee = lireChamp(ligne, Champ::Date_QSL_Envoyee);
    l.Date_QSL_Recue = lireChamp(ligne, Champ::Date_QSL_Recue);
    l.Distance_QSO = lireChamp(ligne, Champ::Distance_QSO);
    l.Azimut_QSO = lireChamp(ligne, Champ::Azimut_QSO);
    l.Numero_Activite = lireChamp(ligne, Champ::Numero_Activite);
    l.Remarques_QSO = lireChamp(ligne, Champ::Remarques_QSO);
    return l;
}

QString numeroListe(int numero)
{
    return QString::number(numero).rightJustified(LargeurNumero, QLatin1Char(' ')) + QLatin1Char(' ');
}

namespace {

// An item of `taille` record characters with its number written; the record is left to fill.
QString itemVide(int numero, qsizetype taille)
{
    // Built in one allocation: the list of a large log is rebuilt item by item.
    QString item(DecalageListe + taille, Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(item.data());
    int n = numero;
    for (int i = LargeurNumero - 1; i >= 0; --i) {
        if (n > 0 || (i == LargeurNumero - 1)) {
            d[i] = char16_t(u'0' + (n % 10));
            n /= 10;
        } else {
            d[i] = u' ';
        }
    }
    d[LargeurNumero] = u' ';
    return item;
}

} // namespace

QString itemListe(int numero, QStringView ligne)
{
    if (numero < 0 || numero > NombreMaxQSO)
        return numeroListe(numero) + ligne.toString();
    QString item = itemVide(numero, ligne.size());
    std::copy_n(ligne.utf16(), ligne.size(), reinterpret_cast<char16_t*>(item.data()) + DecalageListe);
    return item;
}

QString itemListeAnsi(int numero, QByteArrayView ligne)
{
    if (numero < 0 || numero > NombreMaxQSO)
        return numeroListe(numero) + plateforme::depuisAnsi(ligne.data(), ligne.size());
    QString item = itemVide(numero, ligne.size());
    plateforme::decoderAnsi(ligne.data(), ligne.size(), reinterpret_cast<char16_t*>(item.data()) + DecalageListe);
    return item;
}

QString ligneDeItem(const QString& item)
{
    return item.mid(DecalageListe, LongueurLigneQSO);
}

int numeroDeItem(const QString& item)
{
    return item.left(LargeurNumero).trimmed().toInt();
}

bool dateEtHeureLisibles(const QString& ligne)
{
    int erreurDate = 0, erreurHeure = 0;
    Verif_Date(ligne.left(8), erreurDate);
    Verif_Heure(ligne.mid(22, 5), erreurHeure);
    if (erreurDate != 0 || erreurHeure != 0)
        return false;
    const auto nombre = [&](int pos) { return ligne.mid(pos, 2).toInt(); };
    // 2000 is a leap year: a 29 February is accepted whatever the century.
    return QDate(2000, nombre(3), nombre(0)).isValid() && nombre(22) <= 23 && nombre(25) <= 59;
}

} // namespace station
