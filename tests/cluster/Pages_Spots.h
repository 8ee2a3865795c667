#pragma once
// Spot pages written for the tests, in the layout the cluster site serves: a table whose
// header takes seven lines and whose rows take seven lines each.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace test {

struct Ligne_Page {
    QString dx;
    QString qrg;
    QString date = QStringLiteral("08/12/26 2205");
    QString spotter = QStringLiteral("F6ABC");
    QString remarques = QStringLiteral("CQ DX");
};

// The seven lines of one row.
inline QStringList lignesRangee(const Ligne_Page& l)
{
    return {
        QStringLiteral("<tr>"),
        QStringLiteral("<td><a href=\"/dx/%1\" target=\"_blank\">%1</a></td>").arg(l.dx),
        QStringLiteral("<td align=\"right\">%1 &nbsp;</td>").arg(l.qrg),
        QStringLiteral("<td align=\"left\"> %1&nbsp;</td>").arg(l.date),
        QStringLiteral("<td><a href=\"/de/%1\" target=\"_blank\">%1</a></td>").arg(l.spotter),
        QStringLiteral("<td align=\"left\"> %1</td>").arg(l.remarques),
        QStringLiteral("</tr>"),
    };
}

inline QStringList enteteTable()
{
    return {QStringLiteral("<table>"),   QStringLiteral("<tr>"),      QStringLiteral("<th>DX</th>"),
            QStringLiteral("<th>QRG</th>"), QStringLiteral("<th>Date</th>"), QStringLiteral("<th>Spotter</th>"),
            QStringLiteral("<th>Remarques</th>"), QStringLiteral("</tr>")};
}

// The lines of a whole page holding one table of `rangees`.
inline QStringList lignesPage(const QList<Ligne_Page>& rangees)
{
    QStringList p = {QStringLiteral("<html>"), QStringLiteral("<head><title>Derniers spots</title></head>"),
                     QStringLiteral("<body>"), QStringLiteral("<h1>Spots</h1>")};
    p += enteteTable();
    for (const Ligne_Page& r : rangees)
        p += lignesRangee(r);
    p << QStringLiteral("</table>") << QStringLiteral("</body>") << QStringLiteral("</html>");
    return p;
}

// Lines joined with LF (as the site sends them) or CR LF.
inline QByteArray page(const QStringList& lignes, bool crlf = false)
{
    const QString fin = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return (lignes.join(fin) + fin).toLatin1();
}

// Three spots: a German, a French and an overseas French station.
inline QList<Ligne_Page> troisSpots()
{
    return {
        {QStringLiteral("dl1abc"), QStringLiteral("14025.0"), QStringLiteral("08/12/26 2201"), QStringLiteral("G4XYZ"),
         QStringLiteral("cq contest")},
        {QStringLiteral("F5KTR"), QStringLiteral("7012.5"), QStringLiteral("08/12/26 2203"), QStringLiteral("ON4AA"),
         QStringLiteral("TNX QSO")},
        {QStringLiteral("TM5C"), QStringLiteral("144300.0"), QStringLiteral("08/12/26 2202"), QStringLiteral("F1ZZZ-2"),
         QStringLiteral("JN18 TROPO")},
    };
}

} // namespace test
