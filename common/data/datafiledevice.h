#pragma once

#include "datafile.h"

#include <QIODevice>

#include <memory>

namespace velmora {

// A data file for readers that take a QIODevice (the picture decoder): read
// as it is decoded, never copied whole into memory first, and refused as
// DataFile refuses it. Reads stop at the size the file had when it opened.
class DataFileDevice : public QIODevice
{
public:
    static std::variant<std::unique_ptr<DataFileDevice>, DataError> open(const QString& path, qint64 limit);

    qint64 size() const override { return m_size; }
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    explicit DataFileDevice(DataFile::Opened opened);

    PlatformFile m_file;
    qint64 m_size;
    qint64 m_next = 0; // where the next read starts; QIODevice buffers ahead of pos()
};

} // namespace velmora
