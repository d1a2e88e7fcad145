#include "recording_printer.h"

bool RecordingPrinter::begin(const QString &documentName)
{
    const bool landscape = m_landscape;
    m_landscape = false;
    const bool color = m_colorOutput;
    m_colorOutput = false;
    if (!beginResult)
        return false;
    Document d;
    d.name = documentName;
    d.landscape = landscape;
    d.colorOutput = color;
    d.pageSize = landscape ? portraitPageMm.transposed() : portraitPageMm;
    d.pages.append(Page());
    m_documents.append(d);
    return true;
}

QSizeF RecordingPrinter::pageSizeMm() const
{
    if (!m_documents.isEmpty() && !m_documents.last().ended)
        return m_documents.last().pageSize;
    return m_landscape ? portraitPageMm.transposed() : portraitPageMm;
}

RecordingPrinter::Page &RecordingPrinter::currentPage()
{
    if (m_documents.isEmpty() || m_documents.last().ended)
        qFatal("RecordingPrinter: drawing outside a document");
    return m_documents.last().pages.last();
}

void RecordingPrinter::drawText(const QPointF &positionMm, const QString &text)
{
    Item item;
    item.kind = Item::Kind::Text;
    item.position = positionMm;
    item.text = text;
    item.font = m_font;
    item.color = m_color;
    currentPage().items.append(item);
}

void RecordingPrinter::drawImage(const QRectF &targetMm, const QImage &image)
{
    Item item;
    item.kind = Item::Kind::Image;
    item.target = targetMm;
    item.image = image;
    item.font = m_font;
    item.color = m_color;
    currentPage().items.append(item);
}

void RecordingPrinter::newPage()
{
    currentPage();
    m_documents.last().pages.append(Page());
}

QString RecordingPrinter::end()
{
    if (!m_documents.isEmpty())
        m_documents.last().ended = true;
    return endSentence;
}

QStringList RecordingPrinter::texts() const
{
    QStringList t;
    for (const Document &d : m_documents)
        for (const Page &p : d.pages)
            for (const Item &i : p.items)
                if (i.kind == Item::Kind::Text)
                    t.append(i.text);
    return t;
}

int RecordingPrinter::pageCount() const
{
    int n = 0;
    for (const Document &d : m_documents)
        n += int(d.pages.size());
    return n;
}

QList<RecordingPrinter::Item> RecordingPrinter::images() const
{
    QList<Item> all;
    for (const Document &d : m_documents)
        for (const Page &p : d.pages)
            for (const Item &i : p.items)
                if (i.kind == Item::Kind::Image)
                    all.append(i);
    return all;
}
