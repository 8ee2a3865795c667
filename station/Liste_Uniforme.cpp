#include "station/Liste_Uniforme.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>

Liste_Uniforme::Liste_Uniforme(QWidget* parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    // Offsets in pixels: the scroll bars give them directly.
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
}

int Liste_Uniforme::nombre() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex Liste_Uniforme::indexLigne(int rang) const
{
    return model()->index(rang, modelColumn(), rootIndex());
}

QSize Liste_Uniforme::tailleItem() const
{
    if (!taille_.isValid()) {
        if (nombre() == 0)
            return QSize();
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex premier = indexLigne(0);
        taille_ = itemDelegateForIndex(premier)->sizeHint(option, premier);
    }
    return taille_;
}

QRect Liste_Uniforme::rectangleLigne(int rang) const
{
    const QSize t = tailleItem();
    return QRect(-horizontalOffset(), rang * t.height() - verticalOffset(), std::max(t.width(), viewport()->width()),
                 t.height());
}

QRect Liste_Uniforme::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != modelColumn() ||
        index.model() != model())
        return QRect();
    return rectangleLigne(index.row());
}

QRect Liste_Uniforme::visualItemRect(const QListWidgetItem* item) const
{
    return visualRect(indexFromItem(item));
}

void Liste_Uniforme::scrollToItem(const QListWidgetItem* item, ScrollHint hint)
{
    scrollTo(indexFromItem(item), hint);
}

void Liste_Uniforme::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // The scroll bars first take in the items added since the last placing.
    executeDelayedItemsLayout();
    const QRect r = visualRect(index);
    if (r.isEmpty())
        return;
    const QRect zone = viewport()->rect();
    int decalage = 0;
    switch (hint) {
    case EnsureVisible:
        if (r.top() < zone.top())
            decalage = r.top() - zone.top();
        else if (r.bottom() > zone.bottom())
            decalage = std::min(r.top() - zone.top(), r.bottom() - zone.bottom());
        break;
    case PositionAtTop:
        decalage = r.top() - zone.top();
        break;
    case PositionAtBottom:
        decalage = r.bottom() - zone.bottom();
        break;
    case PositionAtCenter:
        decalage = r.center().y() - zone.center().y();
        break;
    }
    if (decalage != 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + decalage);
    else
        viewport()->update(r);
}

QModelIndex Liste_Uniforme::indexAt(const QPoint& point) const
{
    const int n = nombre();
    const QSize t = tailleItem();
    if (n == 0 || t.height() <= 0)
        return QModelIndex();
    const int y = point.y() + verticalOffset();
    const int x = point.x() + horizontalOffset();
    if (y < 0 || x < 0 || x >= std::max(t.width(), viewport()->width()))
        return QModelIndex();
    const int rang = y / t.height();
    return rang < n ? indexLigne(rang) : QModelIndex();
}

void Liste_Uniforme::doItemsLayout()
{
    // Nothing to place: the first item's size is measured again (font, style or the first item
    // may have changed), and the scroll bars follow the count.
    taille_ = QSize();
    QAbstractItemView::doItemsLayout();
}

int Liste_Uniforme::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int Liste_Uniforme::verticalOffset() const
{
    return verticalScrollBar()->value();
}

void Liste_Uniforme::scrollContentsBy(int, int)
{
    // Everything is painted again: an update waiting for the old place would go astray.
    viewport()->update();
}

void Liste_Uniforme::updateGeometries()
{
    const int n = nombre();
    const QSize t = tailleItem();
    const QSize vue = viewport()->size();
    if (n == 0 || t.isEmpty()) {
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
    } else {
        const qint64 hauteur = qint64(n) * t.height();
        verticalScrollBar()->setSingleStep(t.height());
        verticalScrollBar()->setPageStep(vue.height());
        verticalScrollBar()->setRange(0, int(std::clamp<qint64>(hauteur - vue.height(), 0, INT_MAX)));
        horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
        horizontalScrollBar()->setPageStep(vue.width());
        horizontalScrollBar()->setRange(0, std::max(0, t.width() - vue.width()));
    }
    QAbstractItemView::updateGeometries();
}

QSize Liste_Uniforme::viewportSizeHint() const
{
    return QAbstractItemView::viewportSizeHint();
}

QModelIndex Liste_Uniforme::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int n = nombre();
    if (n == 0)
        return QModelIndex();
    const QModelIndex courant = currentIndex();
    if (!courant.isValid())
        return indexLigne(0);
    const int h = std::max(1, tailleItem().height());
    const int page = std::max(1, viewport()->height() / h);
    int rang = courant.row();
    switch (action) {
    case MoveUp:
    case MovePrevious:
        --rang;
        break;
    case MoveDown:
    case MoveNext:
        ++rang;
        break;
    case MovePageUp:
        rang -= page;
        break;
    case MovePageDown:
        rang += page;
        break;
    case MoveHome:
        rang = 0;
        break;
    case MoveEnd:
        rang = n - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return indexLigne(std::clamp(rang, 0, n - 1));
}

void Liste_Uniforme::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    QItemSelection selection;
    const QRect r = rect.normalized();
    const QSize t = tailleItem();
    const int n = nombre();
    if (n > 0 && t.height() > 0 && r.right() >= -horizontalOffset() &&
        r.left() < std::max(t.width(), viewport()->width()) - horizontalOffset()) {
        const int haut = r.top() + verticalOffset();
        const int bas = r.bottom() + verticalOffset();
        const int premier = std::max(0, haut < 0 ? 0 : haut / t.height());
        const int dernier = bas < 0 ? -1 : std::min(n - 1, bas / t.height());
        if (premier <= dernier) {
            if (r.width() == 1 && r.height() == 1) {
                // A click: the item under it, when it may be chosen.
                const QModelIndex i = indexLigne(premier);
                if (model()->flags(i) & Qt::ItemIsEnabled)
                    selection.select(i, i);
            } else {
                selection.select(indexLigne(premier), indexLigne(dernier));
            }
        }
    }
    selectionModel()->select(selection, command);
}

QRegion Liste_Uniforme::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const QRect vue = viewport()->rect();
    for (const QItemSelectionRange& plage : selection) {
        if (!plage.isValid() || plage.parent() != rootIndex() || plage.left() > modelColumn() ||
            plage.right() < modelColumn())
            continue;
        region += (rectangleLigne(plage.top()) | rectangleLigne(plage.bottom())) & vue;
    }
    return region;
}

void Liste_Uniforme::paintEvent(QPaintEvent* e)
{
    const int n = nombre();
    const QSize t = tailleItem();
    if (n == 0 || t.height() <= 0)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State etat = option.state;
    const bool actif = etat & QStyle::State_Enabled;
    const QModelIndex courant = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && courant.isValid();
    const QItemSelectionModel* selections = selectionModel();
    QPainter painter(viewport());
    const int premier = std::max(0, (e->rect().top() + verticalOffset()) / t.height());
    const int dernier = std::min(n - 1, (e->rect().bottom() + verticalOffset()) / t.height());
    for (int rang = premier; rang <= dernier; ++rang) {
        const QModelIndex index = indexLigne(rang);
        option.rect = rectangleLigne(rang);
        option.state = etat;
        if (selections && selections->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (actif) {
            if (model()->flags(index) & Qt::ItemIsEnabled) {
                option.palette.setCurrentColorGroup(QPalette::Normal);
            } else {
                option.state &= ~QStyle::State_Enabled;
                option.palette.setCurrentColorGroup(QPalette::Disabled);
            }
        }
        if (focus && index == courant) {
            option.state |= QStyle::State_HasFocus;
            if (state() == EditingState)
                option.state |= QStyle::State_Editing;
        }
        option.features.setFlag(QStyleOptionViewItem::Alternate, alternatingRowColors() && (rang & 1));
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}
