#include "platform/Reglages.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <map>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme {

namespace {

// ---- Reading and writing the INI text, as Qt's INI settings do. ----

bool estBlanc(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool estChiffreHexa(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int valeurHexa(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
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

void couperBlancsFinaux(QString& s, qsizetype limite)
{
    qsizetype n = s.size();
    while (n > limite && (s.at(n - 1) == QLatin1Char(' ') || s.at(n - 1) == QLatin1Char('\t')))
        --n;
    s.truncate(n);
}

// A value as stored: quotes, backslash escapes, and unquoted commas that make a list.
// Returns the parts; one part for a plain value.
QStringList partiesLues(const QByteArray& d)
{
    QStringList liste;
    QString courant;
    bool guillemets = false;
    bool partieCitee = false;
    qsizetype i = 0;
    const qsizetype n = d.size();
    const auto sauterBlancs = [&] {
        while (i < n && (d.at(i) == ' ' || d.at(i) == '\t'))
            ++i;
    };
    sauterBlancs();
    qsizetype limite = 0;
    while (i < n) {
        const char c = d.at(i);
        if (c == '\\') {
            ++i;
            if (i >= n)
                break;
            const char e = d.at(i++);
            static const char codes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                            {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                            {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            bool simple = false;
            for (const auto& code : codes) {
                if (e == code[0]) {
                    courant += QLatin1Char(code[1]);
                    simple = true;
                    break;
                }
            }
            // What an escape gives is never cut as a trailing blank.
            if (simple) {
                limite = courant.size();
                continue;
            }
            if (e == 'x' && i < n && estChiffreHexa(char16_t(uchar(d.at(i))))) {
                char16_t v = 0;
                while (i < n && estChiffreHexa(char16_t(uchar(d.at(i)))))
                    v = char16_t((v << 4) + valeurHexa(d.at(i++)));
                courant += QChar(v);
                limite = courant.size();
                continue;
            }
            if (e >= '0' && e <= '7') {
                char16_t v = char16_t(e - '0');
                while (i < n && d.at(i) >= '0' && d.at(i) <= '7')
                    v = char16_t((v << 3) + (d.at(i++) - '0'));
                courant += QChar(v);
                limite = courant.size();
                continue;
            }
            if (e == '\n' || e == '\r') {
                if (i < n) {
                    const char e2 = d.at(i);
                    if ((e2 == '\n' || e2 == '\r') && e2 != e)
                        ++i;
                }
            }
            limite = courant.size();
        } else if (c == '"') {
            ++i;
            partieCitee = true;
            guillemets = !guillemets;
            if (!guillemets) {
                sauterBlancs();
                limite = courant.size();
            }
        } else if (c == ',' && !guillemets) {
            if (!partieCitee)
                couperBlancsFinaux(courant, limite);
            liste.append(courant);
            courant.clear();
            partieCitee = false;
            ++i;
            sauterBlancs();
            limite = 0;
        } else {
            qsizetype j = i + 1;
            while (j < n && d.at(j) != '\\' && d.at(j) != '"' && d.at(j) != ',')
                ++j;
            courant += QString::fromUtf8(d.constData() + i, j - i);
            i = j;
        }
    }
    if (!partieCitee)
        couperBlancsFinaux(courant, limite);
    liste.append(courant);
    return liste;
}

// The typed forms Qt's settings write ("@@" for a text starting with "@").
std::optional<QString> texteDeValeur(const QString& s)
{
    if (!s.startsWith(QLatin1Char('@')))
        return s;
    if (s.endsWith(QLatin1Char(')'))) {
        if (s.startsWith(QLatin1String("@ByteArray(")))
            return QString::fromUtf8(QStringView(s).sliced(11).chopped(1).toLatin1());
        if (s.startsWith(QLatin1String("@String(")))
            return QStringView(s).sliced(8).chopped(1).toString();
        if (s == QLatin1String("@Invalid()"))
            return std::nullopt;
    }
    if (s.startsWith(QLatin1String("@@")))
        return s.sliced(1);
    return s;
}

std::optional<QString> valeurLue(const QByteArray& brut)
{
    const QStringList parties = partiesLues(brut);
    if (parties.size() == 1)
        return texteDeValeur(parties.constFirst());
    // A list written by hand comes back as written, its parts joined by commas.
    QStringList textes;
    for (const QString& p : parties)
        textes.append(texteDeValeur(p).value_or(QString()));
    return textes.join(QLatin1Char(','));
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
        const std::optional<QString> valeur = valeurLue(d.mid(egal + 1, debut + longueur - egal - 1));
        Section& s = r.sections_[courante];
        const QString chemin = cheminCle(s.nom, cle);
        const auto it = r.index_.constFind(chemin);
        if (!valeur) {
            // "@Invalid()": the key counts as absent, its line is kept.
            if (it == r.index_.constEnd())
                s.cles.append(Cle{cle, QString(), ligne.isEmpty() ? nomEcrit(cle) + "=@Invalid()" : ligne});
            continue;
        }
        if (it != r.index_.constEnd()) {
            // The last of two lines of one key wins, as when the file is read by Qt.
            Cle& c = r.sections_[it.value().first].cles[it.value().second];
            c.valeur = *valeur;
            c.brut = r.sections_[it.value().first].nom == s.nom ? ligne : QByteArray();
            continue;
        }
        s.cles.append(Cle{cle, *valeur, ligne});
        r.index_.insert(chemin, {courante, s.cles.size() - 1});
    }
    return r;
}

QByteArray ContenuReglages::ecrire() const
{
    QByteArray r;
    bool premiere = true;
    for (const Section& s : sections_) {
        if (s.cles.isEmpty())
            continue;
        if (!premiere)
            r += '\n';
        premiere = false;
        if (!s.brut.isEmpty()) {
            r += s.brut;
        } else if (s.nom.isEmpty()) {
            r += "[General]";
        } else if (s.nom.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            r += "[%" + s.nom.toUtf8() + ']';
        } else {
            r += '[' + nomEcrit(s.nom) + ']';
        }
        r += '\n';
        for (const Cle& c : s.cles) {
            if (!c.brut.isEmpty())
                r += c.brut;
            else
                r += nomEcrit(c.nom) + '=' + valeurEcrite(c.valeur);
            r += '\n';
        }
    }
    return r;
}

std::optional<QString> ContenuReglages::valeur(const QString& section, const QString& cle) const
{
    const auto it = index_.constFind(cheminCle(section, cle));
    if (it == index_.constEnd())
        return std::nullopt;
    return sections_.at(it.value().first).cles.at(it.value().second).valeur;
}

bool ContenuReglages::definir(const QString& sectionVoulue, const QString& cle, const QString& valeur)
{
    const QString chemin = cheminCle(sectionVoulue, cle);
    const auto it = index_.constFind(chemin);
    if (it != index_.constEnd()) {
        Cle& c = sections_[it.value().first].cles[it.value().second];
        if (c.valeur == valeur)
            return false;
        c.valeur = valeur;
        c.brut.clear();
        return true;
    }
    const qsizetype s = section(sectionVoulue, QByteArray());
    // A key read as "@Invalid()" gets its value in place.
    for (qsizetype k = 0; k < sections_[s].cles.size(); ++k) {
        Cle& c = sections_[s].cles[k];
        if (c.nom == cle) {
            c.valeur = valeur;
            c.brut.clear();
            index_.insert(chemin, {s, k});
            return true;
        }
    }
    sections_[s].cles.append(Cle{cle, valeur, QByteArray()});
    index_.insert(chemin, {s, sections_[s].cles.size() - 1});
    return true;
}

// ---- The files. ----

namespace {

struct Signature {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t taille = -1;
    qint64 modifie = 0;
    bool operator==(const Signature&) const = default;
};

std::optional<Signature> signature(const QString& fichier)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fichier).constData(), &st) != 0)
        return std::nullopt;
    return Signature{st.st_dev, st.st_ino, st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

struct Cache {
    std::optional<Signature> signature;
    ContenuReglages contenu;
};

std::map<QString, Cache>& caches()
{
    static std::map<QString, Cache> c;
    return c;
}

// The content of the file as it is now on disk (read again only when it changed). A file
// that cannot be read raises ErreurFichier when `exiger`, and reads as empty otherwise.
const ContenuReglages& contenuActuel(const QString& fichier, bool exiger = false)
{
    Cache& c = caches()[fichier];
    const std::optional<Signature> sig = signature(fichier);
    if (c.signature == sig && sig)
        return c.contenu;
    c.signature.reset();
    c.contenu = ContenuReglages();
    if (!sig)
        return c.contenu;
    try {
        c.contenu = ContenuReglages::lire(lireOctetsFichier(fichier));
        c.signature = sig;
    } catch (const ErreurFichier&) {
        if (exiger)
            throw;
    }
    return c.contenu;
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
    return contenuActuel(fichierReglages(application)).valeur(section, cle).value_or(defaut);
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
        ContenuReglages contenu = contenuActuel(fichier, true);
        bool change = false;
        for (const auto& [cle, valeur] : valeurs)
            change = contenu.definir(section, cle, valeur) || change;
        if (!change)
            return true;
        ecrireOctets(fichier, contenu.ecrire());
        Cache& c = caches()[fichier];
        c.contenu = std::move(contenu);
        c.signature = signature(fichier);
        return true;
    } catch (const ErreurFichier& e) {
        signalerEchec(e);
        return false;
    }
}

QString dossierReglages()
{
    return fichierReglages(QStringLiteral("Velmarin"));
}

void nettoyerRestesReglages(const QStringList& applications)
{
    const QString dossier = QFileInfo(dossierReglages()).absolutePath();
    const QDir d(dossier);
    if (!d.exists())
        return;
    const auto noms = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& application : applications) {
        const QString fichier = dossier + QLatin1Char('/') + application + QStringLiteral(".ini");
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
