#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// A printed PDF as the poppler tools see it: pages, text, page pictures.
class PdfFile
{
public:
    explicit PdfFile(const QString& path) : m_path(path) {}

    // -1 when the file is no readable PDF.
    int pages() const;
    // Paper size in points; empty when unreadable.
    QSizeF pageSize() const;
    // The text of each page, laid out as on the page.
    QStringList pageTexts() const;
    // One page (from 1) as a picture at `dpi` dots per inch.
    QImage pageImage(int page, int dpi) const;

    // The standard output of a finished tool; empty when it failed.
    static QString run(const QString& program, const QStringList& arguments);

private:
    QString m_path;
};
