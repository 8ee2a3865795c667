#pragma once
// The QSO list: one line of text an item, every item of the height and width of the first.
// Where an item stands follows from its row alone, so that adding, replacing, removing or
// selecting one item costs the same whatever the number of items: QListView places every
// item again after each change, which on a full log takes longer than the save itself.
// Mouse, keyboard, selection and painting behave as in a QListWidget.
#include <QListWidget>

class Liste_Uniforme : public QListWidget {
public:
    explicit Liste_Uniforme(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void doItemsLayout() override;

    // QListWidget's own two go through the placing this list does not keep.
    QRect visualItemRect(const QListWidgetItem* item) const;
    void scrollToItem(const QListWidgetItem* item, ScrollHint hint = EnsureVisible);

protected:
    void paintEvent(QPaintEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    QSize viewportSizeHint() const override;

private:
    int nombre() const;
    // The size of every item: the first one's (empty when the list is).
    QSize tailleItem() const;
    // Row `rang` in viewport coordinates, as wide as the viewport at least.
    QRect rectangleLigne(int rang) const;
    QModelIndex indexLigne(int rang) const;

    mutable QSize taille_;
};
