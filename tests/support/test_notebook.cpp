#include "test_notebook.h"

#include "core/registers/first_foods.h"

#include "core/text/cp932.h"

#include <QDir>
#include <QFile>

QString testDataDir() { return QStringLiteral(TECHO_TEST_DATA); }
QString sampleNotebookDir() { return QStringLiteral(TECHO_SOURCE_DIR "/sample"); }

QByteArray testDataBytes(const QString &relativePath)
{
    QFile f(testDataDir() + u'/' + relativePath);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(relativePath));
    return f.readAll();
}

TestNotebook::TestNotebook(const QString &from, QDate today) : m_clock(today)
{
    const QString source = from.isEmpty() ? sampleNotebookDir() : from;
    const QStringList names = QDir(source).entryList(QDir::Files);
    for (const QString &name : names)
        QFile::copy(source + u'/' + name, m_dir.path() + u'/' + name);
    for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
        QFile::setPermissions(m_dir.path() + u'/' + name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_notebook = std::make_unique<Notebook>(m_dir.path(), m_clock);
}

void TestNotebook::writeText(const QString &name, const QString &text)
{
    writeBytes(name, cp932::encode(text).bytes);
}

void TestNotebook::writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(name));
    f.write(bytes);
    m_notebook->folder().forgetListing();
}

QByteArray TestNotebook::bytes(const QString &name) const
{
    QFile f(m_notebook->folder().pathOf(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString TestNotebook::text(const QString &name) const { return cp932::decode(bytes(name)); }

void TestNotebook::markFoodsEaten()
{
    QString text;
    for (const first_foods::Food &f : first_foods::startingList())
        text += QStringLiteral("\"%1\",\"2000/01/01\",\"なし\",\"\"\r\n").arg(f.name);
    writeText(first_foods::fileName(), text);
}
