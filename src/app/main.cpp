#include "app/QzEMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnet"));
    TQzEMain window;
    window.show();
    return app.exec();
}
