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

bool finitParSixSignes(QStringView n)
{
    return n.size() >= 6 &&
           std::all_of(n.cend() - 6, n.cend(), [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
}

namespace interne {

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

using namespace interne;

namespace {

// A form of the names killed writes leave behind: `debut`, the name of the file they stood in
// for, `marque`, then six letters or figures.
struct FormeReste {
    QLatin1StringView debut;
    QLatin1StringView marque;
};

// The forms a start removes, and no other name: the door's scratch files and second names
// first. A new kind of leftover of the program's own writes is one more line here.
const FormeReste FormesRestes[] = {
    {QLatin1StringView("."), QLatin1StringView(MarqueBrouillon)},
};

bool aLaForme(const QString& n, const FormeReste& forme, const QString& cible)
{
    const qsizetype debutMarque = n.size() - 6 - forme.marque.size();
    if (debutMarque <= forme.debut.size() || !n.startsWith(forme.debut) ||
        QStringView(n).sliced(debutMarque, forme.marque.size()) != forme.marque)
        return false;
    if (!cible.isEmpty() && QStringView(n).sliced(forme.debut.size(), debutMarque - forme.debut.size()) != cible)
        return false;
    return finitParSixSignes(n);
}

} // namespace

bool estBrouillon(const QString& n, const QString& cible)
{
    return aLaForme(n, FormesRestes[0], cible);
}

bool estReste(const QString& n, const QString& cible)
{
    return std::any_of(std::begin(FormesRestes), std::end(FormesRestes),
                       [&](const FormeReste& forme) { return aLaForme(n, forme, cible); });
}

} // namespace plateforme
