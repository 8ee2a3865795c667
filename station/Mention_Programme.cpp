#include "station/Mention_Programme.h"

#include "platform/Dialogues.h"
#include "station/Variables_Programme.h"

QString Ligne_Auteur()
{
    // The revision text begins with its own blank.
    QString revision = Prog().Revision_Programme;
    if (!revision.isEmpty() && !revision.startsWith(QLatin1Char(' ')))
        revision.prepend(QLatin1Char(' '));
    return QString::fromLatin1(plateforme::NomProgramme) + revision + QStringLiteral(" - ") + Mention_Auteur;
}
