#pragma once
// The printer the reports write to, and the printer dialog shown before a report.
// A job is kept until it ends: an abandoned job leaves nothing behind, an ended one goes out whole.
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace plateforme {

bool DialogueImpression(QWidget* parent = nullptr);

// The printer the reports write to, one per run, as the program's "Printer" object.
class Imprimante {
public:
    static Imprimante& instance();
    ~Imprimante();
    Imprimante(const Imprimante&) = delete;
    Imprimante& operator=(const Imprimante&) = delete;

    // Font of the next lines (kept between jobs, as a printer keeps it): name, points, bold.
    // "Courier New" (and the other common Windows faces) map to a metric-compatible font
    // (Liberation Mono, Sans, Serif); FontName() gives back the name that was set.
    QString FontName() const;
    void setFontName(const QString& nom);
    double FontSize() const;
    void setFontSize(double points);
    bool FontBold() const;
    void setFontBold(bool gras);

    // Page orientation of the next job (portrait by default); a job keeps the orientation it
    // started with.
    void setPaysage(bool paysage);
    bool paysage() const;

    // Width of the printable area and of a text in the current font, in points, so that a
    // report can choose the orientation or the size that makes its longest line fit.
    double largeurPage() const;
    double largeurTexte(const QString& texte) const;
    // Makes the line fit across the page: portrait when it fits there, else landscape, else
    // landscape with the font size reduced until it fits (a tenth of a point at a time).
    void adapterA(const QString& ligneLaPlusLongue);

    // One line of text (an empty line too); the first line starts the job; a new page begins
    // by itself when one is full. Lines are neither wrapped nor cut; a CR LF (or LF) inside
    // the text starts a new line, so a text ending in one is followed by an empty line.
    void Print(const QString& ligne = QString());
    // One line of text placed on the sheet: the top of its line at `yMm` and its start at
    // `xMm`, millimetres from the paper's top-left corner (not from the printable area), on
    // the job's page, whatever the printer's margins. It takes no room in the flow of Print.
    void PrintA(double xMm, double yMm, const QString& ligne);
    // Ends the job: the document goes out. Nothing printed: nothing goes out.
    // False when the document could not be written or sent (nothing half-written is left).
    bool EndDoc();
    // Abandons the job: nothing goes out.
    void KillDoc();

    // A job is started and not yet ended or abandoned.
    bool travailEnCours() const;

private:
    friend bool DialogueImpression(QWidget* parent);
    Imprimante();
    struct Etat;
    std::unique_ptr<Etat> d;
};

// The family really used for a font name set on the printer.
QString familleImprimante(const QString& nom);

// The printer dialog shown before a report: false when the operator cancels. Tests answer it
// through an answerer like the message boxes', which may set up the system's printer as the
// operator does in the dialog. The dialog begins a run of jobs: when the operator prints to a
// file, the file holds every job of the run, each from a new page, so no job replaces another.
bool DialogueImpression(QWidget* parent);
void installerRepondeurImpression(std::function<bool()> repondeur);
void installerRepondeurImpression(std::function<bool(QPrinter&)> repondeur);
void retirerRepondeurImpression();

// Tests (and the platform default): every ended job is written as a PDF file in this folder,
// named "job-1.pdf", "job-2.pdf"... in the order the jobs end (the counter restarts when the
// folder is set). With no folder set (an empty name), jobs go to the system's default printer.
void definirDossierImpression(const QString& dossier);
QString dossierImpression();

} // namespace plateforme
