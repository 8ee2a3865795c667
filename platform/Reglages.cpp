#include "platform/Reglages.h"

#include <QSettings>
#include <QVariant>

namespace plateforme {

namespace {

QString chemin(const QString& section, const QString& cle)
{
    return section + QLatin1Char('/') + cle;
}

} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& cle,
                   const QString& defaut)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, application);
    const QVariant v = s.value(chemin(section, cle));
    if (!v.isValid())
        return defaut;
    // A value written by hand with commas comes back as a list: give it back as written.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& cle,
                 const QString& valeur)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, application);
    s.setValue(chemin(section, cle), valeur);
    s.sync();
}

QString dossierReglages()
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmarin"));
    return s.fileName();
}

} // namespace plateforme
