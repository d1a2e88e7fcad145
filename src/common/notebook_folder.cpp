#include "common/notebook_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

NotebookFolder::NotebookFolder(const QString &dir) : m_dir(dir) {}

QString NotebookFolder::findCaseInsensitive(const QString &bareName) const
{
    // The listing is cached and refreshed when the folder changes: a folder of thousands of
    // photos is not listed again for every picture that a day does not have.
    QFileInfo dirInfo(m_dir);
    QDateTime stamp = dirInfo.lastModified();
    if (!m_listingStamp.isValid() || stamp != m_listingStamp) {
        m_lowerToActual.clear();
        const QStringList names = QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &name : names)
            m_lowerToActual.insert(name.toLower(), name);
        m_listingStamp = stamp;
    }
    return m_lowerToActual.value(bareName.toLower());
}

QString NotebookFolder::pathOf(const QString &bareName) const
{
    const QString exact = m_dir + u'/' + bareName;
    if (QFileInfo::exists(exact))
        return exact;
    const QString actual = findCaseInsensitive(bareName);
    if (!actual.isEmpty() && QFileInfo::exists(m_dir + u'/' + actual))
        return m_dir + u'/' + actual;
    return exact;
}

bool NotebookFolder::exists(const QString &bareName) const { return QFileInfo::exists(pathOf(bareName)); }

QByteArray NotebookFolder::readAll(const QString &bareName, bool *ok) const
{
    QFile f(pathOf(bareName));
    if (!f.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return f.readAll();
}

bool NotebookFolder::save(const QString &bareName, const QByteArray &bytes, QString *error) const
{
    QSaveFile f(pathOf(bareName));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    forgetListing();
    return true;
}

bool NotebookFolder::append(const QString &bareName, const QByteArray &bytes, QString *error) const
{
    QFile f(pathOf(bareName));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append) || f.write(bytes) != bytes.size() || !f.flush()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    forgetListing();
    return true;
}

bool NotebookFolder::endsWithLineBreak(const QString &bareName) const
{
    QFile f(pathOf(bareName));
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
        return true;
    char last = 0;
    return f.seek(f.size() - 1) && f.getChar(&last) && (last == '\n' || last == '\r');
}

QString NotebookFolder::keepBackup(const QString &bareName, const QDateTime &now) const
{
    const QString source = pathOf(bareName);
    const QString name = QFileInfo(source).fileName() + u'.' +
                         now.toString(QStringLiteral("yyyyMMdd-hhmmss")) + QStringLiteral(".bak");
    QString target = m_dir + u'/' + name;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_dir + u'/' + name + u'.' + QString::number(n);
    if (!QFile::copy(source, target))
        return {};
    forgetListing();
    return QFileInfo(target).fileName();
}
