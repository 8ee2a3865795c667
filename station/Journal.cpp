#include "station/Journal.h"
#include "station/Retenue_Actions.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Chargement.h"
#include "station/Controles_Carnet.h"
#include "station/Gardes_Ecriture.h"
#include "station/Ligne_QSO.h"
#include "station/Modele_Liste_QSO.h"
#include "station/Variables_Programme.h"

#include <QGroupBox>
#include <QPointer>
#include <algorithm>
#include <stdexcept>

namespace station {

namespace {

// The write rules stand before the first write of a run.
const bool g_gardes = (installerGardesEcriture(), true);

// A log of more lines than this shows the loading window while it loads.
constexpr int kLignesSansFenetre = 2000;

int chiffre(QChar c)
{
    return c.isDigit() ? c.unicode() - u'0' : -1;
}

int chiffre(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

template <class Texte>
int deuxChiffres(Texte t, int position)
{
    if (position >= t.size())
        return -1;
    const int a = chiffre(t.at(position - 1));
    const int b = chiffre(t.at(position));
    if (a < 0 || b < 0)
        return -1;
    return a * 10 + b;
}

template <class Texte>
qint64 cleDeDate(Texte ligne)
{
    // "jj/mm/aa" in columns 1-8, "hh:mm" in columns 23-27; read in day/month/year order
    // whatever the regional settings.
    const int jour = deuxChiffres(ligne, 1);
    const int mois = deuxChiffres(ligne, 4);
    const int an = deuxChiffres(ligne, 7);
    const int heure = deuxChiffres(ligne, 23);
    const int minute = deuxChiffres(ligne, 26);
    if (jour < 0 || mois < 0 || an < 0 || heure < 0 || minute < 0)
        return -1;
    const int annee = an >= 50 ? 1900 + an : 2000 + an;
    // A calendar-free key: keeps the order of real dates without rejecting an odd one.
    const qint64 jours = (qint64(annee - 1900) * 13 + mois) * 32 + jour;
    return jours * 1440 + heure * 60 + minute;
}

} // namespace

QString nomJournal(const QString& indicatif)
{
    return indicatif + QStringLiteral(".log");
}

QString nomQSOIncomplets(const QString& indicatif)
{
    return indicatif + QStringLiteral("_QSO_Incomplets.txt");
}

qint64 cleDate(const QString& ligne)
{
    return cleDate(QStringView(ligne));
}

qint64 cleDate(QStringView ligne)
{
    return cleDeDate(ligne);
}

qint64 cleDate(QByteArrayView ligne)
{
    return cleDeDate(ligne);
}

int rangParDate(const Modele_Liste_QSO& modele, const QString& ligne)
{
    const qint64 cleNouvelle = cleDate(ligne);
    if (cleNouvelle < 0)
        throw std::invalid_argument("date ou heure illisible");
    // A record whose date cannot be read never counts as later: it keeps its place.
    const int n = modele.nombre();
    for (int i = 0; i < n; ++i) {
        if (cleDate(modele.ligneAnsi(i)) >= cleNouvelle)
            return i;
    }
    return n;
}

namespace {

Modele_Liste_QSO& modeleQSO()
{
    return *carnet()->Modele_QSO;
}

// Writes the log from the list's bytes as changed.
Modele_Liste_QSO::Ecriture ecritureJournal()
{
    return [](const QList<QByteArrayView>& morceaux) {
        plateforme::ecrireMorceaux(nomJournal(Prog().Indicatif_Station), morceaux);
    };
}

// Once the log is rewritten the list has no current row, as a list refilled from scratch.
void oublierSelection()
{
    carnet()->Liste_QSO->oublierSelection();
}

// The bytes of the log to load. A log that cannot be read leaves the list as it was, and is
// not written until a load succeeds (a rewrite from the list would lose its QSOs).
QByteArray lireJournalACharger(const QString& indicatif)
{
    try {
        return plateforme::lireOctetsFichier(nomJournal(indicatif));
    } catch (const plateforme::ErreurFichier& e) {
        refuserJournal(indicatif, QStringLiteral("le journal n'a pas pu être chargé (%1) ; il ne sera pas modifié "
                                                 "tant qu'il n'aura pas été chargé")
                                      .arg(e.raison));
        throw;
    }
}

// The list numbers five columns: past that, the lines are not loaded and the log is kept from
// every write (a rewrite would drop them). The number of lines left out.
int protegerJournalTropLong(const QString& indicatif, qsizetype nombreLignes)
{
    const int lignesEnTrop = int(nombreLignes) - NombreMaxQSO;
    if (lignesEnTrop > 0)
        refuserJournal(indicatif, QStringLiteral("le journal compte plus de %1 lignes ; il est en lecture seule")
                                      .arg(NombreMaxQSO));
    else
        autoriserJournal(indicatif);
    return lignesEnTrop;
}

// What the operator is told of a torn record: set aside in `cote`, or, with the `raison` it
// could not be, left at the end of the list.
QString messageQSOInacheve(const QString& nom, const QString& cote, const QString& raison)
{
    QString texte = QStringLiteral("Le dernier QSO du journal « %1 » est incomplet : son enregistrement a été "
                                   "interrompu (arrêt brutal du programme ou de l'ordinateur).\r\n")
                        .arg(nom);
    if (raison.isEmpty())
        return texte + QStringLiteral("Ce début de QSO a été retiré du journal et mis de côté dans le fichier "
                                      "« %1 ». Vérifiez ce QSO et saisissez-le de nouveau si besoin.")
                           .arg(cote);
    return texte + QStringLiteral("Il n'a pas pu être mis de côté dans le fichier « %1 » (%2) ; il reste en "
                                  "fin de liste.")
                       .arg(cote, raison);
}

struct MiseDeCote {
    bool faite = false;
    QString message;
};

// The torn record that starts at `debut` of the log read as `octets` goes to the side file:
// nothing of it is lost, and the next save does not make a short line of it.
MiseDeCote mettreDeCoteQSOInacheve(const QString& indicatif, const QByteArray& octets, qsizetype debut)
{
    const QString nom = nomJournal(indicatif);
    const QString cote = nomQSOIncomplets(indicatif);
    QString raison;
    try {
        if (!plateforme::deplacerFin(nom, octets.size(), debut, cote))
            raison = QStringLiteral("le journal a changé pendant sa lecture");
    } catch (const plateforme::ErreurFichier& e) {
        raison = e.raison;
    }
    return {raison.isEmpty(), messageQSOInacheve(nom, cote, raison)};
}

// The main window stays on screen: hiding and showing it again in one turn of the event loop
// can leave it unmapped under a window manager. The loading window comes on top, painted
// before the work starts.
Chargement* montrerChargement()
{
    Chargement* chargement = &Chargement::instance();
    plateforme::montrer(chargement);
    plateforme::ceder();
    return chargement;
}

// The loading window gone, the keyboard goes back to the main window, where it was.
void rendreFenetre(QWidget* fenetre, const QPointer<QWidget>& focus, Chargement* chargement)
{
    if (chargement) {
        chargement->hide();
        plateforme::ceder();
    }
    if (!fenetre->isVisible() || chargement)
        plateforme::montrer(fenetre);
    if (focus)
        focus->setFocus();
}

} // namespace

} // namespace station

using namespace station;

void Ajoute_QSO_Log(const QString& ligne)
{
    plateforme::ajouterLigneDUnTrait(nomJournal(Prog().Indicatif_Station), ligne);
}

void Charge_Liste_QSO(const QString& indicatif)
{
    Controles_Carnet* c = carnet();
    const QString nom = nomJournal(indicatif);
    const QByteArray octets = lireJournalACharger(indicatif);
    // A save cut short by a kill may have left the start of a record without its end.
    const qsizetype debutInacheve = plateforme::debutLigneInachevee(octets, LongueurLigneQSO);
    Lignes_Journal lignes = Lignes_Journal::depuis(octets, debutInacheve < 0 ? octets.size() : debutInacheve);
    const int lignesEnTrop = protegerJournalTropLong(indicatif, lignes.nombre());
    // The torn record goes to a side file, out of the log; kept in the list when that fails.
    QString messageInacheve;
    if (debutInacheve >= 0) {
        const MiseDeCote m = mettreDeCoteQSOInacheve(indicatif, octets, debutInacheve);
        messageInacheve = m.message;
        if (!m.faite)
            lignes.ajouter(QByteArrayView(octets).sliced(debutInacheve));
    }
    // The load yields: nothing may write the station's files meanwhile.
    const Retenue_Actions retenue;

    QWidget* fenetre = c->fenetre();
    const QPointer<QWidget> focus = fenetre->focusWidget();
    const int nombreLignes = lignes.nombre();
    const bool chargementVisible = nombreLignes > kLignesSansFenetre;
    Chargement* chargement = chargementVisible ? montrerChargement() : nullptr;
    lignes.garder(NombreMaxQSO);
    c->Modele_QSO->charger(std::move(lignes));
    Prog().Nombre_QSO = c->Modele_QSO->nombre();
    c->Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(Prog().Nombre_QSO + 1));
    rendreFenetre(fenetre, focus, chargement);

    if (lignesEnTrop > 0)
        plateforme::MsgBox(QStringLiteral("Le journal « %1 » compte %2 lignes : seules les %3 premières sont affichées.\r\n"
                                          "Le carnet est en lecture seule : aucun QSO ne peut y être enregistré, "
                                          "modifié ni effacé.")
                               .arg(nom)
                               .arg(nombreLignes)
                               .arg(NombreMaxQSO));
    else if (Prog().Nombre_QSO >= NombreMaxQSO)
        plateforme::MsgBox(QStringLiteral("Le carnet contient deja %1 QSO, le maximum qu'il peut numeroter.\r\n"
                                          "Aucun nouveau QSO ne peut y être enregistré.")
                               .arg(NombreMaxQSO));
    if (!messageInacheve.isEmpty())
        plateforme::MsgBox(messageInacheve);
}

void Supprime_QSO()
{
    const int index = carnet()->Liste_QSO->currentRow();
    if (index < 0)
        return;
    modeleQSO().supprimer(index, ecritureJournal());
    oublierSelection();
}

void Remplace_QSO(const QString& ancienItem, const QString& nouvelItem)
{
    Modele_Liste_QSO& m = modeleQSO();
    const int rang = m.rangItem(ancienItem);
    if (rang < 0)
        ecritureJournal()({m.octets()});  // nothing to replace: the log is written as the list holds it
    else
        m.remplacer(rang, QStringView(nouvelItem).mid(DecalageListe), ecritureJournal());
    oublierSelection();
}

void Insere_QSO_Date(const QString& ligne)
{
    Modele_Liste_QSO& m = modeleQSO();
    m.inserer(rangParDate(m, ligne), ligne, ecritureJournal());
    oublierSelection();
}
