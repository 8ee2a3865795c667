#pragma once
// A group box whose caption changes alone: a new caption paints again only the caption's strip,
// not the controls the box holds.
#include <QGroupBox>

class Cadre : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    // In place of QGroupBox::setTitle, which paints the whole box again with everything in it:
    // after each save the entry box gets the next QSO's number, and its fields and the QSO list
    // were painted again for that, more than half of what the events after a save cost.
    void setTitle(const QString& titre);
};
