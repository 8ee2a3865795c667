#include "station/Retenue_Actions.h"

#include "platform/Dialogues.h"

namespace station {

namespace {
int g_retenues = 0;
} // namespace

Retenue_Actions::Retenue_Actions()
{
    ++g_retenues;
}

Retenue_Actions::~Retenue_Actions()
{
    --g_retenues;
}

bool Actions_Retenues()
{
    return g_retenues > 0;
}

QString Message_Actions_Retenues()
{
    return QStringLiteral("Une mise a jour des fichiers de la station est en cours.\r\n"
                          "Attendez qu'elle soit terminée, puis recommencez.");
}

bool Action_Permise()
{
    if (!Actions_Retenues())
        return true;
    plateforme::MsgBox(Message_Actions_Retenues());
    return false;
}

} // namespace station
