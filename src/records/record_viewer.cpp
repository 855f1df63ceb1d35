#include "records/record_viewer.h"

#include "panel/artwork.h"
#include "panel/twips.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A line ends at CR LF (a bare LF is taken as well); a last line without a line end runs to the
// end of the file. A file that ends with a line end has no empty line after it.
QByteArray lastLine(QByteArray text)
{
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.endsWith('\r'))
        text.chop(1);
    return text.sliced(text.lastIndexOf('\n') + 1);
}

QPushButton* makeButton(const char* name, const char* caption, QRect place, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

} // namespace

RecordViewer::RecordViewer(QString path, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_path(std::move(path))
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("泵启动和停止时间记录"));
    setWindowIcon(artwork::windowIcon());
    setFixedSize(twipsRect(0, 0, 8670, 5070).size());

    // Made in tab order: Command1, Command2, Text1.
    m_Command1 = makeButton("Command1", "退出", twipsRect(7560, 4560, 735, 375), this);
    m_Command2 = makeButton("Command2", "读取", twipsRect(6120, 4560, 855, 375), this);
    m_Text1 = new QLineEdit(this);
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_Text1->setGeometry(twipsRect(1080, 960, 5895, 2055));
    setTabOrder(m_Command1, m_Command2);
    setTabOrder(m_Command2, m_Text1);

    connect(m_Command1, &QPushButton::clicked, this, &RecordViewer::exit);
    connect(m_Command2, &QPushButton::clicked, this, &RecordViewer::load);
}

void RecordViewer::load()
{
    QFile file(m_path);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        const QString detail = QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(m_path), file.errorString());
        m_dialogs.message(QStringLiteral("记录文件无法读取：%1").arg(detail), QStringLiteral("读取记录"));
        return;
    }
    m_Text1->setText(QString::fromLatin1(lastLine(std::move(text))));
}

void RecordViewer::exit()
{
    emit showMainWindow();
    hide();
}
