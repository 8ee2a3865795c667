#include "platform/Controles.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QWidget>
#include <memory>
#include <optional>

namespace plateforme {

namespace {

class FiltreTouches : public QObject {
public:
    FiltreTouches(QWidget* cible, QWidget* saisie, std::function<void(int&)> g)
        : QObject(cible), cible_(cible), saisie_(saisie), gestionnaire_(std::move(g))
    {
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        int code = 0;
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)
            code = 13;
        else if (ke->key() == Qt::Key_Backspace)
            code = 8;
        else if (ke->key() == Qt::Key_Escape)
            code = 27;
        else if (ke->text().size() == 1 && ke->text().at(0).unicode() >= 32 &&
                 !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            code = ke->text().at(0).unicode();
        if (code == 0)
            return false;
        const int avant = code;
        QPointer<QWidget> garde(cible_);
        gestionnaire_(code);
        if (!garde)
            return true;
        if (code == 0 || code == 13)
            return true;  // swallowed (Enter never reaches the control)
        if (code == avant)
            return false;  // the control handles the key as usual
        if (auto* le = qobject_cast<QLineEdit*>(saisie_)) {
            le->insert(QString(QChar(char16_t(code))));
            return true;
        }
        if (auto* te = qobject_cast<QPlainTextEdit*>(saisie_)) {
            te->insertPlainText(QString(QChar(char16_t(code))));
            return true;
        }
        return false;
    }

private:
    QWidget* cible_;
    QWidget* saisie_;
    std::function<void(int&)> gestionnaire_;
};

class FiltreDouble : public QObject {
public:
    FiltreDouble(QObject* parent, std::function<void()> g) : QObject(parent), gestionnaire_(std::move(g)) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonDblClick) {
            gestionnaire_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> gestionnaire_;
};

QWidget* zoneSaisie(QWidget* controle)
{
    if (auto* cb = qobject_cast<QComboBox*>(controle)) {
        if (cb->lineEdit())
            return cb->lineEdit();
    }
    return controle;
}

} // namespace

void brancherKeyPress(QWidget* controle, std::function<void(int& code)> gestionnaire)
{
    QWidget* saisie = zoneSaisie(controle);
    auto* filtre = new FiltreTouches(controle, saisie, std::move(gestionnaire));
    saisie->installEventFilter(filtre);
    if (saisie != controle)
        controle->installEventFilter(filtre);
}

namespace {

// A pick by the operator signals a change of selection, then the pick itself: the change runs
// the handler and lets the pick that follows in the same event pass. Clearing the selection
// runs nothing.
// An editable combo box, when Enter is pressed in its text or when it loses the focus, looks
// its text up among its items and selects the item found: that selection follows the text
// typed, it is no pick, and runs nothing.
class ClicCombo : public QObject {
public:
    ClicCombo(QComboBox* liste, std::function<void()> g) : QObject(liste), liste_(liste), gestionnaire_(std::move(g))
    {
        connect(liste, &QComboBox::currentIndexChanged, this, [this](int i) { changement(i); });
        connect(liste, &QComboBox::activated, this, [this](int i) { choix(i); });
        if (QLineEdit* saisie = liste->lineEdit()) {
            liste->installEventFilter(this);
            // Connected after the combo box's own look-up: once they run, it is over.
            connect(saisie, &QLineEdit::returnPressed, this, [this] { texteTape_.reset(); });
            connect(saisie, &QLineEdit::editingFinished, this, [this] { texteTape_.reset(); });
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        const bool entree = e->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return ||
                                                               static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter);
        if (entree || e->type() == QEvent::FocusOut)
            retenirTexte();
        return false;
    }

private:
    // The text the combo box is about to look up, when it is not the selected item's.
    void retenirTexte()
    {
        const QLineEdit* saisie = liste_->lineEdit();
        const QString texte = saisie ? saisie->text() : QString();
        if (texte.isEmpty() || liste_->itemText(liste_->currentIndex()) == texte)
            return;
        texteTape_ = texte;
        QTimer::singleShot(0, this, [this] { texteTape_.reset(); });
    }
    // The selection of item `i` comes from the look-up of the typed text (case aside, as the
    // combo box matches it).
    bool parLeTexte(int i) const
    {
        return texteTape_ && liste_->itemText(i).compare(*texteTape_, Qt::CaseInsensitive) == 0;
    }

    void changement(int i)
    {
        if (i < 0)
            return;
        dejaLance_ = true;
        QTimer::singleShot(0, this, [this] { dejaLance_ = false; });
        if (!parLeTexte(i))
            gestionnaire_();
    }
    void choix(int i)
    {
        if (!dejaLance_ && !parLeTexte(i))
            gestionnaire_();
        dejaLance_ = false;
    }

    QComboBox* liste_;
    std::function<void()> gestionnaire_;
    bool dejaLance_ = false;
    std::optional<QString> texteTape_;
};

} // namespace

void brancherClic(QComboBox* liste, std::function<void()> gestionnaire)
{
    new ClicCombo(liste, std::move(gestionnaire));
}

namespace {

// A mouse press or drag on a list makes the line under the mouse current first and selects it
// afterwards; the release then signals the click. A change of the current line runs the handler
// once the line is selected, so that the handler finds the line picked, and the click of the
// press that made the change does not run it again, however long the button was held. A click
// on the line already selected runs it.
class ClicListe : public QObject {
public:
    ClicListe(QAbstractItemView* liste, std::function<void()> g) : QObject(liste), liste_(liste), gestionnaire_(std::move(g))
    {
        liste->viewport()->installEventFilter(this);
    }

    void changement(int ligne)
    {
        const QModelIndex index = liste_->model()->index(ligne, 0, liste_->rootIndex());
        if (index.isValid() && !liste_->selectionModel()->isSelected(index) &&
            liste_->selectionMode() != QAbstractItemView::NoSelection) {
            // The selection follows within the same event; a change that no selection follows
            // still runs the handler, once the event is over.
            if (!attente_) {
                attente_ = true;
                QTimer::singleShot(0, this, [this] {
                    if (attente_)
                        lancer();
                });
            }
            return;
        }
        lancer();
    }

    void selection()
    {
        if (attente_)
            lancer();
    }

    void clic()
    {
        attente_ = false;
        if (!dejaLance_)
            gestionnaire_();
        dejaLance_ = false;
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress)
            dejaLance_ = false;
        return false;
    }

private:
    void lancer()
    {
        attente_ = false;
        dejaLance_ = true;
        gestionnaire_();
    }

    QAbstractItemView* liste_;
    std::function<void()> gestionnaire_;
    bool attente_ = false;
    bool dejaLance_ = false;
};

} // namespace

void brancherClic(QListWidget* liste, std::function<void()> gestionnaire)
{
    auto* c = new ClicListe(liste, std::move(gestionnaire));
    QObject::connect(liste, &QListWidget::currentRowChanged, c, &ClicListe::changement);
    QObject::connect(liste, &QListWidget::itemSelectionChanged, c, &ClicListe::selection);
    QObject::connect(liste, &QListWidget::itemClicked, c, &ClicListe::clic);
}

void brancherClic(QAbstractItemView* liste, std::function<void()> gestionnaire)
{
    // The view keeps its model, hence its selection model, from here on.
    auto* c = new ClicListe(liste, std::move(gestionnaire));
    QObject::connect(liste->selectionModel(), &QItemSelectionModel::currentChanged, c,
                     [c](const QModelIndex& courant) { c->changement(courant.row()); });
    QObject::connect(liste->selectionModel(), &QItemSelectionModel::selectionChanged, c, &ClicListe::selection);
    QObject::connect(liste, &QAbstractItemView::clicked, c, &ClicListe::clic);
}

void brancherDblClick(QWidget* controle, std::function<void()> gestionnaire)
{
    QWidget* saisie = zoneSaisie(controle);
    auto* filtre = new FiltreDouble(controle, std::move(gestionnaire));
    saisie->installEventFilter(filtre);
    if (auto* vue = qobject_cast<QAbstractScrollArea*>(saisie))
        vue->viewport()->installEventFilter(filtre);
}

QFont policeChasseFixe(const QString& prefere)
{
    QStringList familles = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                            QStringLiteral("Courier New"), QStringLiteral("Noto Mono"),
                            QStringLiteral("Nimbus Mono PS"), QStringLiteral("monospace")};
    if (!prefere.isEmpty())
        familles.prepend(prefere);
    for (const QString& famille : familles) {
        QFont police(famille);
        police.setStyleHint(QFont::TypeWriter);
        police.setFixedPitch(true);
        const QFontInfo info(police);
        if (info.fixedPitch() && (famille == QLatin1String("monospace") ||
                                  info.family().compare(famille, Qt::CaseInsensitive) == 0))
            return police;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    return l;
}

QListWidget* listeChasseFixe(QWidget* parent, const QString& nom, const QString& police, bool triee)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(nom);
    l->setFont(policeChasseFixe(police));
    l->setSortingEnabled(triee);
    return l;
}

} // namespace plateforme
