#include "window/app/dialogs.h"

#include "records/store/namerule.h"
#include "records/store/recordconstants.h"

#include <QApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QTranslator>
#include <QValidator>

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

/// The name a record can keep: the service refuses the rest, so the box refuses them first and an honest record is
/// never lost to the rule. Blanks alone stay possible while typing (the first key of " Anna"), and are no name.
class NameValidator final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        if (!records::store::nameProblem(input.toStdString()))
            return Acceptable;
        return input.trimmed().isEmpty() ? Intermediate : Invalid;
    }
};

/// `name`, or no name when the record could not keep it.
QString keptName(const QString &name)
{
    return records::store::nameProblem(name.toStdString()) ? QString() : name;
}

} // namespace

QString MessageBoxDialogs::askName(const QString &prompt)
{
    QInputDialog box(boxOwner());
    box.setWindowTitle(applicationTitle);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    auto *field = box.findChild<QLineEdit *>();
    field->setMaxLength(int(records::store::longestLine));
    field->setValidator(new NameValidator(field));
    // The validator judges edits only: an offered name that breaks the rule would leave no edit but clearing it.
    box.setTextValue(keptName(m_offeredName));
    return box.exec() == QDialog::Accepted ? keptName(box.textValue()) : QString();
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
