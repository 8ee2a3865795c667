#pragma once
// The view of the QSO list, behaving as a list box: one fixed-pitch line a row, each row its
// number then its record, one row selected at a time, Tab leaving the list, Home and End going
// to the first and last rows, a click below the last row changing nothing, the scroll going by
// whole rows, the current row framed while the list has the focus.
//
// Drawn by the view itself rather than by a list or table view: with rows of one height, a
// row's place is its number times that height, so the view keeps nothing per row (a list view
// places every row again after each row added, a table view's header recomputes every row's
// position: 99,999 of them on each save); and each visible row is one plain text drawn in the
// fixed-pitch font, which costs less than half of what the item painter's text layout does.
#include <QAbstractItemView>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <array>

class Modele_Liste_QSO;

class Vue_Liste_QSO : public QAbstractItemView {
public:
    Vue_Liste_QSO(Modele_Liste_QSO* modele, QWidget* parent = nullptr);

    Modele_Liste_QSO* modele() const { return modele_; }
    int count() const;
    // The current row, -1 when there is none.
    int currentRow() const;
    // Row `rang` made current and the only one selected; -1 clears both.
    void setCurrentRow(int rang);
    // The current row when it is selected, else -1.
    int rangSelectionne() const;
    // The current row and the selection cleared without a signal: the click handler does not
    // run, as for a list refilled from scratch.
    void oublierSelection();
    void scrollToRow(int rang);
    // The first row shown, whole, at the top of the list.
    int premiereLigne() const;
    int hauteurLigne() const { return hauteur_; }

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void reset() override;
    void scrollContentsBy(int dx, int dy) override;

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // Rows as high as a line of the font with the item margins of the style, the text as wide
    // as a row of the list (every record has the same length).
    void mesurer();
    // Rows seen whole in the viewport, at least one.
    int lignesVisibles() const;
    int largeurContenu() const;
    // Rows from `rang` to the bottom of the viewport painted again.
    void peindreDepuis(int rang);
    // The text of row `rang` drawn from `x` on the baseline `y`.
    void dessinerLigne(QPainter& p, int rang, qreal x, qreal y);

    Modele_Liste_QSO* modele_;
    int hauteur_ = 1;
    int largeurTexte_ = 0;
    int marge_ = 0;
    int ligneBase_ = 0;
    // The font's glyph of each byte of a record, 0 where the font has none of the row's width
    // (the row is then drawn as text, which finds another font), and each column's place.
    QRawFont police_;
    std::array<quint32, 256> glyphes_{};
    QList<QPointF> places_;
};
