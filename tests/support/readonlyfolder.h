#pragma once

#include <QString>

// Makes a folder and its files unwritable while it lives, also for root (who
// ignores permission bits) by setting the immutable attribute. ok() tells
// whether that worked on this file system.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = false;
};
