// The yardstick of the start-up bench: a bare Qt main window of the program's size and
// caption, with nothing in it.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("NORVO Precision Measurement Technology"));
    window.resize(895, 615);
    window.show();
    return app.exec();
}
