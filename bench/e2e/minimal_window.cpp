// The yardstick for the panel's start-up: the least a Qt Widgets window that shows a line of
// text needs, built and measured the same way as the panel.
#include "first_paint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(727, 522);
    FirstPaint firstPaint(window);
    window.show();
    return QApplication::exec();
}
