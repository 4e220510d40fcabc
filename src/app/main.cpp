#include "app/ProgramEntry.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) then fails the write, which the recorder
    // handles as a full disk, rather than killing it mid-take.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // Run mode 2 depends on the name the program was started under, not on the resolved link.
    const QString invokedAs = QString::fromLocal8Bit(argv[0]);
    return sondex::ProgramEntry(arguments, invokedAs).run(app);
}
