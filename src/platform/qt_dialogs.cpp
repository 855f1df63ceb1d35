#include "platform/qt_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

QtDialogs::QtDialogs(QWidget* parent)
    : m_parent(parent)
{
}

std::optional<QString> QtDialogs::prompt(const QString& text, const QString& title,
                                         const QString& defaultAnswer)
{
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("inputPrompt"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(defaultAnswer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtDialogs::message(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

bool QtDialogs::choosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, m_parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    return dialog.exec() == QDialog::Accepted;
}
