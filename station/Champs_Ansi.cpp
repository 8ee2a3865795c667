#include "station/Champs_Ansi.h"

#include "platform/Ansi.h"

#include <algorithm>
#include <cstring>

namespace station {

ChampAnsi::ChampAnsi(QByteArrayView ligne, int debut, int largeur)
    : largeur_(std::clamp<qsizetype>(largeur, 0, qsizetype(sizeof(octets_))))
{
    const qsizetype depart = debut - 1;
    const qsizetype lus = std::clamp<qsizetype>(ligne.size() - depart, 0, largeur_);
    if (lus > 0)
        std::memcpy(octets_.data(), ligne.data() + depart, size_t(lus));
    std::fill(octets_.begin() + lus, octets_.begin() + largeur_, ' ');
}

QByteArrayView ChampAnsi::sansBlancs() const
{
    qsizetype debut = 0;
    qsizetype fin = largeur_;
    while (debut < fin && octets_[debut] == ' ')
        ++debut;
    while (fin > debut && octets_[fin - 1] == ' ')
        --fin;
    return QByteArrayView(octets_.data() + debut, fin - debut);
}

std::optional<QByteArray> ansiExact(QStringView texte)
{
    QByteArray octets = plateforme::versAnsi(texte);
    if (plateforme::depuisAnsi(octets) != texte)
        return std::nullopt;
    return octets;
}

} // namespace station
