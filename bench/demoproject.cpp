#include "demoproject.h"

#include "make-demo/demotree.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace tw::bench {

const QString& demoProjectRoot() {
    static QTemporaryDir dir;
    static const QString root = demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}) ==
                                        demo::DemoResult::Written
                                    ? dir.path()
                                    : QString();
    return root;
}

} // namespace tw::bench
