// The names of the door's own files: scratch files and second names of the files it replaces,
// of a form no person gives a file.
#include "platform/fichiers/Interne.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>

namespace plateforme {

namespace interne {

// Whether `n` ends with the six letters or figures that make a scratch or journal name unique.
bool finitParSixSignes(const QString& n)
{
    return n.size() >= 6 &&
           std::all_of(n.cend() - 6, n.cend(), [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
}

// The start of the scratch names beside `cible` (see estBrouillon): six letters or figures follow.
QByteArray debutBrouillon(const QString& cible)
{
    return nomSysteme(dossierDe(cible) + QStringLiteral("/.") + QFileInfo(cible).fileName()) + MarqueBrouillon;
}

// A new scratch file beside `cible`, open for writing; its name in `nom`.
int creerBrouillon(const QString& cible, QByteArray& nom)
{
    nom = debutBrouillon(cible) + "XXXXXX";
    return ::mkostemp(nom.data(), O_CLOEXEC);
}

// A second name for the file `cible` (a hard link under a scratch name), or empty when the
// folder does not make links (FAT, some network shares) or the file is not there.
QByteArray secondNom(const QString& cible)
{
    static constexpr char Signes[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QByteArray c = nomSysteme(cible);
    const QByteArray debut = debutBrouillon(cible);
    // The link itself claims the name: a name already taken is refused, and another drawn.
    for (int essai = 0; essai < 100; ++essai) {
        QByteArray nom = debut;
        for (int k = 0; k < 6; ++k)
            nom += Signes[QRandomGenerator::global()->bounded(int(sizeof Signes - 1))];
        if (sys().link(c.constData(), nom.constData()) == 0)
            return nom;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

} // namespace interne

bool estBrouillon(const QString& n, const QString& cible)
{
    const QLatin1String marque(MarqueBrouillon);
    const qsizetype debutMarque = n.size() - 6 - marque.size();
    if (debutMarque < 2 || !n.startsWith(QLatin1Char('.')) || QStringView(n).sliced(debutMarque, marque.size()) != marque)
        return false;
    if (!cible.isEmpty() && QStringView(n).sliced(1, debutMarque - 1) != cible)
        return false;
    return interne::finitParSixSignes(n);
}

} // namespace plateforme
