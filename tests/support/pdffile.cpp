#include "pdffile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QTemporaryDir>

QString PdfFile::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfFile::pages() const
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(run(QStringLiteral("pdfinfo"), {m_path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QSizeF PdfFile::pageSize() const
{
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                           .match(run(QStringLiteral("pdfinfo"), {m_path}));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

QStringList PdfFile::pageTexts() const
{
    QStringList texts =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), m_path, QStringLiteral("-")})
            .split(u'\f');
    if (!texts.isEmpty() && texts.last().trimmed().isEmpty())
        texts.removeLast();
    return texts;
}

QImage PdfFile::pageImage(int page, int dpi) const
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QString p = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), p, QStringLiteral("-l"), p,
         QStringLiteral("-png"), QStringLiteral("-singlefile"), m_path, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}
