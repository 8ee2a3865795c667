#pragma once
// Shared test fixture: a temporary program folder filled with the shipped templates, a
// temporary settings folder, a fixed clock and an answerer that records every message box.
#include "platform/Dialogues.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>

class QWidget;

namespace test {

struct Message {
    QString texte;
    plateforme::Boutons boutons;
    plateforme::Icone icone;
};

class Environnement {
public:
    // `modeles`: copy the shipped templates into the program folder.
    explicit Environnement(bool modeles = true);
    ~Environnement();
    Environnement(const Environnement&) = delete;
    Environnement& operator=(const Environnement&) = delete;

    QString dossier() const;            // the program folder
    QString chemin(const QString& nom) const;

    // Message boxes shown since the start (or the last `oublierMessages`).
    std::vector<Message> messages;
    QStringList textes() const;
    void oublierMessages() { messages.clear(); }
    // Answers given in order; when none is queued: Ok, or Oui for a Yes/No question.
    std::deque<plateforme::Reponse> reponses;

    // Fixes the clocks: UTC instant, local = UTC + decalage seconds.
    void fixerHorloge(const QDateTime& utc, int decalageSecondes = 3600);

    bool finDemandee() const { return fin_; }

private:
    QTemporaryDir programme_;
    QTemporaryDir reglages_;
    bool fin_ = false;
};

// The folder of the shipped templates.
QString dossierModeles();
// Test data folder (tests/).
QString dossierDonnees();

QByteArray lireOctets(const QString& cheminComplet);
void ecrireOctets(const QString& cheminComplet, const QByteArray& octets);
// Lines joined with CR LF (each line ended), as Windows-1252.
QByteArray enAnsi(const QStringList& lignes);

// Types text into a widget key by key (accented letters too), as an operator does.
void taper(QWidget* controle, const QString& texte);
void entree(QWidget* controle);
// Builds a 199-character record from a few fields (the others blank or defaults).
QString ligneQSO(const QString& date, const QString& indicatif, const QString& debut,
                 const QString& bande = QStringLiteral("144 Mhz"), const QString& prenom = QString());

} // namespace test
