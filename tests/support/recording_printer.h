#pragma once

#include "core/pictures/printer.h"

#include <QList>
#include <QStringList>

// The test double of the printer: records every document, page, text and picture with the
// font, colour and position it was drawn with.
class RecordingPrinter : public Printer
{
public:
    struct Item {
        enum class Kind { Text, Image } kind = Kind::Text;
        QPointF position; // a text's top left corner, mm
        QRectF target;    // a picture's rectangle, mm
        QString text;
        QImage image;
        QFont font;
        QColor color;
    };
    struct Page {
        QList<Item> items;
    };
    struct Document {
        QString name;
        bool landscape = false;
        bool colorOutput = false;
        QSizeF pageSize;
        QList<Page> pages;
        bool ended = false;
    };

    // What begin answers (false: the printer could not start) and end returns.
    bool beginResult = true;
    QString endSentence;
    // The printable area of a portrait page; landscape documents get it turned.
    QSizeF portraitPageMm{190, 277};

    void setLandscape(bool landscape) override { m_landscape = landscape; }
    void setColorOutput(bool color) override { m_colorOutput = color; }
    bool begin(const QString &documentName) override;
    QSizeF pageSizeMm() const override;
    void setFont(const QFont &font) override { m_font = font; }
    void setColor(const QColor &color) override { m_color = color; }
    void drawText(const QPointF &positionMm, const QString &text) override;
    void drawImage(const QRectF &targetMm, const QImage &image) override;
    void newPage() override;
    QString end() override;

    const QList<Document> &documents() const { return m_documents; }
    // Every text of every document, in the order drawn.
    QStringList texts() const;
    // Pages and pictures over all documents.
    int pageCount() const;
    QList<Item> images() const;
    void clear() { m_documents.clear(); }

private:
    Page &currentPage();

    QList<Document> m_documents;
    bool m_landscape = false;
    bool m_colorOutput = false;
    QFont m_font;
    QColor m_color = Qt::black;
};
