#pragma once
// The cluster window and its memo window, as the other windows reach them.
#include <QString>

namespace Cluster {

// The spot site. Section "Setup" may name another one under Cle_Hote (never written by the
// program, never shown): scheme, host and port, without a path.
inline const QString Hote_Cluster = QStringLiteral("http://dxcluster.velmarin.fr");
inline const QString Cle_Hote = QStringLiteral("Hote Cluster");
// Longest wait for a page, in milliseconds; section "Setup" may give another under Cle_Delai.
constexpr int Delai_Page_Ms = 20000;
inline const QString Cle_Delai = QStringLiteral("Delai Cluster");

// The page address of band index `index`, on the host in force.
QString Adresse_Page(int index);
int Delai_Page();

// Loads the cluster window when needed and shows it without blocking.
void Afficher();
// Forget both windows (tests).
void Detruire_Fenetres();

} // namespace Cluster
