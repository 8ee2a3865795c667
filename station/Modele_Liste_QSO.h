#pragma once
// The QSO list held once: the bytes of the log (Windows-1252, each record followed by CR LF)
// with the place where each line starts. Row i holds a record, decoded only when it is asked
// for; its number i + 1 comes from the row (the view draws it), so that a row moved by an
// insert or a delete keeps its data. The log file is written from these same bytes.
#include <QAbstractListModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "station/Lignes_Journal.h"

class Modele_Liste_QSO : public QAbstractListModel {
public:
    explicit Modele_Liste_QSO(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Made without asking the row count twice: a view places every row after each change.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    // The record of the row, without its number.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int nombre() const { return int(debuts_.size()) - 1; }
    // The list item of row `rang` (its number, one blank, the record); "" outside the list.
    QString item(int rang) const;
    QStringList items() const;
    // The record of row `rang` as stored in the log.
    QByteArrayView ligneAnsi(int rang) const;
    // The text of row `rang` from list column `colonne` (1-based), `largeur` columns, blanks
    // trimmed, is `valeur`; only those columns are decoded.
    bool champEgal(int rang, int colonne, int largeur, QStringView valeur) const;
    // The row that shows exactly `item`; -1 when none does.
    int rangItem(const QString& item) const;
    // The row whose item's first `longueur` characters are those of `cle`; -1 when none is.
    // Every item starts with its number: only the row of the number `cle` starts with is read.
    int rangDeCle(QStringView cle, qsizetype longueur) const;
    // The log file as the list holds it.
    const QByteArray& octets() const { return octets_; }

    // The list made of `lignes`.
    void charger(Lignes_Journal lignes);
    void vider();
    // `ligne` added at the end (the log has it already).
    void ajouter(QStringView ligne);

    // A change of the list, written to the log by `ecrire` first: it gets the bytes of the
    // list as changed, in pieces (the list's own bytes before and after the change, and the new
    // line), so that the log is not copied. The rows change only once it has returned, between
    // the model's signals; when it throws, nothing changed and no signal was sent.
    using Ecriture = std::function<void(const QList<QByteArrayView>& morceaux)>;
    void inserer(int rang, QStringView ligne, const Ecriture& ecrire);
    void remplacer(int rang, QStringView ligne, const Ecriture& ecrire);
    void supprimer(int rang, const Ecriture& ecrire);

private:
    // Rows [rang, rang + retirees) replaced by `ligne` (none when null).
    void changer(int rang, int retirees, const QByteArray* ligne, const Ecriture& ecrire);

    QByteArray octets_;
    // Where each row starts in `octets_`, then the end of the bytes: one more than the rows.
    QList<qsizetype> debuts_{0};
};
