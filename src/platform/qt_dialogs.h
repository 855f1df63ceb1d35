#pragma once

#include "platform/dialogs.h"

class QWidget;

// Qt's input dialog, message box and print dialog, modal over the given window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent);

    std::optional<QString> prompt(const QString& text, const QString& title,
                                  const QString& defaultAnswer) override;
    void message(const QString& text, const QString& title) override;
    bool choosePrinter(QPrinter& printer) override;

private:
    QWidget* m_parent;
};
