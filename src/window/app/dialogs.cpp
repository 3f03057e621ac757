#include "window/app/dialogs.h"

#include "records/store/recordconstants.h"

#include <QApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QTranslator>

namespace window {

QString MessageBoxDialogs::askName(const QString &prompt)
{
    QInputDialog box(QApplication::activeWindow());
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
    QMessageBox box(icon, applicationTitle, text, QMessageBox::Ok, QApplication::activeWindow());
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
