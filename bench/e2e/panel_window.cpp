// The panel's own start-up, as its main() runs it, with the first paint reported.
#include "first_paint.h"
#include "panel/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("duravel-panel"));
    MainWindow window;
    FirstPaint firstPaint(window);
    window.show();
    return QApplication::exec();
}
