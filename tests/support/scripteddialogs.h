#pragma once

#include "window/app/dialogs.h"

#include <QStringList>
#include <functional>

/// Answers the input box with a given name and keeps every message it was shown.
class ScriptedDialogs final : public window::Dialogs
{
public:
    QString askName(const QString &prompt) override
    {
        prompts.append(prompt);
        return name;
    }
    void tell(const QString &text) override
    {
        messages.append(text);
        if (whileTelling)
            whileTelling(text);
    }

    QString name;
    QStringList prompts;
    QStringList messages;
    /// Runs while a message box is open, as other events could.
    std::function<void(const QString &)> whileTelling;
};
