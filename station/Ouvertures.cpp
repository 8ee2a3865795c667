#include "station/Ouvertures.h"

#include <QHash>

namespace ouvertures {

namespace {

QHash<QString, std::function<void()>>& table()
{
    static QHash<QString, std::function<void()>> t;
    return t;
}

} // namespace

void definir(const QString& fenetre, std::function<void()> ouvrir)
{
    if (ouvrir)
        table().insert(fenetre, std::move(ouvrir));
    else
        table().remove(fenetre);
}

bool existe(const QString& fenetre)
{
    return table().contains(fenetre);
}

bool ouvrir(const QString& fenetre)
{
    const auto it = table().constFind(fenetre);
    if (it == table().constEnd())
        return false;
    const std::function<void()> f = it.value();
    f();
    return true;
}

} // namespace ouvertures
