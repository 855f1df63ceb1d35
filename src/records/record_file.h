#pragma once

#include <QString>

class Dialogs;
class RecordList;

// Where the record file lives: "d:\mytext.txt" on Windows, mytext.txt in the home folder elsewhere.
QString defaultRecordPath();

// The save command: the record list into the record file, five value texts to a line.
class RecordFile {
public:
    RecordFile(QString path, const RecordList& savelist, Dialogs& dialogs);

    // Replaces the whole file, or leaves the old one untouched when the new one cannot be written.
    void save();

private:
    QString m_path;
    const RecordList& m_savelist;
    Dialogs& m_dialogs;
};
