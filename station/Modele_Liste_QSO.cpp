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

} // namespace

Modele_Liste_QSO::Modele_Liste_QSO(QObject* parent) : QAbstractListModel(parent) {}

int Modele_Liste_QSO::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : nombre();
}

QModelIndex Modele_Liste_QSO::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || row >= nombre() || column != 0 || parent.isValid())
        return QModelIndex();
    return createIndex(row, 0);
}

QVariant Modele_Liste_QSO::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= nombre())
        return QVariant();
    const QByteArrayView ligne = ligneAnsi(index.row());
    return plateforme::depuisAnsi(ligne.data(), ligne.size());
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

bool Modele_Liste_QSO::champEgal(int rang, int colonne, int largeur, QStringView valeur) const
{
    const QByteArrayView ligne = ligneAnsi(rang);
    const qsizetype debut = colonne - 1 - station::DecalageListe;
    constexpr qsizetype kLargeurMax = 64;
    if (debut < 0 || largeur > kLargeurMax)
        return QStringView(item(rang)).mid(colonne - 1, largeur).trimmed() == valeur;
    if (debut >= ligne.size())
        return valeur.isEmpty();
    const qsizetype n = std::min<qsizetype>(largeur, ligne.size() - debut);
    char16_t texte[kLargeurMax];
    plateforme::decoderAnsi(ligne.data() + debut, n, texte);
    return QStringView(texte, n).trimmed() == valeur;
}

int Modele_Liste_QSO::rangItem(const QString& item) const
{
    if (item.size() < station::DecalageListe)
        return -1;
    const int rang = rangDeCle(item, item.size());
    return rang >= 0 && ligneAnsi(rang).size() + station::DecalageListe == item.size() ? rang : -1;
}

int Modele_Liste_QSO::rangDeCle(QStringView cle, qsizetype longueur) const
{
    bool lu = false;
    const int rang = cle.left(station::LargeurNumero).trimmed().toInt(&lu) - 1;
    if (!lu || rang < 0 || rang >= nombre())
        return -1;
    return QStringView(item(rang)).left(longueur) == cle.left(longueur) ? rang : -1;
}

void Modele_Liste_QSO::charger(Lignes_Journal lignes)
{
    beginResetModel();
    octets_ = std::move(lignes.octets);
    debuts_ = std::move(lignes.debuts);
    endResetModel();
}

void Modele_Liste_QSO::vider()
{
    charger(Lignes_Journal());
}

void Modele_Liste_QSO::ajouter(QStringView ligne)
{
    const int rang = nombre();
    beginInsertRows(QModelIndex(), rang, rang);
    octets_.append(ligneFichier(ligne));
    debuts_.append(octets_.size());
    endInsertRows();
}

void Modele_Liste_QSO::changer(int rang, int retirees, const QByteArray* ligne, const Ecriture& ecrire)
{
    // The log is written from the pieces of the list as it will be: no second copy of the log.
    const qsizetype debut = debuts_.at(rang);
    const qsizetype fin = debuts_.at(rang + retirees);
    const QByteArrayView tout(octets_);
    ecrire({tout.first(debut), ligne ? QByteArrayView(*ligne) : QByteArrayView(), tout.sliced(fin)});

    const int ajoutees = ligne ? 1 : 0;
    const qsizetype longueur = ligne ? ligne->size() : 0;
    const qsizetype ecart = longueur - (fin - debut);
    const auto decaler = [&](qsizetype depuis) {
        for (qsizetype i = depuis; i < debuts_.size(); ++i)
            debuts_[i] += ecart;
    };
    if (retirees == 1 && ajoutees == 1) {
        octets_.replace(debut, fin - debut, *ligne);
        decaler(rang + 1);
        Q_EMIT dataChanged(index(rang), index(rang), {Qt::DisplayRole});
        return;
    }
    if (retirees > 0)
        beginRemoveRows(QModelIndex(), rang, rang + retirees - 1);
    else
        beginInsertRows(QModelIndex(), rang, rang);
    octets_.replace(debut, fin - debut, ligne ? QByteArrayView(*ligne) : QByteArrayView());
    debuts_.remove(rang, retirees);
    if (ajoutees > 0)
        debuts_.insert(rang, debut);
    decaler(rang + ajoutees);
    if (retirees > 0)
        endRemoveRows();
    else
        endInsertRows();
}

void Modele_Liste_QSO::inserer(int rang, QStringView ligne, const Ecriture& ecrire)
{
    const QByteArray octets = ligneFichier(ligne);
    changer(std::clamp(rang, 0, nombre()), 0, &octets, ecrire);
}

void Modele_Liste_QSO::remplacer(int rang, QStringView ligne, const Ecriture& ecrire)
{
    const QByteArray octets = ligneFichier(ligne);
    changer(rang, 1, &octets, ecrire);
}

void Modele_Liste_QSO::supprimer(int rang, const Ecriture& ecrire)
{
    changer(rang, 1, nullptr, ecrire);
}
