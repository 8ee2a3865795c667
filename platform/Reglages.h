#pragma once
// The per-user settings store: one INI file per application name, every value text.
// The file keeps the layout Qt's INI settings give it (UTF-8, "%20" for a blank in a name),
// so that files written before load unchanged. Every write replaces the whole file through
// the file door (written beside, synced, renamed): a failed write leaves the old file as it
// was and is told to the operator.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <map>
#include <optional>

namespace plateforme {

// The stored text, or `defaut` when the key or its section is absent.
QString GetSetting(const QString& application, const QString& section, const QString& cle,
                   const QString& defaut);
// Creates or replaces the value; written to disk at once, under the settings lock. False when
// it could not be written (another copy holding the lock for more than 5 s too): the file is
// left as it was and the operator has been told (once for a run of failed writes made by one
// action).
bool SaveSetting(const QString& application, const QString& section, const QString& cle,
                 const QString& valeur);
// Several values of one section in one write: all of them are stored, or none.
bool SaveSettings(const QString& application, const QString& section,
                  const QList<std::pair<QString, QString>>& valeurs);
// The INI file of an application, the program's own by default (tests point its folder
// elsewhere with QSettings::setPath).
QString fichierReglages(const QString& application = QStringLiteral("Velmarin"));

// Removes what a killed settings write left in the settings folder: the file door's scratch
// files of the program's own settings files (plateforme::estBrouillon), nothing else of that
// folder, which other programs share. When another running copy holds the settings lock the
// clean-up is skipped at once: its scratch file may be one being written.
void nettoyerRestesReglages(const QStringList& applications);

// The content of one INI file, read and written in memory. Its values are those Qt's INI
// settings read in it; keys never touched are written back as they were read, and what is
// written reads back through Qt's INI settings as given.
class ContenuReglages {
public:
    // Throws ErreurFichier when the text cannot be handed to Qt (no room for its copy).
    static ContenuReglages lire(const QByteArray& octets);
    QByteArray ecrire() const;

    std::optional<QString> valeur(const QString& section, const QString& cle) const;
    // False when the key already holds that value (nothing to write).
    bool definir(const QString& section, const QString& cle, const QString& valeur);
    int nombreCles() const { return int(valeurs_.size()); }

private:
    struct Cle {
        QString nom;
        QByteArray brut;  // the line as read ("name=value"), empty once changed
    };
    struct Section {
        QString nom;
        QByteArray brut;  // the heading as read, empty for a new section
        QList<Cle> cles;
    };
    QList<Section> sections_;
    QHash<QString, std::pair<qsizetype, qsizetype>> index_;
    QHash<QString, qsizetype> indexSections_;
    std::map<QString, QString> valeurs_;  // "section/key" as Qt names it

    qsizetype section(const QString& nom, const QByteArray& brut);
};

} // namespace plateforme
