// The copy of the program that CrashedCopyDoesNotBlockALaterStart kills: it takes the single
// instance in the folder named by its argument, says so on its exit status if it cannot, and
// otherwise dies without any clean-up, leaving its lock and socket behind. A program of its own,
// so that it never shows up among the tests.
#include "ui/app/CSingleInstance.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    CSingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (instance.claim() != CSingleInstance::Claim::First)
        return 3;
    if (!instance.listen())
        return 4;
    std::raise(SIGKILL);
    return 5;
}
