#include "station/Couleurs_Etat.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace Couleurs_Etat {

QColor depuisBGR(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QColor couleur(QChar etat)
{
    switch (etat.unicode()) {
    case u'1':
        return depuisBGR(0xC0C0FF);
    case u'2':
        return depuisBGR(0xFFFF);
    case u'3':
        return depuisBGR(0xFFFF80);
    case u'4':
        return depuisBGR(0x80FF80);
    default:
        return QColor();
    }
}

QColor fondFenetre()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

QString lettre(QChar etat)
{
    switch (etat.unicode()) {
    case u'1': return QStringLiteral("S");
    case u'2': return QStringLiteral("E");
    case u'3': return QStringLiteral("R");
    case u'4': return QStringLiteral("C");
    default: return QString();
    }
}

QString mot(QChar etat)
{
    switch (etat.unicode()) {
    case u'1': return QStringLiteral("Sans");
    case u'2': return QStringLiteral("Envoyée");
    case u'3': return QStringLiteral("Reçue");
    case u'4': return QStringLiteral("Confirmée");
    default: return QString();
    }
}

QString texteHex(QChar etat)
{
    switch (etat.unicode()) {
    case u'1': return QStringLiteral("C0C0FF");
    case u'2': return QStringLiteral("FFFF");
    case u'3': return QStringLiteral("FFFF80");
    case u'4': return QStringLiteral("80FF80");
    default: return QStringLiteral("80000005");
    }
}

QColor aRemplir() { return depuisBGR(0xC0FFC0); }
QColor rempli() { return depuisBGR(0xC0FFFF); }
QColor nouveauDepartement() { return depuisBGR(0xC0C0FF); }
QColor carreNonContacte() { return depuisBGR(0xC0FFFF); }
QColor faceBouton() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

void colorer(QWidget* controle, const QColor& c)
{
    if (!controle)
        return;
    QPalette p = controle->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    auto* cb = qobject_cast<QComboBox*>(controle);
    QWidget* saisie = cb ? cb->lineEdit() : nullptr;
    // A control already in this colour is left alone: the grid is painted again after every
    // save, and setting a palette costs far more than comparing it.
    const auto dejaPose = [&p](const QWidget* w) {
        return w->testAttribute(Qt::WA_SetPalette) && w->palette() == p;
    };
    if (dejaPose(controle) && (!saisie || dejaPose(saisie)))
        return;
    controle->setPalette(p);
    if (saisie)
        saisie->setPalette(p);
}

QColor fond(const QWidget* controle)
{
    return controle->palette().color(QPalette::Active, QPalette::Base);
}

} // namespace Couleurs_Etat
