#pragma once

#include <QString>
#include <optional>

class Dialogs;
class QPrinter;

// The test print: the print dialog, then one page with the line "打印测试" for each copy.
class TestPrint {
public:
    TestPrint(QPrinter& Printer, Dialogs& dialogs);

    // Cancel ends it silently; a printer that fails is reported, the copies already sent stay sent.
    void print();

private:
    // One document of this many test pages; the printer's name or file when it fails.
    std::optional<QString> printDocument(int pages);

    QPrinter& m_Printer;
    Dialogs& m_dialogs;
};
