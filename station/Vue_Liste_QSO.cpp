#include "station/Vue_Liste_QSO.h"

#include "station/Ligne_QSO.h"
#include "station/Modele_Liste_QSO.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

Vue_Liste_QSO::Vue_Liste_QSO(Modele_Liste_QSO* modele, QWidget* parent) : QTableView(parent), modele_(modele)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setModel(modele);
    mesurer();
}

void Vue_Liste_QSO::mesurer()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QString(station::DecalageListe + station::LongueurLigneQSO, u'0');
    const QSize taille = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    // The header's own least height follows its font, not the list's.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(taille.height());
    verticalScrollBar()->setSingleStep(taille.height());
    // The one column stretches to the view's width, never below the text's.
    horizontalHeader()->setMinimumSectionSize(taille.width());
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
}

void Vue_Liste_QSO::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
        mesurer();
}

QModelIndex Vue_Liste_QSO::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // A table's Home and End go along the row; a list box's go to its first and last rows.
    if ((action == MoveHome || action == MoveEnd) && count() > 0)
        return modele_->index(action == MoveHome ? 0 : count() - 1);
    return QTableView::moveCursor(action, modifiers);
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
