#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Dialogs for tests: prompts answered from a script, everything shown recorded.
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        QString defaultAnswer; // prompts only
    };

    // The next prompt's answer; nothing stands for Cancel.
    void answer(std::optional<QString> reply) { m_answers.append(std::move(reply)); }
    // What the print dialog will do: accept with this many copies, or cancel.
    void printCopies(std::optional<int> copies) { m_copies = copies; }

    std::optional<QString> prompt(const QString& text, const QString& title,
                                  const QString& defaultAnswer) override;
    void message(const QString& text, const QString& title) override;
    bool choosePrinter(QPrinter& printer) override;

    QList<Shown> prompts;
    QList<Shown> messages;
    int printDialogs = 0;

private:
    QList<std::optional<QString>> m_answers;
    std::optional<int> m_copies;
};
