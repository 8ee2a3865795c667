#include "station/Cles_Registre.h"

#include "platform/Reglages.h"
#include "station/Variables_Programme.h"

#include <QRegularExpression>
#include <cmath>

using namespace Cles_Registre;

QString Lit_Setup(const QString& cle, const QString& defaut)
{
    return plateforme::GetSetting(Application, Section_Setup, cle, defaut);
}

bool Ecrit_Setup(const QString& cle, const QString& valeur)
{
    return plateforme::SaveSetting(Application, Section_Setup, cle, valeur);
}

bool Ecrit_Setup(const QList<std::pair<QString, QString>>& valeurs)
{
    return plateforme::SaveSettings(Application, Section_Setup, valeurs);
}

QString Lit_Station(const QString& cle, const QString& defaut)
{
    return plateforme::GetSetting(Application, Section_Station(Prog().Indicatif_Station), cle, defaut);
}

bool Ecrit_Station(const QString& cle, const QString& valeur)
{
    return plateforme::SaveSetting(Application, Section_Station(Prog().Indicatif_Station), cle, valeur);
}

bool Ecrit_Station(const QList<std::pair<QString, QString>>& valeurs)
{
    return plateforme::SaveSettings(Application, Section_Station(Prog().Indicatif_Station), valeurs);
}

double Valeur_Numerique(const QString& texte)
{
    static const QRegularExpression nombre(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?"));
    const auto m = nombre.match(texte);
    if (!m.hasMatch())
        return 0;
    return m.captured(0).trimmed().toDouble();
}

int Entier_Borne(const QString& texte, int defaut, int mini, int maxi)
{
    if (texte.isNull())
        return defaut;
    const double v = std::nearbyint(Valeur_Numerique(texte));
    if (!std::isfinite(v) || v < double(mini) || v > double(maxi))
        return defaut;
    return int(v);
}

int Lit_Setup_Entier(const QString& cle, int defaut, int mini, int maxi)
{
    return Entier_Borne(Lit_Setup(cle, QString()), defaut, mini, maxi);
}

int Lit_Station_Entier(const QString& cle, int defaut, int mini, int maxi)
{
    return Entier_Borne(Lit_Station(cle, QString()), defaut, mini, maxi);
}

QString Delta_Sauvegarde_Lu()
{
    const QString texte = Lit_Station(Delta_Sauvegarde, QStringLiteral("10"));
    return Entier_Borne(texte, -1, 0, Max_Compte_QSO) < 0 ? QStringLiteral("10") : texte;
}
