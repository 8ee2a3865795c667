#include "station/Cles_Registre.h"

#include "platform/Reglages.h"
#include "station/Variables_Programme.h"

#include <QRegularExpression>

using namespace Cles_Registre;

QString Lit_Setup(const QString& cle, const QString& defaut)
{
    return plateforme::GetSetting(Application, Section_Setup, cle, defaut);
}

bool Ecrit_Setup(const QString& cle, const QString& valeur)
{
    return plateforme::SaveSetting(Application, Section_Setup, cle, valeur);
}

QString Lit_Station(const QString& cle, const QString& defaut)
{
    return plateforme::GetSetting(Application, Section_Station(Prog().Indicatif_Station), cle, defaut);
}

bool Ecrit_Station(const QString& cle, const QString& valeur)
{
    return plateforme::SaveSetting(Application, Section_Station(Prog().Indicatif_Station), cle, valeur);
}

double Valeur_Numerique(const QString& texte)
{
    static const QRegularExpression nombre(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?"));
    const auto m = nombre.match(texte);
    if (!m.hasMatch())
        return 0;
    return m.captured(0).trimmed().toDouble();
}
