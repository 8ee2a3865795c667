#include "platform/Reglages.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme {

namespace {

// ---- The INI text: its values as Qt's INI settings read them, its lines and written forms
// as they make them. ----

bool estBlanc(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool estChiffreHexa(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

const char ChiffresHexa[] = "0123456789ABCDEF";

// Finds the next logical line from `pos`: a quoted part and a backslash before the line end
// carry it on; a ';' starting a line makes a comment. Returns false at the end of the text.
bool lireLigneIni(const QByteArray& d, qsizetype& pos, qsizetype& debut, qsizetype& longueur, qsizetype& egal)
{
    const qsizetype n = d.size();
    bool guillemets = false;
    egal = -1;
    debut = pos;
    while (debut < n && estBlanc(d.at(debut)))
        ++debut;
    qsizetype i = debut;
    while (i < n) {
        const char c = d.at(i);
        ++i;
        if (c == '=') {
            if (!guillemets && egal == -1)
                egal = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == debut + 1) {
                ++debut;
            } else if (!guillemets) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < n) {
                const char suivant = d.at(i++);
                if (i < n) {
                    const char apres = d.at(i);
                    if ((suivant == '\n' && apres == '\r') || (suivant == '\r' && apres == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            guillemets = !guillemets;
        } else if (c == ';') {
            if (i == debut + 1) {
                while (i < n && d.at(i) != '\n' && d.at(i) != '\r')
                    ++i;
                while (i < n && estBlanc(d.at(i)))
                    ++i;
                debut = i;
            } else if (!guillemets) {
                --i;
                break;
            }
        }
    }
    pos = i;
    longueur = i - debut;
    return longueur > 0;
}

// A line read that can be written back as it is: it ends where it ends now whatever follows it
// (no open quote, no backslash carrying it on, no line break inside).
bool ligneAutonome(const QByteArray& ligne)
{
    const QByteArray essai = ligne + "\nz=1\n";
    qsizetype pos = 0, debut = 0, longueur = 0, egal = -1;
    return lireLigneIni(essai, pos, debut, longueur, egal) && debut == 0 && longueur == ligne.size() &&
           !ligne.contains('\n') && !ligne.contains('\r');
}

// A section or key name as stored: "%20" for a blank, "%U00E9" beyond Latin-1, "\" for "/".
QString nomLu(const QByteArray& brut)
{
    const QString t = QString::fromUtf8(brut);
    QString r;
    r.reserve(t.size());
    qsizetype i = 0;
    while (i < t.size()) {
        const char16_t c = t.at(i).unicode();
        if (c == '\\') {
            r += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c != '%' || i == t.size() - 1) {
            r += QChar(c);
            ++i;
            continue;
        }
        qsizetype premier = i + 1;
        int chiffres = 2;
        if (t.at(i + 1) == QLatin1Char('U')) {
            ++premier;
            chiffres = 4;
        }
        bool ok = premier + chiffres <= t.size();
        ushort v = 0;
        if (ok)
            v = QStringView(t).sliced(premier, chiffres).toUShort(&ok, 16);
        if (!ok) {
            r += QLatin1Char('%');
            ++i;
            continue;
        }
        r += QChar(v);
        i = premier + chiffres;
    }
    return r;
}

// A name read as Qt's settings take it: no "/" at either end nor two in a row.
QString nomNormal(const QString& nom)
{
    return nom.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

QByteArray nomEcrit(const QString& nom)
{
    QByteArray r;
    for (const QChar qc : nom) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            r += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '-' || c == '.') {
            r += char(c);
        } else if (c <= 0xFF) {
            r += '%';
            r += ChiffresHexa[c / 16];
            r += ChiffresHexa[c % 16];
        } else {
            r += "%U";
            r += ChiffresHexa[(c >> 12) & 0xF];
            r += ChiffresHexa[(c >> 8) & 0xF];
            r += ChiffresHexa[(c >> 4) & 0xF];
            r += ChiffresHexa[c & 0xF];
        }
    }
    return r;
}

QByteArray valeurEcrite(const QString& valeur)
{
    const QString s = valeur.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + valeur : valeur;
    QByteArray r;
    bool citer = false;
    bool echapperChiffre = false;
    for (qsizetype k = 0; k < s.size(); ++k) {
        const char16_t c = s.at(k).unicode();
        if (c == ';' || c == ',' || c == '=')
            citer = true;
        if (echapperChiffre && estChiffreHexa(c)) {
            r += "\\x" + QByteArray::number(uint(c), 16);
            continue;
        }
        echapperChiffre = false;
        switch (c) {
        case '\0':
            r += "\\0";
            echapperChiffre = true;
            break;
        case '\a':
            r += "\\a";
            break;
        case '\b':
            r += "\\b";
            break;
        case '\f':
            r += "\\f";
            break;
        case '\n':
            r += "\\n";
            break;
        case '\r':
            r += "\\r";
            break;
        case '\t':
            r += "\\t";
            break;
        case '\v':
            r += "\\v";
            break;
        case '"':
            r += "\\\"";
            break;
        case '\\':
            r += "\\\\";
            break;
        default:
            // A byte order mark would be dropped when read back: escaped like a control.
            if (c <= 0x1F || c == 0x7F || c == 0xFEFF) {
                r += "\\x" + QByteArray::number(uint(c), 16);
                echapperChiffre = true;
            } else if (c < 0x80) {
                r += char(c);
            } else if (QChar::isHighSurrogate(c) && k + 1 < s.size() && s.at(k + 1).isLowSurrogate()) {
                r += QStringView(s).sliced(k, 2).toUtf8();
                ++k;
            } else {
                r += QStringView(s).sliced(k, 1).toUtf8();
            }
        }
    }
    if (citer || r.startsWith(' ') || r.endsWith(' ')) {
        r.prepend('"');
        r.append('"');
    }
    return r;
}

QString cheminCle(const QString& section, const QString& cle)
{
    return section.isEmpty() ? cle : section + QLatin1Char('/') + cle;
}

// The values of an INI text as Qt's INI settings read them: a list joined by commas, a key
// holding "@Invalid()" absent. Qt reads only files, and keeps what it read of a file for as
// long as the file's size and time (to the millisecond) stay the same: the text is read from a
// copy under a name this process never read before (its number and a count), in the user's
// runtime folder (the temporary one when there is none), never from the settings file itself.
std::map<QString, QString> valeursLuesParQt(const QByteArray& octets)
{
    std::map<QString, QString> valeurs;
    if (octets.isEmpty())
        return valeurs;
    // A name left by a killed copy of the program of the same number is passed over.
    static quint64 copies = 0;
    const QString dossier = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QDir::tempPath()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QFile copie;
    const auto effacer = qScopeGuard([&] {
        if (copie.isOpen())
            copie.remove();
    });
    for (int essai = 0; essai < 100 && !copie.isOpen(); ++essai) {
        copie.setFileName(dossier + QStringLiteral("/Velmarin-reglages-%1-%2.ini")
                                        .arg(QCoreApplication::applicationPid())
                                        .arg(++copies));
        copie.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!copie.isOpen() || copie.write(octets) != octets.size() || !copie.flush())
        throw ErreurFichier(copie.fileName(), ErreurAcces, copie.errorString());
    const QSettings s(copie.fileName(), QSettings::IniFormat);
    for (const QString& cle : s.allKeys()) {
        const QVariant v = s.value(cle);
        if (v.isValid())
            valeurs[cle] = v.metaType().id() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(','))
                                                                       : v.toString();
    }
    return valeurs;
}

// The file is read again for every value asked (another copy may have replaced it), but the
// same text read again gives the same values: the last text read and its values are kept, and
// only a text that differs in any byte goes through Qt again.
std::map<QString, QString> valeursLues(const QByteArray& octets)
{
    static QByteArray dernierTexte;
    static std::map<QString, QString> dernieresValeurs;
    if (!octets.isEmpty() && octets == dernierTexte)
        return dernieresValeurs;
    std::map<QString, QString> valeurs = valeursLuesParQt(octets);
    dernierTexte = octets;
    dernieresValeurs = valeurs;
    return valeurs;
}

QByteArray enTete(const QString& section)
{
    if (section.isEmpty())
        return "[General]";
    if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
        return "[%" + section.toUtf8() + ']';
    return '[' + nomEcrit(section) + ']';
}

// Every value written out in Qt's own layout, one section per first part of the key.
QByteArray ecritureEntiere(const std::map<QString, QString>& valeurs)
{
    std::map<QString, QByteArray> sections;
    for (const auto& [chemin, valeur] : valeurs) {
        const qsizetype barre = chemin.indexOf(QLatin1Char('/'));
        sections[barre < 0 ? QString() : chemin.left(barre)] +=
            nomEcrit(chemin.mid(barre + 1)) + '=' + valeurEcrite(valeur) + '\n';
    }
    QByteArray r;
    for (const auto& [section, lignes] : sections)
        r += (r.isEmpty() ? QByteArray() : QByteArray("\n")) + enTete(section) + '\n' + lignes;
    return r;
}

} // namespace

qsizetype ContenuReglages::section(const QString& nom, const QByteArray& brut)
{
    const auto it = indexSections_.constFind(nom);
    if (it != indexSections_.constEnd())
        return it.value();
    sections_.append(Section{nom, brut, {}});
    indexSections_.insert(nom, sections_.size() - 1);
    return sections_.size() - 1;
}

ContenuReglages ContenuReglages::lire(const QByteArray& d)
{
    ContenuReglages r;
    r.valeurs_ = valeursLues(d);
    qsizetype pos = d.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype debut = 0;
    qsizetype longueur = 0;
    qsizetype egal = -1;
    qsizetype courante = r.section(QString(), QByteArray());
    while (lireLigneIni(d, pos, debut, longueur, egal)) {
        const QByteArray lu = d.mid(debut, longueur);
        const QByteArray ligne = ligneAutonome(lu) ? lu : QByteArray();
        if (lu.startsWith('[')) {
            qsizetype fin = lu.indexOf(']');
            if (fin < 0)
                fin = lu.size();
            const QByteArray nom = lu.mid(1, fin - 1).trimmed();
            QString section;
            if (nom.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (nom.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(nom.mid(1));
            else
                section = nomNormal(nomLu(nom));
            courante = r.section(section, ligne);
            continue;
        }
        if (egal < 0)
            continue;
        qsizetype finCle = egal;
        while (finCle > debut && (d.at(finCle - 1) == ' ' || d.at(finCle - 1) == '\t'))
            --finCle;
        const QString cle = nomNormal(nomLu(d.mid(debut, finCle - debut)));
        if (cle.isEmpty())
            continue;
        Section& s = r.sections_[courante];
        const QString chemin = cheminCle(s.nom, cle);
        const auto it = r.index_.constFind(chemin);
        if (it != r.index_.constEnd()) {
            // A key given twice is written once, from the value Qt read.
            r.sections_[it.value().first].cles[it.value().second].brut.clear();
            continue;
        }
        s.cles.append(Cle{cle, ligne});
        r.index_.insert(chemin, {courante, s.cles.size() - 1});
    }
    return r;
}

QByteArray ContenuReglages::ecrire() const
{
    QByteArray r;
    for (const Section& s : sections_) {
        QByteArray lignes;
        for (const Cle& c : s.cles) {
            if (!c.brut.isEmpty()) {
                lignes += c.brut + '\n';
                continue;
            }
            const auto v = valeurs_.find(cheminCle(s.nom, c.nom));
            if (v != valeurs_.end())
                lignes += nomEcrit(c.nom) + '=' + valeurEcrite(v->second) + '\n';
        }
        if (lignes.isEmpty())
            continue;
        if (!r.isEmpty())
            r += '\n';
        r += (s.brut.isEmpty() ? enTete(s.nom) : s.brut) + '\n' + lignes;
    }
    // The lines kept as they were are read by Qt as before unless an odd file made them mean
    // something else here: then every value is written out anew.
    if (valeursLues(r) != valeurs_)
        return ecritureEntiere(valeurs_);
    return r;
}

std::optional<QString> ContenuReglages::valeur(const QString& section, const QString& cle) const
{
    const auto it = valeurs_.find(cheminCle(section, cle));
    if (it == valeurs_.end())
        return std::nullopt;
    return it->second;
}

bool ContenuReglages::definir(const QString& sectionVoulue, const QString& cle, const QString& valeur)
{
    const QString chemin = cheminCle(sectionVoulue, cle);
    const auto v = valeurs_.find(chemin);
    if (v != valeurs_.end() && v->second == valeur)
        return false;
    valeurs_[chemin] = valeur;
    const auto it = index_.constFind(chemin);
    if (it != index_.constEnd()) {
        sections_[it.value().first].cles[it.value().second].brut.clear();
        return true;
    }
    const qsizetype s = section(sectionVoulue, QByteArray());
    sections_[s].cles.append(Cle{cle, QByteArray()});
    index_.insert(chemin, {s, sections_[s].cles.size() - 1});
    return true;
}

// ---- The files. ----

namespace {

// The file's bytes as they are now on disk, empty when it does not exist. Read whenever a
// value is needed: the file is small, and another running copy may have replaced it.
QByteArray octetsActuels(const QString& fichier)
{
    return QFileInfo::exists(fichier) ? lireOctetsFichier(fichier) : QByteArray();
}

// Keeps other running copies out of the file while one reads, changes and replaces it (the
// file door's lock on "<file>.lock"). A live holder keeps it for one file replacement: it is
// waited for up to this long, then the write is refused. A killed copy never makes the next
// one wait: the system lets the lock go when its holder ends.
constexpr int AttenteVerrouReglagesMs = 5000;

QString fichierVerrou(const QString& fichier)
{
    return fichier + QStringLiteral(".lock");
}

bool g_echecSignale = false;

// One message for the failed writes of one action: the next is told once the event loop has
// come back.
void signalerEchec(const ErreurFichier& e)
{
    if (g_echecSignale)
        return;
    g_echecSignale = true;
    MsgBox(e.messageFrancais(QStringLiteral("Enregistrement des réglages")) +
               QStringLiteral("\r\nLes réglages enregistrés restent ceux d'avant."),
           Boutons::Ok, Icone::Critique);
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [] { g_echecSignale = false; });
    else
        g_echecSignale = false;
}

} // namespace

QString fichierReglages(const QString& application)
{
    // Only its name is asked: the file itself is read here.
    const QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmarin-emplacement"));
    return QFileInfo(s.fileName()).absolutePath() + QLatin1Char('/') + application + QStringLiteral(".ini");
}

QString GetSetting(const QString& application, const QString& section, const QString& cle,
                   const QString& defaut)
{
    // A file that cannot be read gives the defaults.
    try {
        const std::map<QString, QString> valeurs = valeursLues(octetsActuels(fichierReglages(application)));
        const auto it = valeurs.find(cheminCle(section, cle));
        return it == valeurs.end() ? defaut : it->second;
    } catch (const ErreurFichier&) {
        return defaut;
    }
}

bool SaveSetting(const QString& application, const QString& section, const QString& cle,
                 const QString& valeur)
{
    return SaveSettings(application, section, {{cle, valeur}});
}

bool SaveSettings(const QString& application, const QString& section,
                  const QList<std::pair<QString, QString>>& valeurs)
{
    const QString fichier = fichierReglages(application);
    try {
        if (!QDir().mkpath(QFileInfo(fichier).absolutePath()))
            throw ErreurFichier(fichier, ErreurAcces, QStringLiteral("dossier des réglages impossible à créer"));
        // Nothing is written without the lock, not even the lock file where writes are refused.
        verifierEcriture(fichier);
        Verrou verrou(fichierVerrou(fichier));
        if (!verrou.prendre(true, AttenteVerrouReglagesMs))
            throw ErreurFichier(fichier, ErreurAcces,
                                QStringLiteral("les réglages sont en cours d'enregistrement par une autre copie du programme"));
        // Read again under the lock: what another copy wrote meanwhile is kept. A file that
        // cannot be read is not replaced by one holding only this key.
        ContenuReglages contenu = ContenuReglages::lire(octetsActuels(fichier));
        bool change = false;
        for (const auto& [cle, valeur] : valeurs)
            change = contenu.definir(section, cle, valeur) || change;
        if (!change)
            return true;
        ecrireOctets(fichier, contenu.ecrire());
        return true;
    } catch (const ErreurFichier& e) {
        signalerEchec(e);
        return false;
    }
}

void nettoyerRestesReglages(const QStringList& applications)
{
    const QString dossier = QFileInfo(fichierReglages()).absolutePath();
    const QDir d(dossier);
    if (!d.exists())
        return;
    const auto noms = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& application : applications) {
        const QString fichier = fichierReglages(application);
        // Under the lock no other copy is between writing a scratch file and renaming it; when
        // another copy holds it, its scratch file is left alone and the start goes on.
        try {
            verifierEcriture(fichier);
        } catch (const ErreurFichier&) {
            continue;
        }
        Verrou verrou(fichierVerrou(fichier));
        if (!verrou.prendre(true))
            continue;
        for (const QString& n : noms) {
            if (estBrouillon(n, application + QStringLiteral(".ini")))
                QFile::remove(d.filePath(n));
        }
    }
}

} // namespace plateforme
