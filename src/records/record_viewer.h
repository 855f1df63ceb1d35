#pragma once

#include <QWidget>

class Dialogs;
class QLineEdit;
class QPushButton;

// The record viewer: shows the record file's last line.
class RecordViewer : public QWidget {
    Q_OBJECT
public:
    RecordViewer(QString path, Dialogs& dialogs, QWidget* parent = nullptr);

    // Load (Command2): Text1 takes the file's last line, or the empty text for an empty file.
    void load();
    // Exit (Command1): the main window is shown first, then this window hides; it stays loaded.
    void exit();

signals:
    void showMainWindow();

private:
    QString m_path;
    Dialogs& m_dialogs;
    QPushButton* m_Command1;
    QPushButton* m_Command2;
    QLineEdit* m_Text1;
};
