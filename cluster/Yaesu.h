#pragma once
// The CAT frames of the Yaesu transceivers: five bytes, four parameters then the opcode, the
// frequency in packed decimal.
#include <QByteArray>
#include <QStringList>
#include <array>
#include <cstdint>

namespace cluster {

// The models driven, in the order of the transceiver list; all get the same frames.
const QStringList& Modeles_Transceiver();

struct Commande_CAT {
    std::array<std::uint8_t, 5> octets{};  // P1 to P4, then the opcode
};

constexpr std::uint8_t Op_Ouverture = 0x00;
constexpr std::uint8_t Op_Frequence = 0x01;
constexpr std::uint8_t Op_Mode = 0x07;
constexpr std::uint8_t Op_Fermeture = 0x80;

// P1 to P4 set to 0; the opcode keeps its value.
void ClearCmd_Yaesu(Commande_CAT& commande);
// `frequence` in units of 10 Hz, as 8 decimal digits packed two by byte into P1 to P4.
void MakeFreqKhz_Yaesu(Commande_CAT& commande, qint32 frequence);
// The frame with that opcode.
QByteArray Trame(Commande_CAT& commande, std::uint8_t opcode);
// The tuning sequence: open, frequency, mode 00, close (four frames, 20 bytes).
QByteArray Sequence_Yaesu(qint32 frequence);

} // namespace cluster
