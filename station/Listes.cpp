#include "station/Listes.h"

namespace station {

const QStringList& Liste_Bandes()
{
    static const QStringList l = {
        QStringLiteral("1.8 Mhz"), QStringLiteral("3.5 Mhz"), QStringLiteral("7.0 Mhz"), QStringLiteral("10 Mhz"),
        QStringLiteral("14 Mhz"),  QStringLiteral("18 Mhz"),  QStringLiteral("21 Mhz"),  QStringLiteral("24 Mhz"),
        QStringLiteral("28 Mhz"),  QStringLiteral("50 Mhz"),  QStringLiteral("144 Mhz"), QStringLiteral("432 Mhz"),
        QStringLiteral("1.3 Ghz"), QStringLiteral("2.3 Ghz"), QStringLiteral("5.7 Ghz"), QStringLiteral("10 Ghz"),
        QStringLiteral("24 Ghz")};
    return l;
}

const QStringList& Liste_Modes()
{
    static const QStringList l = {
        QStringLiteral("SSB"),   QStringLiteral("CW"),    QStringLiteral("FM"),     QStringLiteral("AM"),
        QStringLiteral("RELAIS"), QStringLiteral("SSTV"), QStringLiteral("PSK31"),  QStringLiteral("HELL"),
        QStringLiteral("MFSK"),  QStringLiteral("RTTY"),  QStringLiteral("THROB"),  QStringLiteral("MT63"),
        QStringLiteral("JT44"),  QStringLiteral("PACKET"), QStringLiteral("SAT"),   QStringLiteral("AUTRE")};
    return l;
}

const QStringList& Champs_Locator()
{
    static const QStringList l = {QStringLiteral("IO"), QStringLiteral("IN"), QStringLiteral("IM"),
                                  QStringLiteral("JO"), QStringLiteral("JN"), QStringLiteral("JM"),
                                  QStringLiteral("KO"), QStringLiteral("KN"), QStringLiteral("KM")};
    return l;
}

const QStringList& Prefixes_Francais()
{
    static const QStringList l = {QStringLiteral("F"),  QStringLiteral("TH"), QStringLiteral("TK"), QStringLiteral("TM"),
                                  QStringLiteral("TP"), QStringLiteral("TQ"), QStringLiteral("TV"), QStringLiteral("TW"),
                                  QStringLiteral("HW"), QStringLiteral("HX"), QStringLiteral("HY")};
    return l;
}

const QStringList& Activites_Defaut()
{
    static const QStringList l = {QStringLiteral("QSO"), QStringLiteral("DFCF"), QStringLiteral("DMF"),
                                  QStringLiteral("DIFI"), QStringLiteral("DIFM")};
    return l;
}

} // namespace station
