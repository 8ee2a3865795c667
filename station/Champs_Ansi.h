#pragma once
// A field of a record read on the bytes the log stores (Windows-1252): the readers that look
// at a few columns of every QSO match on the bytes and decode only the rows they show.
#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <array>
#include <optional>

namespace station {

// Record columns [debut, debut + largeur) (1-based, at most 32 wide) of `ligne`, blank-padded
// where the line is short, as a text field is read.
class ChampAnsi {
public:
    ChampAnsi(QByteArrayView ligne, int debut, int largeur);
    QByteArrayView complet() const { return QByteArrayView(octets_.data(), largeur_); }
    // Without its leading and trailing blanks.
    QByteArrayView sansBlancs() const;

private:
    std::array<char, 32> octets_{};
    qsizetype largeur_;
};

// The stored bytes of `texte`; nothing when one of its characters has none in Windows-1252:
// no stored text holds it.
std::optional<QByteArray> ansiExact(QStringView texte);

} // namespace station
