// The department and square grid of the main window: the painting rules, the two painters and
// the selectors that switch band, view and field.
#include "logbook/Carnet_Grille.h"

#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Couleurs_Etat.h"
#include "station/Fichiers_Etat.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace grille {

namespace {

PeintreCarteChamp& peintreCarte()
{
    static PeintreCarteChamp p;
    return p;
}

bool chiffre(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The status character of a line at a 1-based column; a blank when the line has none there.
QChar etatEnColonne(const QString& ligne, int colonne)
{
    if (colonne <= 0 || colonne > ligne.size())
        return QLatin1Char(' ');
    return ligne.at(colonne - 1);
}

// Only the digits "1" to "9" are a worked status; "0" and anything that is no digit (a short
// or damaged line) leave the cell as it is and are not counted.
bool compte(QChar etat)
{
    return chiffre(etat) && etat != QLatin1Char('0');
}

bool colore(QChar etat)
{
    return etat >= QLatin1Char('1') && etat <= QLatin1Char('4');
}

QString nombreStr(double n)
{
    return station::texteNombre(int(n));
}

} // namespace

int celluleDepartement(const QString& code)
{
    const QString c = code.left(2);
    if (c.compare(QLatin1String("2a"), Qt::CaseInsensitive) == 0)
        return 96;
    if (c.compare(QLatin1String("2b"), Qt::CaseInsensitive) == 0)
        return 97;
    if (c.size() != 2 || !chiffre(c.at(0)) || !chiffre(c.at(1)))
        return -1;
    return c.toInt();
}

QString codeCellule(int cellule)
{
    if (cellule == 96)
        return QStringLiteral("2a");
    if (cellule == 97)
        return QStringLiteral("2b");
    return QStringLiteral("%1").arg(cellule, 2, 10, QLatin1Char('0'));
}

Peinture peintureDepartements(const QStringList& lignes, const QString& bande)
{
    Peinture p;
    p.couleurs.fill(Couleurs_Etat::fondFenetre());
    p.etats.fill(QLatin1Char('0'));
    const int colonne = station::colonneDepartement(bande);
    for (const QString& ligne : lignes) {
        const QChar etat = etatEnColonne(ligne, colonne);
        if (!compte(etat))
            continue;
        if (colore(etat)) {
            const int cellule = celluleDepartement(ligne);
            if (cellule >= 0) {
                p.couleurs[cellule] = Couleurs_Etat::couleur(etat);
                p.etats[cellule] = etat;
            }
        }
        ++p.compteur;
    }
    return p;
}

Peinture peintureLocators(const QStringList& lignes, const QString& bande, const QString& champ)
{
    Peinture p;
    p.couleurs.fill(Couleurs_Etat::carreNonContacte());
    p.etats.fill(QLatin1Char('0'));
    const int colonne = station::colonneLocator(bande);
    if (colonne == 0 || champ.size() != 2)
        return p;
    for (const QString& ligne : lignes) {
        const QChar etat = etatEnColonne(ligne, colonne);
        if (!compte(etat) || !ligne.startsWith(champ))
            continue;
        if (colore(etat) && ligne.size() >= 4 && chiffre(ligne.at(2)) && chiffre(ligne.at(3))) {
            const int cellule = ligne.mid(2, 2).toInt();
            p.couleurs[cellule] = Couleurs_Etat::couleur(etat);
            p.etats[cellule] = etat;
        }
        ++p.compteur;
    }
    return p;
}

QString texteCellule(int cellule, bool vueCarres)
{
    if (!vueCarres) {
        switch (cellule) {
        case 20:
            return QStringLiteral("X");
        case 96:
            return QStringLiteral("2a");
        case 97:
            return QStringLiteral("2b");
        case 98:
        case 99:
            return QString();
        default:
            break;
        }
    }
    return QStringLiteral("%1").arg(cellule, 2, 10, QLatin1Char('0'));
}

QString legendeContacte(bool vueCarres)
{
    return vueCarres ? QStringLiteral("   Carré Contacté") : QStringLiteral("    Dpt Contacté");
}

QString legendeConfirme(bool vueCarres)
{
    return vueCarres ? QStringLiteral("   Carré Confirmé") : QStringLiteral("    Dpt Confirmé");
}

QString titreCarres(double compteur, const QString& champ)
{
    return nombreStr(compteur) + QStringLiteral(" moyens carrés dans le carré ") + champ;
}

QString messageBandeHF()
{
    return QStringLiteral("Pas de gestion des carrés locator pour les bandes HF");
}

void definirPeintreCarteChamp(PeintreCarteChamp peintre)
{
    peintreCarte() = std::move(peintre);
}

void peindreCarteChamp(const QString& champ, const QString& bande, const Peinture& peinture)
{
    if (peintreCarte())
        peintreCarte()(champ, bande, peinture);
}

} // namespace grille

namespace {

void poserTextes(Carnet& c, bool vueCarres)
{
    for (int i = 0; i < grille::NombreCellules; ++i)
        c.Dpt[i]->setText(grille::texteCellule(i, vueCarres));
    c.Label27->setText(grille::legendeContacte(vueCarres));
    c.Label1->setText(grille::legendeConfirme(vueCarres));
}

void poserCouleurs(Carnet& c, const grille::Peinture& p)
{
    for (int i = 0; i < grille::NombreCellules; ++i)
        Couleurs_Etat::colorer(c.Dpt[i], p.couleurs[i]);
}

// Square view of the selected band and field, with its caption.
void vueCarres(Carnet& c)
{
    c.Carre_Grille->setEnabled(true);
    c.Affiche_Locators(c.Bande_Grille->currentText(), c.Carre_Grille->currentText(), Prog().Compteur_Carte);
    c.Frame3->setTitle(grille::titreCarres(Prog().Compteur_Carte, c.Carre_Grille->currentText()));
}

void vueDepartements(Carnet& c)
{
    Prog().Bande_Affichee = c.Bande_Grille->currentText();
    if (!c.Affiche_Departements(Prog().Bande_Affichee, Prog().Compteur_Carte))
        return;
    c.Frame3->setTitle(Titre_Departements(Prog().Compteur_Carte, Prog().Bande_Affichee));
}

} // namespace

bool Carnet::Affiche_Departements(const QString& bande, double& compteur)
{
    QStringList lignes;
    try {
        lignes = plateforme::lireLignes(station::fichierDepartement());
    } catch (const plateforme::ErreurFichier& e) {
        station::Erreur_Fichier_Station(e.numero, QStringLiteral("_Departement.txt"));
        return false;
    }
    const grille::Peinture p = grille::peintureDepartements(lignes, bande);
    poserCouleurs(*this, p);
    compteur = p.compteur;
    return true;
}

void Carnet::Affiche_Locators(const QString& bande, const QString& champ, double& compteur)
{
    QStringList lignes;
    try {
        lignes = plateforme::lireLignes(station::fichierLocator());
    } catch (const plateforme::ErreurFichier& e) {
        station::Erreur_Fichier_Station(e.numero, QStringLiteral("_Locator.txt"));
        return;
    }
    const grille::Peinture p = grille::peintureLocators(lignes, bande, champ);
    poserCouleurs(*this, p);
    compteur = p.compteur;
    grille::peindreCarteChamp(champ, bande, p);
}

void Carnet::Option1_Click(int Index)
{
    if (Index == 1) {
        poserTextes(*this, false);
        Carre_Grille->setEnabled(false);
        vueDepartements(*this);
        return;
    }
    if (Index != 2)
        return;
    Prog().Bande_Affichee = Bande_Grille->currentText();
    if (station::estBandeHF(Prog().Bande_Affichee)) {
        plateforme::MsgBox(grille::messageBandeHF());
        return;
    }
    poserTextes(*this, true);
    vueCarres(*this);
}

void Carnet::Bande_Grille_Click()
{
    if (!Option1[2]->isChecked()) {
        vueDepartements(*this);
        return;
    }
    if (station::estBandeHF(Bande_Grille->currentText())) {
        plateforme::MsgBox(grille::messageBandeHF());
        return;
    }
    vueCarres(*this);
}

void Carnet::Carre_Grille_Click()
{
    if (station::estBandeHF(Bande_Grille->currentText())) {
        plateforme::MsgBox(grille::messageBandeHF());
        return;
    }
    vueCarres(*this);
}

void Carnet::Bande_A_Click()
{
    Couleurs_Etat::colorer(Indicatif_A, Couleurs_Etat::rempli());
    Indicatif_A->setEnabled(false);
    Couleurs_Etat::colorer(Bande_A, Couleurs_Etat::aRemplir());
}
