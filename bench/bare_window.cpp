// The floor of the start-up benchmark: the smallest Qt Widgets program that puts a window on screen.

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(320, 240);
    window.show();
    return app.exec();
}
