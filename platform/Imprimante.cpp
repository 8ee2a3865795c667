#include "platform/Imprimante.h"
#include "platform/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>
#include <vector>

namespace plateforme {

namespace {

std::function<bool(QPrinter&)> g_repondeurImpression;
QString g_dossier;
int g_compteur = 0;

// Margins of the page written to a file, as a printer's unprintable border.
const QMarginsF MargesFichier(10, 10, 10, 10);

struct Ligne {
    QString texte;
    QFont police;
    // Placed on the sheet (millimetres from the paper's corner) rather than in the flow.
    bool placee = false;
    QPointF mm;
};

// An ended job: its lines and its orientation.
struct Travail {
    std::vector<Ligne> lignes;
    bool paysage = false;
};

QPageLayout::Orientation orientation(const Travail& t)
{
    return t.paysage ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

struct Imprimante::Etat {
    QString nom = QStringLiteral("Courier New");
    double taille = 10;
    bool gras = false;
    bool paysage = false;

    bool enCours = false;
    bool paysageTravail = false;
    std::vector<Ligne> lignes;

    // The system's printer, set up by the printer dialog; made when first needed.
    std::unique_ptr<QPrinter> systeme;
    // A printer of the same page as a file job, for the measures.
    std::unique_ptr<QPrinter> fichier;
    // The jobs of the run the printer dialog began, when the system's printer prints them to
    // this file: the file holds them all, each from a new page.
    std::vector<Travail> passage;
    QString fichierPassage;

    QPrinter& imprimanteSysteme()
    {
        if (!systeme)
            systeme = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *systeme;
    }

    QPrinter& imprimanteFichier()
    {
        if (!fichier) {
            fichier = std::make_unique<QPrinter>(QPrinter::HighResolution);
            fichier->setOutputFormat(QPrinter::PdfFormat);
            fichier->setPageSize(QPageSize(QPageSize::A4));
            fichier->setPageMargins(MargesFichier, QPageLayout::Millimeter);
        }
        return *fichier;
    }

    // The printer the next job goes to.
    QPrinter& courante() { return g_dossier.isEmpty() ? imprimanteSysteme() : imprimanteFichier(); }

    QFont police() const
    {
        QFont p(familleImprimante(nom));
        p.setPointSizeF(taille > 0 ? taille : 10);
        p.setBold(gras);
        if (p.family().contains(QLatin1String("Mono"), Qt::CaseInsensitive))
            p.setStyleHint(QFont::TypeWriter);
        return p;
    }

    void vider()
    {
        lignes.clear();
        enCours = false;
    }
};

QString familleImprimante(const QString& nom)
{
    // The faces the reports name, and the metric-compatible ones installed in their place.
    static const struct {
        const char* windows;
        const char* libre;
    } correspondances[] = {
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
    };
    const QString n = nom.trimmed();
    for (const auto& c : correspondances)
        if (n.compare(QLatin1String(c.windows), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(c.libre);
    return n;
}

Imprimante::Imprimante() : d(std::make_unique<Etat>()) {}

Imprimante::~Imprimante() = default;

Imprimante& Imprimante::instance()
{
    static Imprimante imprimante;
    return imprimante;
}

QString Imprimante::FontName() const
{
    return d->nom;
}

void Imprimante::setFontName(const QString& nom)
{
    d->nom = nom;
}

double Imprimante::FontSize() const
{
    return d->taille;
}

void Imprimante::setFontSize(double points)
{
    if (points > 0)
        d->taille = points;
}

bool Imprimante::FontBold() const
{
    return d->gras;
}

void Imprimante::setFontBold(bool gras)
{
    d->gras = gras;
}

void Imprimante::setPaysage(bool paysage)
{
    d->paysage = paysage;
}

bool Imprimante::paysage() const
{
    return d->paysage;
}

double Imprimante::largeurPage() const
{
    QPrinter& p = d->courante();
    QPageLayout mise = p.pageLayout();
    mise.setOrientation(d->paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
    return mise.paintRect(QPageLayout::Point).width();
}

double Imprimante::largeurTexte(const QString& texte) const
{
    QPrinter& p = d->courante();
    const QFontMetricsF mesures(d->police(), &p);
    return mesures.horizontalAdvance(texte) * 72.0 / p.resolution();
}

void Imprimante::adapterA(const QString& ligne)
{
    setPaysage(false);
    if (largeurTexte(ligne) <= largeurPage())
        return;
    setPaysage(true);
    const double largeur = largeurTexte(ligne);
    if (largeur <= largeurPage())
        return;
    double taille = std::floor(FontSize() * largeurPage() / largeur * 10) / 10;
    while (taille > 1 && (setFontSize(taille), largeurTexte(ligne) > largeurPage()))
        taille -= 0.1;
}

void Imprimante::Print(const QString& ligne)
{
    if (!d->enCours) {
        d->enCours = true;
        d->paysageTravail = d->paysage;
    }
    // A line break inside the text starts a new line, as it does on the printer.
    const QFont police = d->police();
    QString texte = ligne;
    texte.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString& morceau : texte.split(QLatin1Char('\n')))
        d->lignes.push_back({morceau, police, false, QPointF()});
}

void Imprimante::PrintA(double xMm, double yMm, const QString& ligne)
{
    if (!d->enCours) {
        d->enCours = true;
        d->paysageTravail = d->paysage;
    }
    d->lignes.push_back({ligne, d->police(), true, QPointF(xMm, yMm)});
}

namespace {

// Lays the jobs out on the printer's pages, each job from a new page in its own orientation,
// a new page when the next line does not fit.
bool rendre(QPrinter& imprimante, const std::vector<Travail>& travaux)
{
    if (travaux.empty())
        return true;
    imprimante.setPageOrientation(orientation(travaux.front()));
    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return false;
    const int resolution = imprimante.resolution();
    // The painter starts at the printable area's corner; placed lines count from the paper's.
    const double pointsParMm = resolution / 25.4;
    for (size_t t = 0; t < travaux.size(); ++t) {
        if (t > 0) {
            imprimante.setPageOrientation(orientation(travaux[t]));
            if (!imprimante.newPage())
                return false;
        }
        const QRect zone = imprimante.pageLayout().paintRectPixels(resolution);
        double y = 0;
        for (const Ligne& l : travaux[t].lignes) {
            const QFontMetricsF mesures(l.police, &imprimante);
            if (l.placee) {
                peintre.setFont(l.police);
                peintre.drawText(QPointF(l.mm.x() * pointsParMm - zone.left(),
                                         l.mm.y() * pointsParMm - zone.top() + mesures.ascent()),
                                 l.texte);
                continue;
            }
            const double pas = mesures.lineSpacing();
            if (y > 0 && y + pas > zone.height()) {
                if (!imprimante.newPage())
                    return false;
                y = 0;
            }
            if (!l.texte.isEmpty()) {
                peintre.setFont(l.police);
                peintre.drawText(QPointF(0, y + mesures.ascent()), l.texte);
            }
            y += pas;
        }
    }
    return peintre.end();
}

// Whether the PDF file `fichier` ends as Qt's writer ends a document: its last line "%%EOF", the
// offset given before it that of its table. Qt reports a file cut short (a full disk) as written.
bool pdfEntier(const QString& fichier)
{
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError || !octets.endsWith("\n%%EOF\n"))
        return false;
    const qsizetype marque = octets.lastIndexOf("startxref\n");
    if (marque < 0)
        return false;
    const qsizetype chiffres = marque + qsizetype(sizeof "startxref\n") - 1;
    bool lu = false;
    const qint64 table = octets.mid(chiffres, octets.size() - qsizetype(sizeof "%%EOF\n") + 1 - chiffres).trimmed().toLongLong(&lu);
    return lu && table >= 0 && table < marque && octets.mid(table, 4) == "xref";
}

// Renders the jobs into `cible` through the file door: a scratch file beside it, read back whole,
// synced, then renamed over it. A failed job leaves no partial file and the file it would have
// replaced as it was.
bool rendreDansFichier(QPrinter& p, const std::vector<Travail>& travaux, const QString& cible)
{
    bool rendu = true;
    try {
        remplacerParEcrivain(
            cible,
            [&](const QString& brouillon) {
                p.setOutputFileName(brouillon);
                return rendre(p, travaux);
            },
            pdfEntier);
    } catch (const ErreurFichier&) {
        rendu = false;
    }
    p.setOutputFileName(cible);
    return rendu;
}

} // namespace

bool Imprimante::EndDoc()
{
    if (!d->enCours)
        return true;
    Travail travail{std::move(d->lignes), d->paysageTravail};
    d->vider();

    if (g_dossier.isEmpty()) {
        QPrinter& p = d->imprimanteSysteme();
        const QString fichier = p.outputFileName();
        if (fichier.isEmpty())
            return rendre(p, {std::move(travail)});
        // Printed to a file: the file holds every job of the run, so none replaces another.
        if (d->fichierPassage != fichier) {
            d->passage.clear();
            d->fichierPassage = fichier;
        }
        d->passage.push_back(std::move(travail));
        return rendreDansFichier(p, d->passage, fichier);
    }

    const int numero = g_compteur + 1;
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageMargins(MargesFichier, QPageLayout::Millimeter);
    if (!rendreDansFichier(p, {std::move(travail)}, QDir(g_dossier).filePath(QStringLiteral("job-%1.pdf").arg(numero))))
        return false;
    g_compteur = numero;
    return true;
}

void Imprimante::KillDoc()
{
    d->vider();
}

bool Imprimante::travailEnCours() const
{
    return d->enCours;
}

bool DialogueImpression(QWidget* parent)
{
    Imprimante::Etat& etat = *Imprimante::instance().d;
    etat.passage.clear();
    etat.fichierPassage.clear();
    QPrinter& systeme = etat.imprimanteSysteme();
    if (g_repondeurImpression)
        return g_repondeurImpression(systeme);
    QPrintDialog dialogue(&systeme, parent);
    dialogue.setWindowTitle(QStringLiteral("Imprimer"));
    return dialogue.exec() == QDialog::Accepted;
}

void installerRepondeurImpression(std::function<bool()> repondeur)
{
    if (!repondeur) {
        g_repondeurImpression = nullptr;
        return;
    }
    g_repondeurImpression = [r = std::move(repondeur)](QPrinter&) { return r(); };
}

void installerRepondeurImpression(std::function<bool(QPrinter&)> repondeur)
{
    g_repondeurImpression = std::move(repondeur);
}

void retirerRepondeurImpression()
{
    g_repondeurImpression = nullptr;
}

void definirDossierImpression(const QString& dossier)
{
    g_dossier = dossier;
    g_compteur = 0;
}

QString dossierImpression()
{
    return g_dossier;
}

} // namespace plateforme
