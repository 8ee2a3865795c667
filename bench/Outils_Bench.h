#pragma once
// What the benchmarks share: a temporary program folder and settings, message boxes answered
// OK, and the timing of one operation.
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

namespace bench {

struct Banc {
    QTemporaryDir dossier;
    QTemporaryDir reglages;
    Banc()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages.path());
        plateforme::definirDossierProgramme(dossier.path());
        plateforme::installerRepondeur([](const QString&, plateforme::Boutons, plateforme::Icone) {
            return plateforme::Reponse::Ok;
        });
    }
};

// Seconds taken by `f`.
inline double mesure(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e9;
}

} // namespace bench
