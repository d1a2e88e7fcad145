#pragma once

#include "core/book/notebook.h"
#include "core/notebook/diary_files.h"
#include "core/recipes/recipe_files.h"
#include "core/files/clock.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A notebook in a temporary folder: a copy of the sample notebook (or of a folder of
// tests/data), with a clock the test sets.
class TestNotebook
{
public:
    // from: a folder to copy, "" for the sample notebook; today: the clock's date.
    explicit TestNotebook(const QString &from = QString(), QDate today = QDate(2026, 12, 6));

    Notebook &notebook() { return *m_notebook; }
    FixedClock &clock() { return m_clock; }
    QString dir() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.path() + u'/' + name; }

    // Writes a file of the folder from text (encoded CP932) or raw bytes.
    void writeText(const QString &name, const QString &text);
    void writeBytes(const QString &name, const QByteArray &bytes);
    QByteArray bytes(const QString &name) const;
    // はじめての食材 with every food of the starting list eaten: cooking offers none.
    void markFoodsEaten();
    // The file decoded from CP932.
    QString text(const QString &name) const;

private:
    QTemporaryDir m_dir;
    FixedClock m_clock;
    std::unique_ptr<Notebook> m_notebook;
};

// Test data folder (tests/data) and the sample notebook.
QString testDataDir();
QString sampleNotebookDir();
// A file of tests/data.
QByteArray testDataBytes(const QString &relativePath);
