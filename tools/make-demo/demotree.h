#pragma once

#include <QString>

namespace tw::demo {

struct DemoOptions {
    QString targetFolder; // the folder that receives mzh/ and graf/
    QString programPath;  // the program copied to mzh/data/Comp
};

enum class DemoResult { Written, KeptExisting, Failed };

// Writes the complete demo asset tree into options.targetFolder. A folder that already holds mzh/ or
// graf/ is left exactly as it is (KeptExisting): the author's work is never overwritten. On failure the
// reason goes to *error and nothing half-written is left in place.
DemoResult writeDemoTree(const DemoOptions& options, QString* error = nullptr);

} // namespace tw::demo
