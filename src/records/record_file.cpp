#include "records/record_file.h"

#include "platform/dialogs.h"
#include "records/record_list.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <charconv>

namespace {

const QString kTitle = QStringLiteral("存储数据");
constexpr int kValuesPerLine = 5;
// The longest number text is 22 characters, such as "-1.23456789012345E-308".
constexpr std::size_t kNumberRoom = 24;
// A blank or sign before the number, a blank after it, and a line end.
constexpr std::size_t kValueRoom = 1 + kNumberRoom + 1 + 2;
constexpr std::size_t kBlockSize = 64 * 1024;

// One sign position (a blank or "-"), the value to 15 significant digits as "%.15G" writes it,
// then a blank. Returns the end of the text.
char* writeValue(char* out, double value)
{
    // -0.0 is not negative: adding +0.0 turns it into +0.0 and leaves every other value alone.
    value += 0.0;
    if (!(value < 0))
        *out++ = ' ';
    char* const digits = out;
    out = std::to_chars(out, out + kNumberRoom, value, std::chars_format::general, 15).ptr;
    std::replace(digits, out, 'e', 'E');
    *out++ = ' ';
    return out;
}

// Formats the values into one fixed block and hands each full block to the file, so the list
// is never copied and no value costs an allocation.
class BlockWriter {
public:
    explicit BlockWriter(QSaveFile& file)
        : m_file(file)
    {
    }

    void value(double value)
    {
        if (m_end + kValueRoom > m_block.data() + m_block.size())
            flush();
        m_end = writeValue(m_end, value);
        if (++m_written % kValuesPerLine == 0) {
            *m_end++ = '\r';
            *m_end++ = '\n';
        }
    }

    void flush()
    {
        m_file.write(m_block.data(), m_end - m_block.data());
        m_end = m_block.data();
    }

private:
    QSaveFile& m_file;
    std::array<char, kBlockSize> m_block;
    char* m_end = m_block.data();
    qint64 m_written = 0;
};

} // namespace

QString defaultRecordPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("d:/mytext.txt");
#else
    return QDir::home().filePath(QStringLiteral("mytext.txt"));
#endif
}

RecordFile::RecordFile(QString path, const RecordList& savelist, Dialogs& dialogs)
    : m_path(std::move(path))
    , m_savelist(savelist)
    , m_dialogs(dialogs)
{
}

void RecordFile::save()
{
    // QSaveFile writes beside the record file and renames over it only when all went well.
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        BlockWriter writer(file);
        const RecordList::Runs runs = m_savelist.inOrder();
        for (const auto run : {runs.older, runs.newer})
            for (double value : run)
                writer.value(value);
        writer.flush();
        if (file.commit()) {
            m_dialogs.message(QStringLiteral("当前压力数值以存储"), kTitle);
            return;
        }
    }
    const QString detail = QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(m_path), file.errorString());
    m_dialogs.message(QStringLiteral("记录文件无法保存：%1").arg(detail), kTitle);
}
