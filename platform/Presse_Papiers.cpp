#include "platform/Presse_Papiers.h"

#include <QClipboard>
#include <QGuiApplication>

namespace plateforme {

QString PressePapiersTexte()
{
    return QGuiApplication::clipboard()->text();
}

void PressePapiersEcrire(const QString& texte)
{
    QGuiApplication::clipboard()->setText(texte);
}

void PressePapiersVider()
{
    QGuiApplication::clipboard()->clear();
}

} // namespace plateforme
