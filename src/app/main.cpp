#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Varnet");
    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8("無題－Varnet"));
    window.resize(592, 374);
    window.show();
    return app.exec();
}
