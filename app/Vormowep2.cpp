#include "Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    vormo::prepareApplication();
    return vormo::runApplication();
}
