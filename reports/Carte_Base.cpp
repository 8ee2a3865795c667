#include "reports/Carte_Base.h"

#include "logbook/Carnet_Grille.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "reports/Geographie.h"
#include "station/Couleurs_Etat.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <QImage>
#include <QPainter>
#include <QPixmap>

Cellule_Carte::Cellule_Carte(const QString& texte, const QImage* traits, QWidget* parent)
    : QLabel(texte, parent), traits_(traits)
{
    QFont f = font();
    f.setPointSize(7);
    setFont(f);
    setAlignment(traits ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignCenter);
    colorer(Couleurs_Etat::fondFenetre());
}

QColor Cellule_Carte::couleur() const
{
    return Couleurs_Etat::fond(this);
}

void Cellule_Carte::colorer(const QColor& c)
{
    Couleurs_Etat::colorer(this, c);
    update();
}

void Cellule_Carte::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The exact status colour, as on the main grid.
    p.fillRect(rect(), couleur());
    if (traits_) {
        p.drawImage(rect(), *traits_, geometry());
    } else {
        p.setPen(QColor(60, 60, 60));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    p.setPen(Qt::black);
    p.setFont(font());
    p.drawText(rect().adjusted(2, 0, -1, 0), int(alignment()), text());
}

Carte_Base::Carte_Base(const QString& nom, const QImage& image, const QImage* traits) : Fenetre_Chargee(nom)
{
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QPixmap::fromImage(image));
    Picture1->setFixedSize(image.size());
    for (int i = 0; i < cartes::NombreCellules; ++i) {
        Dep[i] = new Cellule_Carte(QString(), traits, Picture1);
        Dep[i]->setObjectName(QStringLiteral("Dep_%1").arg(i));
    }
}

void Carte_Base::effacerCellules()
{
    for (Cellule_Carte* c : Dep)
        c->colorer(Couleurs_Etat::fondFenetre());
}

void Carte_Base::colorerCellules(const std::array<QColor, cartes::NombreCellules>& couleurs)
{
    for (int i = 0; i < cartes::NombreCellules; ++i)
        Dep[i]->colorer(couleurs[i]);
}

std::array<QColor, cartes::NombreCellules> Carte_Base::couleursCellules() const
{
    std::array<QColor, cartes::NombreCellules> c;
    for (int i = 0; i < cartes::NombreCellules; ++i)
        c[i] = Dep[i]->couleur();
    return c;
}

void Carte_Base::placerSurFrance()
{
    const QSize t = geographie::tailleCelluleFrance();
    for (int i = 0; i < cartes::NombreCellules; ++i) {
        QString texte = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        if (i == 96 || i == 97)
            texte = grille::codeCellule(i);
        else if (i == 20 || i == 98 || i == 99)
            texte = QStringLiteral("X");
        Dep[i]->setText(texte);
        Dep[i]->setGeometry(QRect(geographie::positionCelluleFrance(i).toPoint(), t));
    }
}

void Carte_Base::placerSurChamp(const QString& champ)
{
    for (int i = 0; i < cartes::NombreCellules; ++i) {
        Dep[i]->setText(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
        // Each cell covers its square; neighbours share their edge line.
        const QRectF r = geographie::rectangleCarre(champ, i);
        Dep[i]->setGeometry(QRect(QPoint(qRound(r.left()) + 1, qRound(r.top()) + 1),
                                  QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1)));
    }
}

std::array<int, 4> Carte_Base::compteCellules() const
{
    return cartes::compteCouleurs(couleursCellules());
}

bool Carte_Base::lireFichier(const QString& nom, const QString& operation, QStringList& lignes)
{
    try {
        lignes = plateforme::lireLignes(nom);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(operation));
        return false;
    }
    return true;
}

QLabel* Carte_Base::etiquette(const QString& nom, const QString& texte)
{
    auto* l = new QLabel(texte, this);
    l->setObjectName(nom);
    return l;
}

QLayout* Carte_Base::legende(QLabel* n1, QLabel* n2, QLabel* n3, QLabel* n4)
{
    const QString textes[] = {QStringLiteral("Sans QSL"), QStringLiteral("QSL Envoyée non R"),
                              QStringLiteral("QSL Reçue non E"), QStringLiteral("Dpt Confirmé")};
    QLabel* const comptes[] = {n1, n2, n3, n4};
    auto* v = new QVBoxLayout;
    for (int k = 0; k < 4; ++k) {
        auto* ligne = new QHBoxLayout;
        auto* temoin = new QLabel(this);
        temoin->setFixedSize(18, 12);
        temoin->setAutoFillBackground(true);
        QPalette p = temoin->palette();
        p.setColor(QPalette::Window, Couleurs_Etat::couleur(QChar(u'1' + k)));
        temoin->setPalette(p);
        temoin->setFrameShape(QFrame::Box);
        ligne->addWidget(temoin);
        ligne->addWidget(new QLabel(textes[k], this), 1);
        comptes[k]->setMinimumWidth(30);
        comptes[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ligne->addWidget(comptes[k]);
        v->addLayout(ligne);
    }
    return v;
}
