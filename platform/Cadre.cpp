#include "platform/Cadre.h"

void Cadre::setTitle(const QString& titre)
{
    if (titre == title())
        return;
    if (!isVisible() || !updatesEnabled()) {
        QGroupBox::setTitle(titre);
        return;
    }
    // The caption is laid out above the contents: only that strip is painted again.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    QGroupBox::setTitle(titre);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    update(QRect(0, 0, width(), contentsRect().top()));
}
