#include "app/ProgramEntry.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // Run mode 2 depends on the name the program was started under, not on the resolved link.
    const QString invokedAs = QString::fromLocal8Bit(argv[0]);
    return sondex::ProgramEntry(arguments, invokedAs).run(app);
}
