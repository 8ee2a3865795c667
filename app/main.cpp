// Velmarin: station logbook.
#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "qsl/Select_QSO.h"
#include "reports/Cartes.h"
#include "reports/Recherche_Indicatif.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The blank files shipped with the program: beside the executable once installed, or in the
// source tree for a build that was not installed.
QString dossierModeles()
{
    const QString installe = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmarin/templates");
    if (QFileInfo(installe).isDir())
        return QDir::cleanPath(installe);
    return QStringLiteral(VELMARIN_MODELES);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmarin"));

    plateforme::definirDossierProgramme(plateforme::dossierProgrammeParDefaut());
    try {
        plateforme::installerModeles(dossierModeles());
    } catch (const plateforme::ErreurFichier&) {
        // A template that cannot be copied shows up later, when the file is needed.
    }

    Installer_Fenetres_Rapports();
    Installer_Fenetres_Etiquettes();
    Carnet& carnet = Carnet::instance();
    Cartes::Installer();
    carnet.Form_Load();
    return app.exec();
}
