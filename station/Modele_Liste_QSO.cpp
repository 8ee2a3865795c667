#include "station/Modele_Liste_QSO.h"

#include "platform/Ansi.h"
#include "station/Ligne_QSO.h"

#include <algorithm>

namespace {

constexpr qsizetype kFinLigne = 2;  // CR LF

// The bytes of the record `ligne` followed by CR LF.
QByteArray ligneFichier(QStringView ligne)
{
    QByteArray octets;
    octets.reserve(ligne.size() + kFinLigne);
    plateforme::ajouterAnsi(octets, ligne);
    octets.append("\r\n", kFinLigne);
    return octets;
}

// The lines are the whole of `octets`, each followed by CR LF: the list can keep the bytes
// as they are.
bool lignesDuFichier(const QByteArray& octets, const QList<QByteArrayView>& lignes)
{
    const char* p = octets.constData();
    qsizetype position = 0;
    for (const QByteArrayView& l : lignes) {
        if (l.data() != p + position || position + l.size() + kFinLigne > octets.size() ||
            p[position + l.size()] != '\r' || p[position + l.size() + 1] != '\n')
            return false;
        position += l.size() + kFinLigne;
    }
    return position == octets.size();
}

} // namespace

Modele_Liste_QSO::Modele_Liste_QSO(QObject* parent) : QAbstractListModel(parent) {}

int Modele_Liste_QSO::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : nombre();
}

QVariant Modele_Liste_QSO::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= nombre())
        return QVariant();
    return item(index.row());
}

QByteArrayView Modele_Liste_QSO::ligneAnsi(int rang) const
{
    if (rang < 0 || rang >= nombre())
        return {};
    const qsizetype debut = debuts_.at(rang);
    return QByteArrayView(octets_.constData() + debut, debuts_.at(rang + 1) - kFinLigne - debut);
}

QString Modele_Liste_QSO::item(int rang) const
{
    if (rang < 0 || rang >= nombre())
        return QString();
    return station::itemListeAnsi(rang + 1, ligneAnsi(rang));
}

QStringList Modele_Liste_QSO::items() const
{
    QStringList tous;
    tous.reserve(nombre());
    for (int i = 0; i < nombre(); ++i)
        tous.append(item(i));
    return tous;
}

int Modele_Liste_QSO::rangItem(const QString& item) const
{
    // Every row carries its own number: only the row of that number can show the item.
    if (item.size() < station::DecalageListe)
        return -1;
    bool lu = false;
    const int numero = QStringView(item).left(station::LargeurNumero).trimmed().toInt(&lu);
    const int rang = numero - 1;
    if (!lu || rang < 0 || rang >= nombre())
        return -1;
    return this->item(rang) == item ? rang : -1;
}

void Modele_Liste_QSO::charger(const QByteArray& octets, const QList<QByteArrayView>& lignes)
{
    beginResetModel();
    debuts_.clear();
    debuts_.reserve(lignes.size() + 1);
    if (lignesDuFichier(octets, lignes)) {
        octets_ = octets;
        for (const QByteArrayView& l : lignes)
            debuts_.append(l.data() - octets.constData());
    } else {
        qsizetype taille = 0;
        for (const QByteArrayView& l : lignes)
            taille += l.size() + kFinLigne;
        QByteArray copie;
        copie.reserve(taille);
        for (const QByteArrayView& l : lignes) {
            debuts_.append(copie.size());
            copie.append(l.data(), l.size());
            copie.append("\r\n", kFinLigne);
        }
        octets_ = std::move(copie);
    }
    debuts_.append(octets_.size());
    endResetModel();
}

void Modele_Liste_QSO::vider()
{
    charger(QByteArray(), {});
}

void Modele_Liste_QSO::ajouter(QStringView ligne)
{
    const int rang = nombre();
    beginInsertRows(QModelIndex(), rang, rang);
    octets_.append(ligneFichier(ligne));
    debuts_.append(octets_.size());
    endInsertRows();
}

Modele_Liste_QSO::Changement Modele_Liste_QSO::changement(int rang, int retirees, const QByteArray* ligne) const
{
    Changement c;
    c.rang = rang;
    c.retirees = retirees;
    const qsizetype debut = debuts_.at(rang);
    const qsizetype fin = debuts_.at(rang + retirees);
    const qsizetype ajout = ligne ? ligne->size() : 0;
    c.longueur = ligne ? ajout : -1;
    c.octets.reserve(octets_.size() - (fin - debut) + ajout);
    c.octets.append(octets_.constData(), debut);
    if (ligne)
        c.octets.append(*ligne);
    c.octets.append(octets_.constData() + fin, octets_.size() - fin);
    return c;
}

Modele_Liste_QSO::Changement Modele_Liste_QSO::insertion(int rang, QStringView ligne) const
{
    const QByteArray octets = ligneFichier(ligne);
    return changement(std::clamp(rang, 0, nombre()), 0, &octets);
}

Modele_Liste_QSO::Changement Modele_Liste_QSO::remplacement(int rang, QStringView ligne) const
{
    const QByteArray octets = ligneFichier(ligne);
    return changement(rang, 1, &octets);
}

Modele_Liste_QSO::Changement Modele_Liste_QSO::suppression(int rang) const
{
    return changement(rang, 1, nullptr);
}

Modele_Liste_QSO::Changement Modele_Liste_QSO::inchange() const
{
    return changement(nombre(), 0, nullptr);
}

void Modele_Liste_QSO::appliquer(Changement c)
{
    const int ajoutees = c.longueur >= 0 ? 1 : 0;
    const qsizetype debut = debuts_.at(c.rang);
    const qsizetype ecart = (c.longueur >= 0 ? c.longueur : 0) - (debuts_.at(c.rang + c.retirees) - debut);
    const bool remplace = c.retirees == 1 && ajoutees == 1;
    if (!remplace && c.retirees > 0)
        beginRemoveRows(QModelIndex(), c.rang, c.rang + c.retirees - 1);
    if (!remplace && ajoutees > 0)
        beginInsertRows(QModelIndex(), c.rang, c.rang);
    octets_ = std::move(c.octets);
    debuts_.remove(c.rang, c.retirees);
    if (ajoutees > 0)
        debuts_.insert(c.rang, debut);
    for (qsizetype i = c.rang + ajoutees; i < debuts_.size(); ++i)
        debuts_[i] += ecart;
    if (remplace) {
        Q_EMIT dataChanged(index(c.rang), index(c.rang), {Qt::DisplayRole});
    } else {
        // Every row after the change has a new number.
        if (c.retirees > 0)
            endRemoveRows();
        if (ajoutees > 0)
            endInsertRows();
        if (c.rang < nombre())
            Q_EMIT dataChanged(index(c.rang), index(nombre() - 1), {Qt::DisplayRole});
    }
}
