#pragma once
// The view of the QSO list: one fixed-pitch line a row, every row of the first one's size, so
// that the view never measures the others. Selection as in a list box: one row at a time.
#include <QListView>

class Modele_Liste_QSO;

class Vue_Liste_QSO : public QListView {
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

private:
    Modele_Liste_QSO* modele_;
};
