#include "platform/Dialogues.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <vector>

namespace plateforme {

namespace {

Repondeur g_repondeur;
std::function<void()> g_fin;
bool g_finDemandee = false;
std::vector<QEventLoop*> g_attentes;

class GuetteurFermeture : public QObject {
public:
    GuetteurFermeture(QWidget* w, QEventLoop* boucle) : boucle_(boucle) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Hide || e->type() == QEvent::Close || e->type() == QEvent::DeferredDelete)
            boucle_->quit();
        return QObject::eventFilter(o, e);
    }

private:
    QEventLoop* boucle_;
};

} // namespace

namespace {
RepondeurFichier g_repondeurFichier;

// ".adi (adi)|*.adi" becomes "adi (*.adi)".
QString filtreQt(const QString& filtre)
{
    const QStringList parties = filtre.split(QLatin1Char('|'));
    QStringList filtres;
    for (int i = 0; i + 1 < parties.size(); i += 2)
        filtres.append(parties[i].trimmed() + QStringLiteral(" (") + parties[i + 1].trimmed() + QLatin1Char(')'));
    return filtres.join(QStringLiteral(";;"));
}
} // namespace

void installerRepondeurFichier(RepondeurFichier repondeur)
{
    g_repondeurFichier = std::move(repondeur);
}

void retirerRepondeurFichier()
{
    g_repondeurFichier = nullptr;
}

QString DialogueOuvrir(const QString& filtre)
{
    if (g_repondeurFichier)
        return g_repondeurFichier(false, filtre, QString());
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromLatin1(NomProgramme), QString(),
                                        filtreQt(filtre));
}

QString DialogueEnregistrer(const QString& nomPropose, const QString& filtre)
{
    if (g_repondeurFichier)
        return g_repondeurFichier(true, filtre, nomPropose);
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString::fromLatin1(NomProgramme), nomPropose,
                                        filtreQt(filtre), nullptr, QFileDialog::DontConfirmOverwrite);
}

Reponse MsgBox(const QString& texte, Boutons boutons, Icone icone)
{
    if (g_repondeur)
        return g_repondeur(texte, boutons, icone);
    QMessageBox boite(icone == Icone::Critique ? QMessageBox::Critical : QMessageBox::NoIcon,
                      QString::fromLatin1(NomProgramme), texte);
    // Shown as typed: blanks kept, nothing read as markup.
    boite.setTextFormat(Qt::PlainText);
    if (auto* texteBoite = boite.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        texteBoite->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    switch (boutons) {
    case Boutons::Ok:
        boite.setStandardButtons(QMessageBox::Ok);
        break;
    case Boutons::OkAnnuler:
        boite.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        boite.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
        break;
    case Boutons::OuiNon:
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        boite.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        boite.button(QMessageBox::No)->setText(QStringLiteral("Non"));
        break;
    case Boutons::OuiNonAnnuler:
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        boite.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        boite.button(QMessageBox::No)->setText(QStringLiteral("Non"));
        boite.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
        break;
    }
    switch (boite.exec()) {
    case QMessageBox::Ok:
        return Reponse::Ok;
    case QMessageBox::Yes:
        return Reponse::Oui;
    case QMessageBox::No:
        return Reponse::Non;
    default:
        return boutons == Boutons::OuiNon ? Reponse::Non : Reponse::Annuler;
    }
}

void installerRepondeur(Repondeur repondeur)
{
    g_repondeur = std::move(repondeur);
}

void retirerRepondeur()
{
    g_repondeur = nullptr;
}

void centrer(QWidget* fenetre)
{
    QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize taille = fenetre->frameGeometry().size().isValid() ? fenetre->frameGeometry().size() : fenetre->size();
    fenetre->move(zone.x() + (zone.width() - taille.width()) / 2, zone.y() + (zone.height() - taille.height()) / 2);
}

void boutonsAuClavier(QWidget* fenetre)
{
    const auto boutons = fenetre->findChildren<QPushButton*>();
    for (QPushButton* b : boutons)
        b->setAutoDefault(true);
}

void montrer(QWidget* fenetre)
{
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

void montrerModal(QWidget* fenetre)
{
    QPointer<QWidget> garde(fenetre);
    const Qt::WindowModality avant = fenetre->windowModality();
    if (fenetre->isVisible())
        fenetre->hide();
    fenetre->setWindowModality(Qt::ApplicationModal);
    QEventLoop boucle;
    GuetteurFermeture guetteur(fenetre, &boucle);
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    g_attentes.push_back(&boucle);
    if (!g_finDemandee && fenetre->isVisible())
        boucle.exec(QEventLoop::DialogExec);
    g_attentes.erase(std::remove(g_attentes.begin(), g_attentes.end(), &boucle), g_attentes.end());
    if (garde) {
        garde->removeEventFilter(&guetteur);
        garde->setWindowModality(avant);
    }
}

void ceder()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void terminerProgramme()
{
    g_finDemandee = true;
    if (g_fin) {
        g_fin();
        for (QEventLoop* b : g_attentes)
            b->quit();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void attendreFinProgramme()
{
    if (g_finDemandee)
        return;
    QEventLoop boucle;
    g_attentes.push_back(&boucle);
    boucle.exec();
    g_attentes.erase(std::remove(g_attentes.begin(), g_attentes.end(), &boucle), g_attentes.end());
}

void definirFinProgramme(std::function<void()> fin)
{
    g_fin = std::move(fin);
}

bool finProgrammeDemandee()
{
    return g_finDemandee;
}

void reinitialiserFinProgramme()
{
    g_finDemandee = false;
}

} // namespace plateforme
