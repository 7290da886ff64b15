#pragma once

#include <QString>

namespace tw::bench {

// The demo project, written once into a temporary folder for all benchmarks of the run and read only by
// them. Empty when it could not be written.
const QString& demoProjectRoot();

} // namespace tw::bench
