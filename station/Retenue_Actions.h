#pragma once
// Actions held while a long operation on the station's files runs.
//
// The rebuilds of the award status files and the log load yield to the event loop so that the
// program stays responsive. Meanwhile nothing else may write the same files: a save, an
// import, a reset, a QSL mark or another rebuild started then would be silently undone by the
// later write of the one running. The operation takes a `Retenue_Actions` for its whole run
// (and shows its progress window modally, so the operator cannot start anything from the
// windows); every action that writes the station's files asks `Action_Permise()` first.
#include <QString>

namespace station {

// Holds the actions from construction to destruction. Holds nest: an import that holds the
// actions may run the rebuilds, which hold them too.
class Retenue_Actions {
public:
    Retenue_Actions();
    ~Retenue_Actions();
    Retenue_Actions(const Retenue_Actions&) = delete;
    Retenue_Actions& operator=(const Retenue_Actions&) = delete;
};

// True while at least one hold is alive.
bool Actions_Retenues();

// The message shown to an action that would start while the actions are held.
QString Message_Actions_Retenues();

// For the start of an action: true when it may run; otherwise shows the message above and
// returns false (the action then does nothing).
bool Action_Permise();

} // namespace station
