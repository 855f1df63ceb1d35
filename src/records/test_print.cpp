#include "records/test_print.h"

#include "platform/dialogs.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace {

const QString kLine = QStringLiteral("打印测试");

QString target(const QPrinter& printer)
{
    if (!printer.outputFileName().isEmpty())
        return QDir::toNativeSeparators(printer.outputFileName());
    if (!printer.printerName().isEmpty())
        return printer.printerName();
    return QStringLiteral("未找到打印机");
}

} // namespace

TestPrint::TestPrint(QPrinter& Printer, Dialogs& dialogs)
    : m_Printer(Printer)
    , m_dialogs(dialogs)
{
}

void TestPrint::print()
{
    if (!m_dialogs.choosePrinter(m_Printer))
        return;
    const int copies = m_Printer.copyCount();
    // The copies are made here, one test page each; the driver must not multiply them again.
    m_Printer.setCopyCount(1);
    if (copies < 1)
        return;

    std::optional<QString> fault;
    if (!m_Printer.outputFileName().isEmpty()) {
        // Documents written to one file would overwrite each other: the copies become its pages.
        fault = printDocument(copies);
    } else {
        for (int copy = 1; copy <= copies && !fault; ++copy)
            fault = printDocument(1);
    }
    if (fault)
        m_dialogs.message(QStringLiteral("打印失败：%1").arg(*fault), QStringLiteral("打印"));
}

std::optional<QString> TestPrint::printDocument(int pages)
{
    QPainter painter;
    if (!painter.begin(&m_Printer))
        return target(m_Printer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !m_Printer.newPage())
            return target(m_Printer); // the painter ends the broken document on its way out
        // The printer's own font and margins.
        painter.drawText(painter.window(), Qt::AlignLeft | Qt::AlignTop, kLine);
    }
    if (!painter.end() || m_Printer.printerState() == QPrinter::Error)
        return target(m_Printer);
    return std::nullopt;
}
