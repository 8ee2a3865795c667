#include "reports/Carte_Champ.h"

#include "platform/Dialogues.h"
#include "reports/Geographie.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <map>
#include <memory>

namespace {

std::map<QString, std::unique_ptr<Carte_Champ>>& fenetres()
{
    static std::map<QString, std::unique_ptr<Carte_Champ>> f;
    return f;
}

} // namespace

Carte_Champ* Carte_Champ::instance(const QString& champ)
{
    if (!cartes::champsChoix().contains(champ))
        return nullptr;
    auto& f = fenetres()[champ];
    if (!f)
        f.reset(new Carte_Champ(champ));
    return f.get();
}

Carte_Champ* Carte_Champ::existante(const QString& champ)
{
    const auto it = fenetres().find(champ);
    return it == fenetres().end() ? nullptr : it->second.get();
}

void Carte_Champ::detruireInstances()
{
    fenetres().clear();
}

Carte_Champ::Carte_Champ(const QString& champ)
    : Carte_Base(QStringLiteral("Carte_") + champ, geographie::imageChamp(champ), &geographie::traitsChamp(champ)),
      champ_(champ)
{
    setWindowTitle(QStringLiteral("Carré ") + champ);
    placerSurChamp(champ);

    Label4 = new QLabel(QStringLiteral("Carrés moyens du carré ") + champ + QStringLiteral(" contactés bande : "), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Bande_Carre = new QLabel(this);
    Bande_Carre->setObjectName(QStringLiteral("Bande_Carre"));
    QFont gras = Bande_Carre->font();
    gras.setBold(true);
    Bande_Carre->setFont(gras);

    auto* titre = new QHBoxLayout;
    titre->addWidget(Label4);
    titre->addWidget(Bande_Carre, 1);
    auto* v = new QVBoxLayout(this);
    v->addLayout(titre);
    v->addWidget(Picture1, 0, Qt::AlignHCenter);
}

void Carte_Champ::Form_Load()
{
    effacerCellules();
    Bande_Carre->clear();
    adjustSize();
    plateforme::centrer(this);
}

void Carte_Champ::peindre(const QString& bande, const std::array<QChar, cartes::NombreCellules>& etats)
{
    charger();
    colorerCellules(cartes::couleursEtats(etats));
    Bande_Carre->setText(bande);
}
