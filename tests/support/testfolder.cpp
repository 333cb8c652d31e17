#include "testfolder.h"

#include "programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestFolder::TestFolder()
{
    velmora::ProgramFolder::setPath(m_dir.path());
}

TestFolder::~TestFolder()
{
    velmora::ProgramFolder::setPath({});
}

QString TestFolder::file(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

bool TestFolder::exists(const QString& name) const
{
    return QFileInfo::exists(file(name));
}
