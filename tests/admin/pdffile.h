#pragma once

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A printed PDF as the poppler tools see it.
namespace pdffile {

// The standard output of a finished tool; empty when it failed.
inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool done = process.waitForFinished(60000) && process.exitCode() == 0;
    return done ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// The text of each page, laid out as on the page; none when the file is no readable PDF.
inline QStringList pageTexts(const QString& path)
{
    QStringList texts =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}).split(u'\f');
    texts.removeLast(); // what follows the last page's form feed
    return texts;
}

// One page (from 1) as a picture at `dpi` dots per inch.
inline QImage pageImage(const QString& path, int page, int dpi)
{
    QTemporaryDir dir;
    const QString p = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), p, QStringLiteral("-l"), p,
         QStringLiteral("-png"), QStringLiteral("-singlefile"), path, dir.filePath(QStringLiteral("page"))});
    return QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
}

} // namespace pdffile
