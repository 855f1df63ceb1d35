#include "panel/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("duravel-panel"));
    MainWindow window;
    window.show();
    return QApplication::exec();
}
