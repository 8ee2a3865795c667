#pragma once
// The QSO list held once: the bytes of the log (Windows-1252, each record followed by CR LF)
// with the place where each line starts. Row i shows the `Ligne_Liste_QSO` numbered i + 1,
// decoded only when it is asked for. The log file is written from these same bytes.
#include <QAbstractListModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

class Modele_Liste_QSO : public QAbstractListModel {
public:
    explicit Modele_Liste_QSO(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int nombre() const { return int(debuts_.size()) - 1; }
    // The list item of row `rang` (its number, one blank, the record); "" outside the list.
    QString item(int rang) const;
    QStringList items() const;
    // The record of row `rang` as stored in the log.
    QByteArrayView ligneAnsi(int rang) const;
    // The row that shows exactly `item`; -1 when none does.
    int rangItem(const QString& item) const;
    // The log file as the list holds it.
    const QByteArray& octets() const { return octets_; }

    // The list made of `lignes`, views of records in `octets` or elsewhere. When they are the
    // whole of `octets`, each followed by CR LF, the list keeps `octets` itself.
    void charger(const QByteArray& octets, const QList<QByteArrayView>& lignes);
    void vider();
    // `ligne` added at the end (the log has it already).
    void ajouter(QStringView ligne);

    // A change of the list prepared, its bytes ready for the log file; `appliquer` makes it
    // the list's once the file holds them.
    struct Changement {
        QByteArray octets;
        int rang = 0;
        int retirees = 0;           // rows taken out from `rang`
        qsizetype longueur = -1;    // bytes of the row put in at `rang` (line end included); -1: none
    };
    Changement insertion(int rang, QStringView ligne) const;
    Changement remplacement(int rang, QStringView ligne) const;
    Changement suppression(int rang) const;
    // The list as it is: its bytes to write again.
    Changement inchange() const;
    void appliquer(Changement changement);

private:
    Changement changement(int rang, int retirees, const QByteArray* ligne) const;

    QByteArray octets_;
    // Where each row starts in `octets_`, then the end of the bytes: one more than the rows.
    QList<qsizetype> debuts_{0};
};
