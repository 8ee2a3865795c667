#pragma once
// The view of the QSO list, behaving as a list box: one fixed-pitch line a row, one row
// selected at a time, Tab leaving the list, Home and End going to the first and last rows.
//
// A table view of one column rather than a list view: a list view places every row again
// after each row added, and on a full log (99,999 rows) making the new row current and
// scrolling to it then took 3 to 4 ms of each save; with rows of a fixed height the table
// view finds a row's place from its number, and the same append takes about 0.2 ms.
#include <QTableView>

class Modele_Liste_QSO;

class Vue_Liste_QSO : public QTableView {
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

protected:
    void changeEvent(QEvent* e) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // Rows as high as a line of the font, the column as wide as a row's text (every record
    // has the same length) or as the view when it is wider.
    void mesurer();

    Modele_Liste_QSO* modele_;
};
