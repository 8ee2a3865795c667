#include "platform/Serie.h"

#include "platform/Dialogues.h"
#include "platform/Reglages.h"

#include <QStringList>

namespace plateforme {

namespace {

// The machine's serial devices for ports 1 and 2.
struct Peripherique {
    int numero;
    const char* nom;
};
#ifdef Q_OS_WIN
constexpr Peripherique TablePorts[] = {{1, "COM1"}, {2, "COM2"}};
#else
constexpr Peripherique TablePorts[] = {{1, "/dev/ttyS0"}, {2, "/dev/ttyS1"}};
#endif

} // namespace

QString clePeripheriquePort(int numero)
{
    return QStringLiteral("Peripherique Com%1").arg(numero);
}

QString peripheriquePort(int numero)
{
    QString defaut;
    for (const Peripherique& p : TablePorts)
        if (p.numero == numero)
            defaut = QString::fromLatin1(p.nom);
    return GetSetting(QString::fromLatin1(NomProgramme), QStringLiteral("Setup"), clePeripheriquePort(numero), defaut);
}

std::optional<Reglages_Serie> lireReglagesSerie(const QString& texte)
{
    const QStringList parties = texte.trimmed().split(QLatin1Char(','));
    if (parties.size() != 4)
        return std::nullopt;
    Reglages_Serie r;
    bool ok = false;
    r.vitesse = parties.at(0).trimmed().toInt(&ok);
    if (!ok || r.vitesse <= 0)
        return std::nullopt;
    const QString parite = parties.at(1).trimmed().toLower();
    if (parite == QLatin1String("n"))
        r.parite = QSerialPort::NoParity;
    else if (parite == QLatin1String("e"))
        r.parite = QSerialPort::EvenParity;
    else if (parite == QLatin1String("o"))
        r.parite = QSerialPort::OddParity;
    else if (parite == QLatin1String("m"))
        r.parite = QSerialPort::MarkParity;
    else if (parite == QLatin1String("s"))
        r.parite = QSerialPort::SpaceParity;
    else
        return std::nullopt;
    const QString bits = parties.at(2).trimmed();
    if (bits == QLatin1String("5"))
        r.bits = QSerialPort::Data5;
    else if (bits == QLatin1String("6"))
        r.bits = QSerialPort::Data6;
    else if (bits == QLatin1String("7"))
        r.bits = QSerialPort::Data7;
    else if (bits == QLatin1String("8"))
        r.bits = QSerialPort::Data8;
    else
        return std::nullopt;
    const QString arret = parties.at(3).trimmed();
    if (arret == QLatin1String("1"))
        r.arret = QSerialPort::OneStop;
    else if (arret == QLatin1String("1.5"))
        r.arret = QSerialPort::OneAndHalfStop;
    else if (arret == QLatin1String("2"))
        r.arret = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return r;
}

Port_Serie::Port_Serie(QObject* parent) : QObject(parent) {}

Port_Serie::~Port_Serie()
{
    if (port_.isOpen())
        port_.close();
}

void Port_Serie::definirReglages(const Reglages_Serie& reglages)
{
    reglages_ = reglages;
    if (port_.isOpen())
        appliquer();
}

void Port_Serie::appliquer()
{
    port_.setBaudRate(reglages_.vitesse);
    port_.setParity(reglages_.parite);
    port_.setDataBits(reglages_.bits);
    port_.setStopBits(reglages_.arret);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool Port_Serie::ouvrir()
{
    if (port_.isOpen())
        port_.close();
    const QString peripherique = peripheriquePort(numero_);
    if (peripherique.isEmpty())
        return false;
    port_.setPortName(peripherique);
    if (!port_.open(QIODevice::ReadWrite))
        return false;
    appliquer();
    return true;
}

void Port_Serie::fermer()
{
    if (!port_.isOpen())
        return;
    if (port_.bytesToWrite() > 0)
        port_.waitForBytesWritten(300);
    port_.close();
}

void Port_Serie::viderReception()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

bool Port_Serie::ecrire(const QByteArray& octets)
{
    if (!port_.isOpen())
        return false;
    return port_.write(octets) == octets.size();
}

} // namespace plateforme
