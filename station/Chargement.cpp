#include "station/Chargement.h"

#include "platform/Dialogues.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

Chargement* Chargement::s_instance = nullptr;

Chargement& Chargement::instance()
{
    if (!s_instance) {
        s_instance = new Chargement;
        s_instance->Form_Load();
    }
    return *s_instance;
}

void Chargement::detruireInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

Chargement::Chargement() : QWidget(nullptr, Qt::Dialog)
{
    setObjectName(QStringLiteral("Chargement"));
    setWindowTitle(QString::fromLatin1(plateforme::NomProgramme));
    // While the log loads, no other window takes input.
    setWindowModality(Qt::ApplicationModal);
    auto* disposition = new QVBoxLayout(this);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* dansCadre = new QVBoxLayout(Frame1);
    Label1 = new QLabel(QStringLiteral("Chargement Fichier"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    dansCadre->addWidget(Label1);
    disposition->addWidget(Frame1);
    resize(260, 90);
}

void Chargement::Form_Load()
{
    plateforme::centrer(this);
}
