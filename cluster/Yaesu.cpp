#include "cluster/Yaesu.h"

namespace cluster {

const QStringList& Modeles_Transceiver()
{
    static const QStringList l = {QStringLiteral("FT-736"), QStringLiteral("FT-817"), QStringLiteral("FT-847"),
                                  QStringLiteral("FT-897")};
    return l;
}

void ClearCmd_Yaesu(Commande_CAT& c)
{
    for (int i = 0; i < 4; ++i)
        c.octets[i] = 0;
}

void MakeFreqKhz_Yaesu(Commande_CAT& c, qint32 frequence)
{
    const QString chiffres = QStringLiteral("%1").arg(frequence, 8, 10, QLatin1Char('0')).right(8);
    for (int i = 0; i < 4; ++i) {
        const int fort = chiffres.at(2 * i).unicode() - '0';
        const int faible = chiffres.at(2 * i + 1).unicode() - '0';
        c.octets[i] = std::uint8_t(fort * 16 + faible);
    }
}

QByteArray Trame(Commande_CAT& c, std::uint8_t opcode)
{
    c.octets[4] = opcode;
    return QByteArray(reinterpret_cast<const char*>(c.octets.data()), int(c.octets.size()));
}

QByteArray Sequence_Yaesu(qint32 frequence)
{
    Commande_CAT c;
    QByteArray s;
    ClearCmd_Yaesu(c);
    s += Trame(c, Op_Ouverture);
    MakeFreqKhz_Yaesu(c, frequence);
    s += Trame(c, Op_Frequence);
    ClearCmd_Yaesu(c);
    s += Trame(c, Op_Mode);
    ClearCmd_Yaesu(c);
    s += Trame(c, Op_Fermeture);
    return s;
}

} // namespace cluster
