#pragma once

#include <QMessageBox>
#include <QString>

namespace window {

/// The caption of every box the game shows. It is not set as Qt's application display name,
/// which Qt would append to the window's own caption.
inline const QString applicationTitle = QStringLiteral("Quorvane");

/// The modal boxes the game asks and tells through; tests answer them with a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    /// The input box: returns what was typed, or the empty text on Cancel and for blanks alone (no name).
    virtual QString askName(const QString &prompt) = 0;
    /// A message box with one OK button; returns when it is closed.
    virtual void tell(const QString &text) = 0;
};

/// The real boxes, captioned with the application's title.
class MessageBoxDialogs final : public Dialogs
{
public:
    /// `offeredName` stands in the name box, for the child to keep or change.
    explicit MessageBoxDialogs(QString offeredName = {}) : m_offeredName(std::move(offeredName)) {}
    QString askName(const QString &prompt) override;
    void tell(const QString &text) override;

private:
    QString m_offeredName;
};

/// A message box with one OK button, captioned with the application's title, that shows `text`
/// as plain text; returns when it is closed.
void showBox(QMessageBox::Icon icon, const QString &text);

/// Makes Qt's own texts, such as the boxes' standard buttons, Italian whatever the user's locale.
/// Call once the application exists.
void loadItalianTranslation();

} // namespace window
