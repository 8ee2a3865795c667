#include "cluster/Fenetre_Memoire_CL.h"

#include "cluster/Fenetre_Cluster.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// 1800 twips at 15 twips a pixel.
constexpr int Decalage_Droite = 120;

} // namespace

Fenetre_Memoire_CL::Fenetre_Memoire_CL() : Fenetre_Chargee(QStringLiteral("Memoire_CL"))
{
    setWindowTitle(QStringLiteral("Memoire Cluster"));
    Label2 = new QLabel(QStringLiteral("Memoire Cluster"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Mem_Cluster = new QListWidget(this);
    Mem_Cluster->setObjectName(QStringLiteral("Mem_Cluster"));
    const QFont fixe = plateforme::policeChasseFixe(QStringLiteral("Terminal"));
    Mem_Cluster->setFont(fixe);
    Mem_Cluster->setMinimumSize(700, 200);
    Efface_CL = new QPushButton(QStringLiteral("Effacer"), this);
    Efface_CL->setObjectName(QStringLiteral("Efface_CL"));
    Retour_CL = new QPushButton(QStringLiteral("Retour Cluster"), this);
    Retour_CL->setObjectName(QStringLiteral("Retour_CL"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label2);
    v->addWidget(Label3);
    v->addWidget(Mem_Cluster, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Efface_CL);
    boutons->addStretch(1);
    boutons->addWidget(Retour_CL);
    v->addLayout(boutons);

    connect(Efface_CL, &QPushButton::clicked, this, [this] { Efface_CL_Click(); });
    connect(Retour_CL, &QPushButton::clicked, this, [this] { Retour_CL_Click(); });
    // A pick by the operator only: removing a line does not tune.
    connect(Mem_Cluster, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { Mem_Cluster_Click(); });
}

void Fenetre_Memoire_CL::Form_Load()
{
    Mem_Cluster->clear();
    adjustSize();
    // Centred vertically, a little right of the horizontal centre.
    plateforme::centrer(this);
    move(x() + Decalage_Droite, y());
}

bool Fenetre_Memoire_CL::Form_Unload()
{
    Mem_Cluster->clear();
    return true;
}

void Fenetre_Memoire_CL::Ajouter(const QString& ligne, const QVariant& frequence)
{
    auto* it = new QListWidgetItem(ligne);
    if (frequence.isValid())
        it->setData(Qt::UserRole, frequence);
    Mem_Cluster->addItem(it);
}

void Fenetre_Memoire_CL::Mem_Cluster_Click()
{
    const QListWidgetItem* it = Mem_Cluster->currentItem();
    if (!it)
        return;
    auto& cluster = Fenetre_Cluster::instance();
    const QVariant v = it->data(Qt::UserRole);
    cluster.Choisir_Spot(it->text(), v.isValid() ? std::optional<qint32>(qint32(v.toInt())) : std::nullopt);
    if (cluster.Port_Choisi())
        cluster.Cluster_Liste();
}

void Fenetre_Memoire_CL::Efface_CL_Click()
{
    QListWidgetItem* it = Mem_Cluster->currentItem();
    if (!it || !it->isSelected()) {
        plateforme::MsgBox(QStringLiteral("Selectionnez une ligne a effacer"));
        return;
    }
    delete Mem_Cluster->takeItem(Mem_Cluster->row(it));
    Mem_Cluster->setCurrentRow(-1);
}

void Fenetre_Memoire_CL::Retour_CL_Click()
{
    hide();
}
