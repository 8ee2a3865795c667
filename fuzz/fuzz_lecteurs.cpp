// libFuzzer target of the ADIF and EDI readers: the first byte chooses the reader, the rest
// is the file. Any crash, overflow or undefined behaviour stops the run.
#include "exchange/Adif.h"
#include "exchange/Import.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille == 0)
        return 0;
    const QByteArray fichier(reinterpret_cast<const char*>(donnees) + 1, qsizetype(taille - 1));
    if (donnees[0] & 1) {
        const echange::Conversion c = echange::convertirAdif(fichier);
        for (const QString& l : c.lignes)
            if (l.size() != 199)
                __builtin_trap();
    } else {
        const echange::Conversion c =
            echange::convertirEdi(plateforme::decouperLignes(plateforme::depuisAnsi(fichier)));
        for (const QString& l : c.lignes)
            if (l.size() != 199)
                __builtin_trap();
        echange::bandeDepuisPBand(plateforme::depuisAnsi(fichier.left(40)));
    }
    return 0;
}
