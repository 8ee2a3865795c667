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

namespace {

// The frame the window manager puts around a window: the window's own once it is shown, else
// that of another window on screen (the main window), none when no window shows one yet.
QMargins margesCadre(const QWidget* fenetre)
{
    const auto marges = [](const QWidget* w) {
        const QRect g = w->geometry(), c = w->frameGeometry();
        return QMargins(g.left() - c.left(), g.top() - c.top(), c.right() - g.right(), c.bottom() - g.bottom());
    };
    if (fenetre->isVisible())
        return marges(fenetre);
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w == fenetre || !w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
            continue;
        const QMargins m = marges(w);
        if (!m.isNull())
            return m;
    }
    return QMargins();
}

// Puts the corner of the window's frame at `coin`. On X11 the window manager puts the frame's
// corner where a window that is not on screen yet asks to be, while Qt would move that request
// by the frame once more when it knows the frame: the window asks for the corner itself.
void placer(QWidget* fenetre, QPoint coin)
{
    if (fenetre->isVisible() || QGuiApplication::platformName() != QLatin1String("xcb")) {
        fenetre->move(coin);
        return;
    }
    const bool dimensionnee = fenetre->testAttribute(Qt::WA_Resized);
    fenetre->setGeometry(QRect(coin, fenetre->size()));
    fenetre->setAttribute(Qt::WA_Resized, dimensionnee);
}

// Keeps the centre where it was put when the window, shown later, takes another size (its
// texts were filled in after the centring): the window moves by half the difference. A move
// that the window's code made after the centring is kept.
class CentreAuMontrer : public QObject {
public:
    explicit CentreAuMontrer(QWidget* fenetre) : QObject(fenetre)
    {
        setObjectName(QStringLiteral("CentreAuMontrer"));
        fenetre->installEventFilter(this);
    }
    void fixer(QPoint coin, QSize taille)
    {
        coin_ = coin;
        taille_ = taille;
        place_ = static_cast<QWidget*>(parent())->pos();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o == parent()) {
            auto* fenetre = static_cast<QWidget*>(o);
            const QSize ecart = fenetre->size() - taille_;
            if (!ecart.isNull())
                placer(fenetre, coin_ + (fenetre->pos() - place_) - QPoint(ecart.width() / 2, ecart.height() / 2));
            fenetre->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPoint coin_;
    QPoint place_;
    QSize taille_;
};

} // namespace

void centrer(QWidget* fenetre)
{
    QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    // A window that its code never sized takes the size of its layout when it is shown: that
    // is the size to centre, not the default size it has until then.
    if (!fenetre->isVisible() && !fenetre->testAttribute(Qt::WA_Resized)) {
        fenetre->ensurePolished();
        fenetre->adjustSize();
        fenetre->setAttribute(Qt::WA_Resized, false);
    }
    const QRect zone = ecran->availableGeometry();
    const QSize taille = fenetre->size().grownBy(margesCadre(fenetre));
    const QPoint coin(zone.x() + (zone.width() - taille.width()) / 2, zone.y() + (zone.height() - taille.height()) / 2);
    placer(fenetre, coin);
    if (fenetre->isVisible())
        return;
    auto* suivi = fenetre->findChild<CentreAuMontrer*>(QStringLiteral("CentreAuMontrer"), Qt::FindDirectChildrenOnly);
    if (!suivi)
        suivi = new CentreAuMontrer(fenetre);
    suivi->fixer(coin, fenetre->size());
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
