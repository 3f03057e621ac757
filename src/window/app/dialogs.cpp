#include "window/app/dialogs.h"

#include "records/store/recordconstants.h"

#include <QApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QTranslator>

#include <algorithm>

namespace window {
namespace {

/// The window a box belongs to: the active one, or else the game window once it shows. A compositor that places
/// windows itself (Wayland) keeps a box with its owner, above it, and may activate no window at all; a box that
/// belongs to none would land anywhere, away from the game.
QWidget *boxOwner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto game = std::find_if(windows.cbegin(), windows.cend(), [](const QWidget *w) {
        return w->isVisible() && qobject_cast<const QMainWindow *>(w);
    });
    return game == windows.cend() ? nullptr : *game;
}

} // namespace

QString MessageBoxDialogs::askName(const QString &prompt)
{
    QInputDialog box(boxOwner());
    box.setWindowTitle(applicationTitle);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.findChild<QLineEdit *>()->setMaxLength(int(records::store::longestLine));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

void MessageBoxDialogs::tell(const QString &text)
{
    showBox(QMessageBox::Information, text);
}

void showBox(QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, applicationTitle, text, QMessageBox::Ok, boxOwner());
    // A name or a file's content is shown as it is: never read as markup, blanks kept.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void loadItalianTranslation()
{
    auto *italian = new QTranslator(qApp);
    if (italian->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(italian);
    else
        qWarning("quorvane: Qt's Italian translation is missing; the boxes' standard buttons read English");
}

} // namespace window
