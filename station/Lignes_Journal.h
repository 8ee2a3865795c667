#pragma once
// The lines of a log as the QSO list holds them: the bytes, each line followed by CR LF, and
// where each line starts, then where the bytes end.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>

struct Lignes_Journal {
    QByteArray octets;
    QList<qsizetype> debuts{0};

    int nombre() const { return int(debuts.size()) - 1; }
    // The lines of the first `longueur` bytes of `octets`, cut as in every data file (CR LF,
    // a lone CR or a lone LF ends a line). When each of them ends with CR LF, as a log written
    // by the program does, the bytes are kept as they are: nothing is copied.
    static Lignes_Journal depuis(const QByteArray& octets, qsizetype longueur);
    static Lignes_Journal depuis(const QByteArray& octets) { return depuis(octets, octets.size()); }
    // Only the first `n` lines kept.
    void garder(int n);
    void ajouter(QByteArrayView ligne);
};
