#pragma once

#include <QString>
#include <optional>

class QPrinter;

// The modal dialogs the handlers use. The panel shows Qt's; tests answer from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal input prompt. The typed text on OK; nothing on Cancel.
    virtual std::optional<QString> prompt(const QString& text, const QString& title,
                                          const QString& defaultAnswer) = 0;

    // A modal message box with an OK button only and no icon.
    virtual void message(const QString& text, const QString& title) = 0;

    // The modal print dialog for this printer; false on Cancel.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};
