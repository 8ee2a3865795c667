#include "station/Vue_Liste_QSO.h"

#include "platform/Ansi.h"
#include "station/Ligne_QSO.h"
#include "station/Modele_Liste_QSO.h"

#include <QEvent>
#include <QGlyphRun>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace {

// `a` / `b` rounded down, for a place above the viewport too.
int divBas(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

Vue_Liste_QSO::Vue_Liste_QSO(Modele_Liste_QSO* modele, QWidget* parent) : QAbstractItemView(parent), modele_(modele)
{
    setTabKeyNavigation(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setVerticalScrollMode(ScrollPerItem);
    setModel(modele);
    connect(modele, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int debut, int) {
        updateGeometries();
        peindreDepuis(debut);
    });
    mesurer();
}

void Vue_Liste_QSO::mesurer()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QString(station::DecalageListe + station::LongueurLigneQSO, u'0');
    const QSize taille = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    const QFontMetrics fm(font());
    hauteur_ = std::max(taille.height(), fm.height());
    marge_ = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    largeurTexte_ = fm.horizontalAdvance(option.text);
    ligneBase_ = (hauteur_ - fm.height()) / 2 + fm.ascent();

    police_ = QRawFont::fromFont(font());
    char octets[256];
    char16_t caracteres[256];
    for (int i = 0; i < 256; ++i)
        octets[i] = char(i);
    plateforme::decoderAnsi(octets, 256, caracteres);
    const QList<quint32> glyphes = police_.glyphIndexesForString(QString::fromUtf16(caracteres, 256));
    const qreal avance = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
    const QList<QPointF> avances = police_.advancesForGlyphIndexes(glyphes);
    glyphes_.fill(0);
    for (int i = 0; i < 256 && glyphes.size() == 256 && avances.size() == 256; ++i) {
        if (i >= 0x20 && qFuzzyCompare(avances.at(i).x(), avance))
            glyphes_[i] = glyphes.at(i);
    }
    places_.clear();
    for (int i = 0; i < station::DecalageListe + station::LongueurLigneQSO; ++i)
        places_.append(QPointF(i * avance, 0));
    updateGeometries();
    viewport()->update();
}

int Vue_Liste_QSO::lignesVisibles() const
{
    return std::max(1, viewport()->height() / hauteur_);
}

int Vue_Liste_QSO::largeurContenu() const
{
    return largeurTexte_ + 2 * marge_;
}

int Vue_Liste_QSO::premiereLigne() const
{
    return verticalScrollBar()->value();
}

void Vue_Liste_QSO::updateGeometries()
{
    // The scroll bar counts rows: the top row is always shown whole.
    const int visibles = lignesVisibles();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(visibles);
    verticalScrollBar()->setRange(0, std::max(0, count() - visibles));
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, largeurContenu() - viewport()->width()));
    QAbstractItemView::updateGeometries();
}

int Vue_Liste_QSO::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int Vue_Liste_QSO::verticalOffset() const
{
    return premiereLigne() * hauteur_;
}

QRect Vue_Liste_QSO::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != modele_)
        return QRect();
    return QRect(-horizontalOffset(), (index.row() - premiereLigne()) * hauteur_,
                 std::max(viewport()->width(), largeurContenu()), hauteur_);
}

QModelIndex Vue_Liste_QSO::indexAt(const QPoint& point) const
{
    if (point.y() < 0)
        return QModelIndex();
    return modele_->index(premiereLigne() + point.y() / hauteur_);
}

void Vue_Liste_QSO::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int rang = index.row();
    const int visibles = lignesVisibles();
    const int haut = premiereLigne();
    int nouveau = haut;
    switch (hint) {
    case PositionAtTop:
        nouveau = rang;
        break;
    case PositionAtBottom:
        nouveau = rang - visibles + 1;
        break;
    case PositionAtCenter:
        nouveau = rang - visibles / 2;
        break;
    case EnsureVisible:
        if (rang < haut)
            nouveau = rang;
        else if (rang >= haut + visibles)
            nouveau = rang - visibles + 1;
        break;
    }
    verticalScrollBar()->setValue(nouveau);
}

QModelIndex Vue_Liste_QSO::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int n = count();
    if (n == 0)
        return QModelIndex();
    const int rang = currentRow();
    const int depart = std::max(rang, 0);
    int cible = rang;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        cible = rang < 0 ? 0 : rang - 1;
        break;
    case MoveDown:
    case MoveNext:
        cible = rang < 0 ? 0 : rang + 1;
        break;
    case MovePageUp:
        cible = depart - lignesVisibles();
        break;
    case MovePageDown:
        cible = depart + lignesVisibles();
        break;
    case MoveHome:
        cible = 0;
        break;
    case MoveEnd:
        cible = n - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return modele_->index(std::clamp(cible, 0, n - 1));
}

void Vue_Liste_QSO::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    // Only rows: the empty part below the last one selects nothing and clears nothing.
    const QRect r = rect.normalized();
    const int haut = std::max(0, premiereLigne() + divBas(r.top(), hauteur_));
    const int bas = std::min(count() - 1, premiereLigne() + divBas(r.bottom(), hauteur_));
    if (haut > bas)
        return;
    selectionModel()->select(QItemSelection(modele_->index(haut), modele_->index(bas)), command);
}

QRegion Vue_Liste_QSO::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int premiere = premiereLigne();
    const int derniere = premiere + lignesVisibles();
    for (const QItemSelectionRange& plage : selection) {
        const int haut = std::max(plage.top(), premiere);
        const int bas = std::min(plage.bottom(), derniere);
        if (haut <= bas)
            region += visualRect(modele_->index(haut)).united(visualRect(modele_->index(bas)));
    }
    return region;
}

void Vue_Liste_QSO::peindreDepuis(int rang)
{
    // The rows above keep their place, record and number.
    const int haut = std::max(0, (rang - premiereLigne()) * hauteur_);
    if (haut < viewport()->height())
        viewport()->update(0, haut, viewport()->width(), viewport()->height() - haut);
}

void Vue_Liste_QSO::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
    peindreDepuis(start);
}

void Vue_Liste_QSO::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // A list box whose selected row goes has no selected row any more: no other row becomes
    // current, and the click handler does not run.
    const int rang = currentRow();
    if (rang >= start && rang <= end)
        oublierSelection();
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
}

void Vue_Liste_QSO::reset()
{
    QAbstractItemView::reset();
    updateGeometries();
    viewport()->update();
}

void Vue_Liste_QSO::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy * hauteur_);
}

void Vue_Liste_QSO::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    const QRect zone = e->rect();
    p.fillRect(zone, palette().brush(QPalette::Base));
    const int premiere = premiereLigne();
    const int haut = premiere + std::max(0, zone.top()) / hauteur_;
    const int bas = std::min(count() - 1, premiere + std::max(0, zone.bottom()) / hauteur_);
    const int courante = currentRow();
    for (int rang = haut; rang <= bas; ++rang) {
        const QRect ligne = visualRect(modele_->index(rang));
        const bool choisie = selectionModel()->isSelected(modele_->index(rang));
        if (choisie)
            p.fillRect(ligne, palette().brush(QPalette::Highlight));
        p.setPen(palette().color(choisie ? QPalette::HighlightedText : QPalette::Text));
        dessinerLigne(p, rang, ligne.left() + marge_, ligne.top() + ligneBase_);
        // Where the keys go: the current row framed in the text's colour while the list has
        // the focus.
        if (rang == courante && hasFocus()) {
            p.setPen(QPen(palette().color(QPalette::Text), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(0, ligne.top(), viewport()->width(), ligne.height()).adjusted(1, 1, -1, -1));
        }
    }
}

void Vue_Liste_QSO::dessinerLigne(QPainter& p, int rang, qreal x, qreal y)
{
    // A row is one glyph a column in a fixed-pitch font: drawn from the font's glyphs at their
    // places, it needs none of the text layout a drawn text goes through (about half of the
    // instructions of painting a row).
    const QByteArray numero = QByteArray::number(rang + 1).rightJustified(station::LargeurNumero) + ' ';
    const QByteArrayView record = modele_->ligneAnsi(rang);
    const qsizetype n = numero.size() + record.size();
    quint32 indices[station::DecalageListe + station::LongueurLigneQSO];
    bool parGlyphes = n <= places_.size() && police_.isValid();
    for (qsizetype i = 0; parGlyphes && i < n; ++i) {
        const char c = i < numero.size() ? numero.at(i) : record.at(i - numero.size());
        indices[i] = glyphes_[static_cast<unsigned char>(c)];
        parGlyphes = indices[i] != 0;
    }
    if (!parGlyphes) {
        p.drawText(QPointF(x, y), modele_->item(rang));
        return;
    }
    QGlyphRun glyphes;
    glyphes.setRawFont(police_);
    glyphes.setRawData(indices, places_.constData(), int(n));
    p.drawGlyphRun(QPointF(x, y), glyphes);
}

void Vue_Liste_QSO::mousePressEvent(QMouseEvent* e)
{
    // A press on the empty part below the last row leaves the selection and the current row
    // as they are: the list only takes the focus, as a list box does.
    if (!indexAt(e->position().toPoint()).isValid()) {
        if (focusPolicy() & Qt::ClickFocus)
            setFocus(Qt::MouseFocusReason);
        e->accept();
        return;
    }
    QAbstractItemView::mousePressEvent(e);
}

void Vue_Liste_QSO::mouseMoveEvent(QMouseEvent* e)
{
    // A drag that did not start on a row selects nothing.
    if ((e->buttons() & Qt::LeftButton) && state() != DragSelectingState)
        return;
    QAbstractItemView::mouseMoveEvent(e);
}

void Vue_Liste_QSO::resizeEvent(QResizeEvent* e)
{
    QAbstractItemView::resizeEvent(e);
    updateGeometries();
}

void Vue_Liste_QSO::changeEvent(QEvent* e)
{
    QAbstractItemView::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
        mesurer();
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
