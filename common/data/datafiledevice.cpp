#include "datafiledevice.h"

namespace velmora {

std::variant<std::unique_ptr<DataFileDevice>, DataError> DataFileDevice::open(const QString& path,
                                                                              qint64 limit)
{
    auto opened = DataFile::open(path, limit);
    if (auto* refused = std::get_if<DataError>(&opened))
        return *refused;
    std::unique_ptr<DataFileDevice> device(new DataFileDevice(std::move(std::get<DataFile::Opened>(opened))));
    device->QIODevice::open(QIODevice::ReadOnly);
    return device;
}

DataFileDevice::DataFileDevice(DataFile::Opened opened) : m_file(std::move(opened.file)), m_size(opened.size)
{
}

bool DataFileDevice::seek(qint64 pos)
{
    if (pos > m_size || !QIODevice::seek(pos))
        return false;
    m_next = pos;
    return true;
}

qint64 DataFileDevice::readData(char* data, qint64 maxSize)
{
    const auto read = m_file.readAt(m_next, data, std::min(maxSize, m_size - m_next));
    if (auto* failure = std::get_if<PlatformFile::Failure>(&read)) {
        setErrorString(failure->text);
        return -1;
    }
    m_next += std::get<qint64>(read);
    return std::get<qint64>(read);
}

} // namespace velmora
