#pragma once

#include <QString>

namespace tw {

// The folder of the running program, as QCoreApplication::applicationDirPath() finds it on this system,
// without an application object.
QString programFolder(const char* argv0);

} // namespace tw
