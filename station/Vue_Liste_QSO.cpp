#include "station/Vue_Liste_QSO.h"

#include "station/Modele_Liste_QSO.h"

#include <QSignalBlocker>

Vue_Liste_QSO::Vue_Liste_QSO(Modele_Liste_QSO* modele, QWidget* parent) : QListView(parent), modele_(modele)
{
    setUniformItemSizes(true);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionMode(SingleSelection);
    setModel(modele);
}

int Vue_Liste_QSO::count() const
{
    return modele_->nombre();
}

int Vue_Liste_QSO::currentRow() const
{
    return currentIndex().row();
}

void Vue_Liste_QSO::setCurrentRow(int rang)
{
    selectionModel()->setCurrentIndex(modele_->index(rang), QItemSelectionModel::ClearAndSelect);
}

int Vue_Liste_QSO::rangSelectionne() const
{
    const QModelIndex courant = currentIndex();
    return selectionModel()->isSelected(courant) ? courant.row() : -1;
}

void Vue_Liste_QSO::oublierSelection()
{
    {
        const QSignalBlocker bloque(selectionModel());
        selectionModel()->clear();
    }
    viewport()->update();
}

void Vue_Liste_QSO::scrollToRow(int rang)
{
    scrollTo(modele_->index(rang));
}
