// The journal of a set of files replaced together: its form, written and read back.
#include "platform/fichiers/Ensemble.h"

#include <QCryptographicHash>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme::interne {

Empreinte empreinte(const QByteArray& octets)
{
    return {octets.size(), QCryptographicHash::hash(octets, QCryptographicHash::Blake2b_256).toHex()};
}

Empreinte identiteFichier(const QByteArray& nom)
{
    struct stat st {};
    if (::stat(nom.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {st.st_size, "i" + QByteArray::number(quint64(st.st_dev), 16) + '.' + QByteArray::number(quint64(st.st_ino), 16) +
                            '.' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' +
                            QByteArray::number(qint64(st.st_mtim.tv_nsec))};
}

// The file's, of the kind of `modele`; no file (or one that cannot be read) has none.
Empreinte empreinteFichier(const QByteArray& nom, const Empreinte& modele)
{
    if (modele.identite())
        return identiteFichier(nom);
    QFile f(QFile::decodeName(nom));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash h(QCryptographicHash::Blake2b_256);
    if (!h.addData(&f))
        return {};
    return {f.size(), h.result().toHex()};
}

QByteArray texteJournal(const std::vector<MembreEnsemble>& membres)
{
    QByteArray t = QByteArray(EnteteJournal) + '\n';
    for (const MembreEnsemble& m : membres) {
        t += m.cible.toHex() + ' ' + m.nouveau.toHex() + ' ' + (m.ancien.isEmpty() ? QByteArray("-") : m.ancien.toHex());
        t += ' ' + QByteArray::number(m.neuf.taille) + ' ' + m.neuf.somme;
        t += m.vieux.existe() ? ' ' + QByteArray::number(m.vieux.taille) + ' ' + m.vieux.somme : QByteArray(" - -");
        t += '\n';
    }
    return t + "fin\n";
}

// Whether the journal was written whole: its end mark is there. One cut short by a kill was
// never obeyed (nothing is renamed before it is synced).
bool journalEntier(const QByteArray& t)
{
    return t.endsWith("\nfin\n");
}

// The members of a whole journal (journalEntier); false when it is not of the form the door
// writes.
bool lireJournal(const QByteArray& t, std::vector<MembreEnsemble>& membres)
{
    const QList<QByteArray> lignes = t.split('\n');
    if (lignes.size() < 4 || lignes.first() != EnteteJournal)
        return false;
    for (qsizetype i = 1; i < lignes.size() - 2; ++i) {
        const QList<QByteArray> c = lignes.at(i).split(' ');
        if (c.size() != 7)
            return false;
        bool ok = true;
        MembreEnsemble m{QByteArray::fromHex(c[0]), QByteArray::fromHex(c[1]),
                         c[2] == "-" ? QByteArray() : QByteArray::fromHex(c[2]), {c[3].toLongLong(&ok), c[4]}, {}};
        if (!ok)
            return false;
        if (c[5] != "-") {
            m.vieux = {c[5].toLongLong(&ok), c[6]};
            if (!ok)
                return false;
        }
        membres.push_back(m);
    }
    return true;
}

bool estJournal(const QString& n, const QString& debut)
{
    return n.size() == debut.size() + 6 && n.startsWith(debut) && finitParSixSignes(n);
}

// The journal written and synced in the program folder; its name. Errors name `premier`, the
// set's first file.
QByteArray ecrireJournal(const QString& premier, const QByteArray& texte)
{
    const QString dossier = dossierProgramme();
    QByteArray nom = nomSysteme(dossier + QLatin1Char('/') + JournalEnsemble) + "XXXXXX";
    const int fd = ::mkostemp(nom.data(), O_CLOEXEC);
    if (fd < 0)
        leverErrno(premier, errno, true);
    int e = 0;
    if (!toutEcrire(fd, texte.constData(), texte.size()) || synchroniserFichier(fd) != 0)
        e = errno;
    if (sys().close(fd) != 0 && !e)
        e = errno;
    if (!e)
        e = synchroniserDossier(dossier);
    if (e) {
        ::unlink(nom.constData());
        leverErrno(premier, e);
    }
    return nom;
}

} // namespace plateforme::interne
