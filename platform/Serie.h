#pragma once
// The serial link to the transceiver. Port numbers 1 and 2 name the machine's serial devices
// through a table; a settings key per port (section "Setup", never written by the program)
// can name another device.
#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <optional>

namespace plateforme {

// "Peripherique Com1", "Peripherique Com2": device that stands for port 1 or 2.
QString clePeripheriquePort(int numero);
// The device of port `numero` (1 or 2): the settings key when present, else the table.
QString peripheriquePort(int numero);

struct Reglages_Serie {
    qint32 vitesse = 9600;
    QSerialPort::Parity parite = QSerialPort::NoParity;
    QSerialPort::DataBits bits = QSerialPort::Data8;
    QSerialPort::StopBits arret = QSerialPort::OneStop;
    bool operator==(const Reglages_Serie&) const = default;
};

// Reads "9600,n,8,1" (speed, parity n/e/o/m/s, data bits 5 to 8, stop bits 1, 1.5 or 2);
// nothing for any other text.
std::optional<Reglages_Serie> lireReglagesSerie(const QString& texte);

class Port_Serie : public QObject {
public:
    explicit Port_Serie(QObject* parent = nullptr);
    ~Port_Serie() override;

    void definirNumero(int numero) { numero_ = numero; }
    int numero() const { return numero_; }
    // Takes effect at once on an open port.
    void definirReglages(const Reglages_Serie& reglages);
    const Reglages_Serie& reglages() const { return reglages_; }

    // Opens the device of the current port number; false when it cannot be opened.
    bool ouvrir();
    // Lets what is already written go out (briefly), then closes.
    void fermer();
    bool estOuvert() const { return port_.isOpen(); }
    void viderReception();
    // Queues `octets` behind what is still to be sent, as one block; nothing on a closed port.
    bool ecrire(const QByteArray& octets);

    // Tests: the speed the open device is set to.
    qint32 vitesseEnCours() const { return port_.baudRate(); }

private:
    void appliquer();

    QSerialPort port_;
    int numero_ = 1;
    Reglages_Serie reglages_;
};

} // namespace plateforme
