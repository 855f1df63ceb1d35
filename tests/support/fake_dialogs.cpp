#include "support/fake_dialogs.h"

#include <QPrinter>
#include <QtTest>

std::optional<QString> FakeDialogs::prompt(const QString& text, const QString& title,
                                           const QString& defaultAnswer)
{
    prompts.append({text, title, defaultAnswer});
    if (m_answers.isEmpty()) {
        // An unscripted prompt is a test fault; answering Cancel keeps the run going.
        qWarning("FakeDialogs: unscripted prompt \"%s\"", qPrintable(title));
        return std::nullopt;
    }
    return m_answers.takeFirst();
}

void FakeDialogs::message(const QString& text, const QString& title)
{
    messages.append({text, title, QString()});
}

bool FakeDialogs::choosePrinter(QPrinter& printer)
{
    ++printDialogs;
    if (!m_copies)
        return false;
    printer.setCopyCount(*m_copies);
    return true;
}
