// A second floor for the start-up benchmark: a Qt program that only asks a name, as the game's first window does.
// The gap between it and the bare window is what the input dialog itself costs.

#include <QApplication>
#include <QInputDialog>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QInputDialog::getText(nullptr, QStringLiteral("Quorvane"), QStringLiteral("Come ti chiami?"));
    return 0;
}
