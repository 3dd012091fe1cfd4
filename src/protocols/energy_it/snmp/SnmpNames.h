#pragma once
// Names the agent's variables may take: what a community name or a description may hold,
// and the object names the MIB module defines itself, which a variable must not take or the
// module would define them twice.

#include <QString>

namespace energy_it {

// True when the text breaks the character rule of its kind: checkType 0 a community name
// (ASCII letters and digits), 1 a description (the same, starting with a lower-case letter).
// An empty text passes.
bool Check_Error_CommName_Desc(const QString& str, int checkType);

// True for an object name of the module's fixed tree ("countin", "bufferinblk3", ...) and
// for the fallback names of its variables and notifications ("bufferinval", "bufferoutval"
// or "trapval" followed by digits).
bool Is_Reserved_MIB_Name(const QString& name);

} // namespace energy_it
