#include "exchange/Import.h"

#include "exchange/Adif.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"

#include <QDate>
#include <limits>

namespace echange {

using station::Champ;

namespace {

const QString MessageDate = QStringLiteral("Date absente, remplacée par 01/01/2000");
const QString MessageHeure = QStringLiteral("Heure absente, remplacée par 00:00");
const QString MessageIndicatif = QStringLiteral("Indicatif absent, remplacé par FXXXX");

// Two decimal digits at `pos` (0-based), or -1.
int deuxChiffres(QStringView t, qsizetype pos)
{
    if (pos + 2 > t.size()) return -1;
    const QChar a = t[pos], b = t[pos + 1];
    if (!a.isDigit() || !b.isDigit() || a.unicode() > '9' || b.unicode() > '9') return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

bool chiffres(QStringView t)
{
    if (t.isEmpty()) return false;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return true;
}

bool dateValide(int annee, int mois, int jour)
{
    return QDate(annee, mois, jour).isValid();
}

// The value cut to the width of its field.
QString coupe(const QString& v, Champ c)
{
    return v.left(station::colonne(c).largeur);
}

// The log band of a BAND value or of the whole-megahertz part of a FREQ value, compared as
// upper-case text.
QString bandeParTable(const QString& valeur)
{
    struct Ligne { const char* valeurs[4]; const char* bande; };
    static const Ligne table[] = {
        {{"160M", "1.8", nullptr, nullptr}, "1.8 Mhz"}, {{"80M", "3.5", "3.6", "3"}, "3.5 Mhz"},
        {{"40M", "7", nullptr, nullptr}, "7.0 Mhz"},    {{"30M", "10", nullptr, nullptr}, "10 Mhz"},
        {{"20M", "14", nullptr, nullptr}, "14 Mhz"},    {{"17M", "18", nullptr, nullptr}, "18 Mhz"},
        {{"15M", "21", nullptr, nullptr}, "21 Mhz"},    {{"12M", "24", nullptr, nullptr}, "24 Mhz"},
        {{"10M", "28", nullptr, nullptr}, "28 Mhz"},    {{"6M", "50", nullptr, nullptr}, "50 Mhz"},
        {{"2M", "144", "145", nullptr}, "144 Mhz"},     {{"70CM", "432", nullptr, nullptr}, "432 Mhz"},
        {{"23CM", "1300", nullptr, nullptr}, "1.3 Ghz"}, {{"13CM", "2300", nullptr, nullptr}, "2.3 Ghz"},
        {{"6CM", "5660", "5700", nullptr}, "5.7 Ghz"},  {{"3CM", "10000", nullptr, nullptr}, "10 Ghz"},
        {{"1.25CM", "24000", nullptr, nullptr}, "24 Ghz"},
    };
    if (valeur.isEmpty()) return QString();
    for (const Ligne& l : table) {
        for (const char* v : l.valeurs) {
            if (v && valeur == QLatin1String(v)) return QString::fromLatin1(l.bande);
        }
    }
    return QString();
}

// FREQ first (its cut text through the table, then its value by the band edges), then BAND.
QString bandeAdif(const EnregistrementAdif& e)
{
    if (const QString* f = e.champ(u"FREQ")) {
        const QString freq = f->trimmed();
        QString cut = freq.left(5);
        const qsizetype point = cut.indexOf(QLatin1Char('.'));
        if (point >= 0) cut = cut.left(point);
        QString b = bandeParTable(cut);
        if (!b.isEmpty()) return b;
        bool ok = false;
        const double mhz = freq.toDouble(&ok);
        if (ok) {
            b = bandeDepuisFrequence(mhz);
            if (!b.isEmpty()) return b;
        }
    }
    return bandeParTable(plateforme::majusculesAnsi(e.valeur(u"BAND").trimmed()));
}

// How the summary names the band of a QSO the log has no band for: its BAND value, else the
// ADIF band of its FREQ, else the frequency itself.
QString bandeHorsJournal(const EnregistrementAdif& e)
{
    const QString bande = e.valeur(u"BAND").trimmed().toLower();
    if (!bande.isEmpty()) return QStringLiteral("bande ") + bande;
    const QString freq = e.valeur(u"FREQ").trimmed();
    if (freq.isEmpty()) return QStringLiteral("sans bande ni fréquence");
    bool ok = false;
    const QString nom = nomBandeAdif(freq.toDouble(&ok));
    if (ok && !nom.isEmpty()) return QStringLiteral("bande ") + nom;
    return QStringLiteral("fréquence ") + freq;
}

void ajouterCompte(QVector<QPair<QString, int>>& comptes, const QString& texte)
{
    for (auto& m : comptes) {
        if (m.first == texte) {
            ++m.second;
            return;
        }
    }
    comptes.append({texte, 1});
}

// "hh:mm" from an ADIF time (HHMM or HHMMSS), or empty when it is not one.
QString heureAdif(const QString& t)
{
    if ((t.size() != 4 && t.size() != 6) || !chiffres(t)) return QString();
    const int h = t.left(2).toInt(), m = t.mid(2, 2).toInt();
    if (h > 23 || m > 59 || (t.size() == 6 && t.mid(4, 2).toInt() > 59)) return QString();
    return t.left(2) + QLatin1Char(':') + t.mid(2, 2);
}

bool prefixeFrancais(const QString& indicatif)
{
    for (const QString& p : station::Prefixes_Francais()) {
        if (indicatif.startsWith(p)) return true;
    }
    return false;
}

bool departementFrancais(const QString& s)
{
    if (s == QLatin1String("2A") || s == QLatin1String("2B")) return true;
    if (s.size() != 2 || !chiffres(s)) return false;
    const int n = s.toInt();
    return n >= 1 && n <= 95;
}

QString etatQSL(const QString& envoi, const QString& recu)
{
    const QChar e = envoi.isEmpty() ? QLatin1Char('N') : envoi[0];
    const QChar r = recu.isEmpty() ? QLatin1Char('N') : recu[0];
    if (e == QLatin1Char('X') || r == QLatin1Char('X')) return QStringLiteral("1");
    const bool envoyee = e == QLatin1Char('Y');
    // "V" (verified) is a received card too; R, I, Q and the like count as "no".
    const bool recue = r == QLatin1Char('Y') || r == QLatin1Char('V');
    return QString::number(envoyee && recue ? 4 : recue ? 3 : envoyee ? 2 : 1);
}

// A value as a fixed-width log column can hold it: accents composed (a decomposed "é" is
// one character), line ends and other control characters as blanks, and one "?" for each
// character Windows-1252 lacks, so one character of the file is one column of the record.
QString texteJournal(const QString& v)
{
    bool simple = true;
    for (QChar c : v) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F) {
            simple = false;
            break;
        }
    }
    if (simple) return v;
    const QString n = v.normalized(QString::NormalizationForm_C);
    QString r;
    r.reserve(n.size());
    for (qsizetype i = 0; i < n.size(); ++i) {
        const char16_t u = n[i].unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            r += QLatin1Char(' ');
        } else if (QChar::isHighSurrogate(u) && i + 1 < n.size() && QChar::isLowSurrogate(n[i + 1].unicode())) {
            r += QLatin1Char('?');
            ++i;
        } else {
            r += QChar(u);
        }
    }
    return plateforme::depuisAnsi(plateforme::versAnsi(r));
}

// The value of a field, upper-cased and trimmed, as the log can hold it.
QString valeurJournal(const EnregistrementAdif& e, QStringView nom)
{
    return plateforme::majusculesAnsi(texteJournal(e.valeur(nom)).trimmed());
}

QString report(const EnregistrementAdif& e, QStringView rst, QStringView serie)
{
    QString r = valeurJournal(e, rst);
    if (r.isEmpty()) r = QStringLiteral("XX");
    if (e.contient(serie)) {
        const QString s = valeurJournal(e, serie);
        r += s.isEmpty() ? QStringLiteral("XX") : s;
    }
    return r;
}

} // namespace

void Conversion::compter(const QString& message)
{
    ajouterCompte(messages, message);
}

void Conversion::omettre(const QString& raison)
{
    ajouterCompte(omis, raison);
}

QString Ligne_Sentinelle(bool edi)
{
    QString l = edi ? QStringLiteral("01/01/50  XXXXXX      00:00  00:05")
                    : QStringLiteral("01/01/50  XXXXXX      12:00  12:05");
    l += QString(164, QLatin1Char(' '));
    l += QLatin1Char('*');
    return l;
}

bool estSentinelle(QStringView ligne)
{
    return ligne.startsWith(u"01/01/50  XXXXXX");
}

qint64 cleFusion(int annee, int mois, int jour, int heure, int minute)
{
    const qint64 jours = (qint64(annee) * 13 + mois) * 32 + jour;
    return jours * 1440 + heure * 60 + minute;
}

qint64 cleLigneJournal(QStringView ligne)
{
    const int j = deuxChiffres(ligne, 0), m = deuxChiffres(ligne, 3), a = deuxChiffres(ligne, 6);
    const int h = deuxChiffres(ligne, 22), mi = deuxChiffres(ligne, 25);
    if (j < 0 || m < 0 || a < 0 || h < 0 || mi < 0) return -1;
    return cleFusion(a >= 51 ? 1900 + a : 2000 + a, m, j, h, mi);
}

Conversion convertirVLM(const QStringList& lignesFichier)
{
    Conversion c;
    int numero = 0;
    for (const QString& ligne : lignesFichier) {
        ++numero;
        if (ligne.trimmed().isEmpty() || estSentinelle(ligne)) continue;
        if (ligne.size() != station::LongueurLigneQSO || !station::dateEtHeureLisibles(ligne) ||
            ligne.back() != QLatin1Char('*')) {
            c.refus = QStringLiteral("La ligne ") + QString::number(numero) +
                      QStringLiteral(" n'est pas un QSO Velmarin (199 caractères, date jj/mm/aa, heure hh:mm et "
                                     "\"*\" à la fin) : rien n'a été importé.");
            c.lignes.clear();
            return c;
        }
        if (c.lignes.isEmpty()) {
            // The first line's year: 50-99 are 19yy, 00-49 are 20yy.
            const int a = deuxChiffres(ligne, 6);
            c.clePremier = cleFusion(a >= 50 ? 1900 + a : 2000 + a, deuxChiffres(ligne, 3), deuxChiffres(ligne, 0),
                                     deuxChiffres(ligne, 22), deuxChiffres(ligne, 25));
        }
        c.lignes.append(ligne);
    }
    if (c.lignes.isEmpty()) c.refus = QStringLiteral("Le fichier ne contient aucun QSO : rien n'a été importé.");
    return c;
}

Conversion convertirAdif(const QByteArray& octets)
{
    Conversion c;
    c.lignes.reserve(octets.size() / 200 + 1);
    int enregistrements = 0;
    parcourirAdif(octets, [&](const EnregistrementAdif& e) {
        ++enregistrements;
        if (e.sansEOR) ++c.sansFin;
        auto valeur = [&](const char16_t* nom) { return valeurJournal(e, QStringView(nom)); };
        station::Ligne_QSO q;
        // A QSO is never written on a band it was not made on: one the log has no band for is
        // left out and counted.
        q.Bande_QSO = bandeAdif(e);
        if (q.Bande_QSO.isEmpty()) {
            c.omettre(bandeHorsJournal(e));
            return;
        }

        int annee = 2000, mois = 1, jour = 1;
        const QString d = valeur(u"QSO_DATE");
        if (d.size() == 8 && chiffres(d) && dateValide(d.left(4).toInt(), d.mid(4, 2).toInt(), d.mid(6, 2).toInt())) {
            annee = d.left(4).toInt();
            mois = d.mid(4, 2).toInt();
            jour = d.mid(6, 2).toInt();
            q.Date_QSO = d.mid(6, 2) + QLatin1Char('/') + d.mid(4, 2) + QLatin1Char('/') + d.mid(2, 2);
        } else {
            c.compter(MessageDate);
            q.Date_QSO = QStringLiteral("01/01/00");
        }

        q.Indicatif_QSO = coupe(valeur(u"CALL"), Champ::Indicatif_QSO);
        if (q.Indicatif_QSO.isEmpty()) {
            c.compter(MessageIndicatif);
            q.Indicatif_QSO = QStringLiteral("FXXXX");
        }

        q.Heure_Debut = heureAdif(valeur(u"TIME_ON"));
        if (q.Heure_Debut.isEmpty()) {
            c.compter(MessageHeure);
            q.Heure_Debut = QStringLiteral("00:00");
        }
        if (!e.contient(u"TIME_OFF")) {
            q.Heure_Fin = q.Heure_Debut;
        } else {
            q.Heure_Fin = heureAdif(valeur(u"TIME_OFF"));
            if (q.Heure_Fin.isEmpty()) q.Heure_Fin = QStringLiteral("00:00");
        }

        const QString etat = valeur(u"STATE");
        if (departementFrancais(etat) && prefixeFrancais(q.Indicatif_QSO)) q.Departement_QSO = etat;

        q.Locator_QSO = valeur(u"GRIDSQUARE").left(6);
        q.Mode_QSO = coupe(modeDepuisAdif(valeur(u"MODE"), valeur(u"SUBMODE")), Champ::Mode_QSO);
        if (q.Mode_QSO.isEmpty()) q.Mode_QSO = QStringLiteral("XXX");
        q.RST_Envoye = coupe(report(e, u"RST_SENT", u"STX"), Champ::RST_Envoye);
        q.RST_Recu = coupe(report(e, u"RST_RCVD", u"SRX"), Champ::RST_Recu);
        q.QTH_QSO = coupe(valeur(u"QTH"), Champ::QTH_QSO);
        q.Prenom_QSO = coupe(valeur(u"NAME"), Champ::Prenom_QSO);
        q.Etat_QSL = etatQSL(valeur(u"QSL_SENT"), valeur(u"QSL_RCVD"));
        q.Numero_Activite = QStringLiteral("0");
        q.Remarques_QSO = coupe(valeur(u"COMMENT"), Champ::Remarques_QSO);

        if (c.lignes.isEmpty()) {
            const QString h = q.Heure_Debut;
            c.clePremier = cleFusion(annee, mois, jour, h.left(2).toInt(), h.mid(3, 2).toInt());
        }
        c.lignes.append(q.texte());
    });
    if (enregistrements == 0) {
        c.refus = QStringLiteral("Le fichier ne contient aucun QSO ADIF : rien n'a été importé.");
    } else if (c.lignes.isEmpty()) {
        c.refus = QStringLiteral("Aucun QSO du fichier ne peut être importé : rien n'a été importé.\r\n\r\n") +
                  resumeOmis(c);
    }
    return c;
}

QString bandeDepuisPBand(const QString& pband)
{
    QString t = pband.trimmed().toUpper();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    qsizetype i = 0;
    while (i < t.size() && (t[i].isDigit() || t[i] == QLatin1Char('.'))) ++i;
    bool ok = false;
    double valeur = t.left(i).toDouble(&ok);
    if (!ok) return QString();
    const QString unite = t.mid(i).trimmed();
    if (unite == QLatin1String("GHZ")) valeur *= 1000;
    else if (unite == QLatin1String("KHZ")) valeur /= 1000;
    else if (!unite.isEmpty() && unite != QLatin1String("MHZ")) return QString();
    return bandeDepuisFrequence(valeur);
}

Conversion convertirEdi(const QStringList& lignesFichier)
{
    Conversion c;
    QString pband;
    bool avecPBand = false;
    qsizetype i = 0;
    for (; i < lignesFichier.size(); ++i) {
        const QString& l = lignesFichier[i];
        if (l.startsWith(QLatin1String("[QSORecords"), Qt::CaseInsensitive)) break;
        if (!avecPBand && l.startsWith(QLatin1String("PBand="), Qt::CaseInsensitive)) {
            pband = l.mid(6).trimmed();
            avecPBand = true;
        }
    }
    if (i >= lignesFichier.size()) {
        c.refus = QStringLiteral("Le fichier ne contient pas de section [QSORecords : ce n'est pas un fichier EDI.");
        return c;
    }
    if (!avecPBand) {
        c.refus = QStringLiteral("Le fichier EDI n'indique pas sa bande (ligne PBand absente) : rien n'a été importé.");
        return c;
    }
    const QString bande = bandeDepuisPBand(pband);
    if (bande.isEmpty()) {
        c.refus = QStringLiteral("La bande \"") + pband +
                  QStringLiteral("\" du fichier EDI n'est pas une bande du log : rien n'a été importé.");
        return c;
    }
    for (++i; i < lignesFichier.size(); ++i) {
        const QString l = lignesFichier[i].trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1Char('['))) break;
        // A record line of blanks and separators only holds no QSO.
        if (QString(l).remove(QLatin1Char(';')).trimmed().isEmpty()) continue;
        const QStringList f = l.split(QLatin1Char(';'));
        auto champ = [&](int n) { return n < f.size() ? plateforme::majusculesAnsi(f[n].trimmed()) : QString(); };
        const QString d = champ(0), h = champ(1), indicatif = champ(2);
        const int a = d.size() == 6 && chiffres(d) ? d.left(2).toInt() : -1;
        const int annee = a >= 51 ? 1900 + a : 2000 + a;
        if (a < 0 || !dateValide(annee, d.mid(2, 2).toInt(), d.mid(4, 2).toInt()) || h.size() != 4 ||
            heureAdif(h).isEmpty() || indicatif.isEmpty()) {
            c.refus = QStringLiteral("La ligne ") + QString::number(i + 1) +
                      QStringLiteral(" du fichier EDI n'est pas un QSO lisible : rien n'a été importé.");
            c.lignes.clear();
            return c;
        }
        station::Ligne_QSO q;
        q.Date_QSO = d.mid(4, 2) + QLatin1Char('/') + d.mid(2, 2) + QLatin1Char('/') + d.left(2);
        q.Indicatif_QSO = coupe(indicatif, Champ::Indicatif_QSO);
        q.Heure_Debut = heureAdif(h);
        q.Heure_Fin = q.Heure_Debut;
        q.Locator_QSO = coupe(champ(9), Champ::Locator_QSO);
        q.Bande_QSO = bande;
        static const char* const modes[] = {"AUTRE", "SSB", "CW", "CW", "CW", "AM", "FM", "RTTY", "SSTV", "ATV"};
        const QString code = champ(3);
        q.Mode_QSO = code.size() == 1 && chiffres(code) ? QString::fromLatin1(modes[code.toInt()])
                                                         : coupe(code, Champ::Mode_QSO);
        q.RST_Envoye = coupe(champ(4) + champ(5), Champ::RST_Envoye);
        q.RST_Recu = coupe(champ(6) + champ(7), Champ::RST_Recu);
        q.Etat_QSL = QStringLiteral("1");
        q.Numero_Activite = QStringLiteral("0");
        if (c.lignes.isEmpty())
            c.clePremier = cleFusion(annee, d.mid(2, 2).toInt(), d.mid(4, 2).toInt(), h.left(2).toInt(), h.mid(2, 2).toInt());
        c.lignes.append(q.texte());
    }
    if (c.lignes.isEmpty()) c.refus = QStringLiteral("Le fichier EDI ne contient aucun QSO : rien n'a été importé.");
    return c;
}

namespace {

QString listeComptes(const QVector<QPair<QString, int>>& comptes)
{
    QString t;
    for (const auto& m : comptes)
        t += QStringLiteral("  ") + m.first + QStringLiteral(" : ") + QString::number(m.second) +
             QStringLiteral(" QSO\r\n");
    return t;
}

} // namespace

QString resumeOmis(const Conversion& c)
{
    QString t;
    if (!c.omis.isEmpty())
        t += QStringLiteral("QSO non importés, bande absente du log :\r\n") + listeComptes(c.omis);
    if (c.sansFin > 0)
        t += (t.isEmpty() ? QString() : QStringLiteral("\r\n")) + QString::number(c.sansFin) +
             QStringLiteral(" enregistrement(s) sans <EOR> : chacun s'arrête au CALL ou au QSO_DATE suivant, "
                            "ou à la fin du fichier.\r\n");
    return t;
}

QString resumeMessages(const Conversion& c)
{
    QString t = QString::number(c.lignes.size()) + QStringLiteral(" QSO à importer.\r\n\r\n");
    const QString omis = resumeOmis(c);
    if (!omis.isEmpty()) t += omis + QStringLiteral("\r\n");
    if (!c.messages.isEmpty()) t += QStringLiteral("Valeurs remplacées :\r\n") + listeComptes(c.messages) + QStringLiteral("\r\n");
    t += QStringLiteral("OK pour importer, Annuler pour laisser le log tel quel.");
    return t;
}

QStringList fusionner(const QStringList& journal, const QStringList& bloc, qint64 clePremier)
{
    QStringList r;
    r.reserve(journal.size() + bloc.size());
    auto poserBloc = [&] {
        for (const QString& l : bloc) {
            if (!estSentinelle(l)) r.append(l);
        }
    };
    qint64 precedente = std::numeric_limits<qint64>::min();
    bool place = false;
    for (const QString& l : journal) {
        if (estSentinelle(l)) continue;
        qint64 k = cleLigneJournal(l);
        if (k < 0) k = precedente;
        else precedente = k;
        if (!place && k >= clePremier) {
            poserBloc();
            place = true;
        }
        r.append(l);
    }
    if (!place) poserBloc();
    return r;
}

int importerDansJournal(const QString& indicatif, const Conversion& c)
{
    const QString nom = station::nomJournal(indicatif);
    const QStringList journal = plateforme::lireLignes(nom);
    qsizetype apres = 0;
    for (const QString& l : journal) apres += estSentinelle(l) ? 0 : 1;
    for (const QString& l : c.lignes) apres += estSentinelle(l) ? 0 : 1;
    if (apres > station::NombreMaxQSO) {
        throw ImportRefuse(QStringLiteral("Cet import porterait le log à ") + QString::number(apres) +
                           QStringLiteral(" QSO, au-delà de la limite de 99999 QSO : rien n'a été importé."));
    }
    const QStringList resultat = fusionner(journal, c.lignes, c.clePremier);
    plateforme::ecrireLignes(nom, resultat);
    return int(resultat.size());
}

} // namespace echange
