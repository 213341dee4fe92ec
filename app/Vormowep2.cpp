#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vormo Weapon Plugin Maker"));
    QApplication::setApplicationVersion(QStringLiteral("1.3.1.2"));
    return 0;
}
