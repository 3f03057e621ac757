#include "window/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace window {

QString MessageBoxDialogs::askName(const QString &prompt)
{
    return QInputDialog::getText(QApplication::activeWindow(), applicationTitle, prompt);
}

void MessageBoxDialogs::tell(const QString &text)
{
    QMessageBox::information(QApplication::activeWindow(), applicationTitle, text);
}

} // namespace window
