#pragma once
// The printed reports of the log (whole, a range of lines, the QSOs of one activity on one
// band) and its text copy "Log_<call>.txt". The lines of each report are built by plain
// functions; the printing procedures send them to the printer.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace rapports {

// "Sans", "Envoyée", "Reçue", "Confirmée" for the status characters "1" to "4"; "?" otherwise.
QString motEtat(QStringView etat);

inline const QString EnteteLog = QStringLiteral(
    "  N°    Date    Indicatf    Debut   Fin   Dpt   Loc     Bande    MODE     RST E     RST R        QTH ou N° Activité");
inline const QString EnteteActivations = QStringLiteral(
    "  N°    Date      Indicatf    Debut  FIN    Dpt  RST R   RST E   N° Activite    QTH ou Nom Activité           QSL");
inline const QString EnteteTexte = QStringLiteral(
    "  N°      Date    Indicatf    Debut  FIN    Dpt  RST R   RST E  QTH/N° Activite  Remarques/Nom Activité       QSL");

// The printed lines of each report, from its title to the maker's line.
QStringList rapportLog(const QString& indicatif, const QString& date, const QStringList& journal);
// Lines numbered `premier` to `dernier` (the texts typed, trimmed, shown in the title).
QStringList rapportLogPartiel(const QString& indicatif, const QString& premier, const QString& dernier,
                              const QStringList& journal);
QStringList rapportActivations(const QString& indicatif, int numeroActivite, const QString& nomActivite,
                               const QString& bande, const QString& date, const QStringList& journal);
// The text copy: its four heading lines, then one line per log line (no footer).
QStringList enteteTexteLog(const QString& indicatif, const QString& date);
QString ligneTexteLog(int numero, const QString& ligne);
// "Log_<call>.txt"
QString nomTexteLog(const QString& indicatif);

// Message of the first range check that fails ("" when the range can be printed).
QString controlePlage(const QString& debut, const QString& fin, int nombreQSO);

} // namespace rapports

// Sends the lines to the printer in "Courier New" bold 8 points after the printer dialog, on
// the orientation, and if need be the size, that lets the longest line fit the page; the
// printer's font is put back afterwards. Returns false when the dialog is cancelled (nothing
// is printed) or the job failed (reported in a message).
bool Imprime_Texte(const QStringList& lignes);

// The report procedures, for the station `indicatif`.
void Imprime_Log(const QString& indicatif);
void Imprime_Log_Partiel(const QString& indicatif, const QString& premier, const QString& dernier);
// Writes the text copy beside and renames it over the old one; a failure is shown.
void Exporte_Log_Texte(const QString& indicatif);
void Imprime_Activations(int numeroActivite, const QString& nomActivite, const QString& bande);
