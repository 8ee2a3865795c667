#include "station/Dates.h"

#include "platform/Horloge.h"

namespace {

QString date(const QDateTime& t)
{
    const QDate d = t.date();
    return QStringLiteral("%1/%2/%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year() % 100, 2, 10, QLatin1Char('0'));
}

QString heure(const QDateTime& t)
{
    const QTime h = t.time();
    return QStringLiteral("%1:%2:%3")
        .arg(h.hour(), 2, 10, QLatin1Char('0'))
        .arg(h.minute(), 2, 10, QLatin1Char('0'))
        .arg(h.second(), 2, 10, QLatin1Char('0'));
}

// Positions are 1-based; a position beyond the text fails.
bool chiffre(const QString& t, int position)
{
    return position <= t.size() && t.at(position - 1) >= QLatin1Char('0') && t.at(position - 1) <= QLatin1Char('9');
}

bool lettre(const QString& t, int position)
{
    return position <= t.size() && t.at(position - 1) >= QLatin1Char('A') && t.at(position - 1) <= QLatin1Char('Z');
}

bool signe(const QString& t, int position, QChar attendu)
{
    return position <= t.size() && t.at(position - 1) == attendu;
}

} // namespace

QString Lit_Date_UTC() { return date(plateforme::heureUTC()); }
QString Lit_Date_Locale() { return date(plateforme::heureLocale()); }
QString Lit_Heure_UTC() { return heure(plateforme::heureUTC()); }
QString Lit_Heure_Locale() { return heure(plateforme::heureLocale()); }

void Verif_Date(const QString& texte, int& erreur)
{
    erreur = 0;
    if (!chiffre(texte, 1) || !chiffre(texte, 2) || !signe(texte, 3, QLatin1Char('/')) || !chiffre(texte, 4) ||
        !chiffre(texte, 5) || !signe(texte, 6, QLatin1Char('/')) || !chiffre(texte, 7) || !chiffre(texte, 8))
        erreur = 1;
}

void Verif_Heure(const QString& texte, int& erreur)
{
    erreur = 0;
    if (!chiffre(texte, 1) || !chiffre(texte, 2) || !signe(texte, 3, QLatin1Char(':')) || !chiffre(texte, 4) ||
        !chiffre(texte, 5))
        erreur = 1;
}

void Verif_Locator(const QString& texte, int& erreur)
{
    if (!lettre(texte, 1) || !lettre(texte, 2) || !chiffre(texte, 3) || !chiffre(texte, 4) || !lettre(texte, 5) ||
        !lettre(texte, 6))
        erreur = 1;
}
