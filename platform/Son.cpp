#include "platform/Son.h"

#include <QApplication>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <deque>

namespace plateforme {

namespace {

std::function<void(const QString&)> g_ecoute;

// The sounds wait their turn here: each one starts when the one before has finished.
class FileSons : public QObject {
public:
    void ajouter(const QString& chemin)
    {
        // A burst of alerts is not worth more than a few seconds of ringing.
        if (attente_.size() >= AttenteMax)
            return;
        attente_.push_back(chemin);
        if (!effet_ || !effet_->isPlaying())
            suivant();
    }

private:
    static constexpr std::size_t AttenteMax = 32;

    void suivant()
    {
        if (attente_.empty())
            return;
        const QString chemin = attente_.front();
        attente_.pop_front();
        if (!effet_) {
            effet_ = new QSoundEffect(this);
            QObject::connect(effet_, &QSoundEffect::playingChanged, this, [this] {
                if (!effet_->isPlaying())
                    suivant();
            });
            QObject::connect(effet_, &QSoundEffect::statusChanged, this, [this] {
                if (effet_->status() == QSoundEffect::Error)
                    suivant();
            });
        }
        effet_->setSource(QUrl::fromLocalFile(chemin));
        effet_->play();
    }

    std::deque<QString> attente_;
    QSoundEffect* effet_ = nullptr;
};

FileSons& file()
{
    static FileSons* f = new FileSons;
    return *f;
}

} // namespace

void Joue_Son(const QString& chemin)
{
    if (g_ecoute) {
        g_ecoute(chemin);
        return;
    }
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    if (!QFileInfo(chemin).isFile()) {
        QApplication::beep();
        return;
    }
    file().ajouter(chemin);
}

void installerEcouteSons(std::function<void(const QString&)> ecoute)
{
    g_ecoute = std::move(ecoute);
}

void retirerEcouteSons()
{
    g_ecoute = nullptr;
}

} // namespace plateforme
