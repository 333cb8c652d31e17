#include "platformfile.h"

#include <utility>

// What every system's version shares: owning one handle. The calls
// themselves are in platformfile_posix.cpp and platformfile_windows.cpp.
namespace velmora {

PlatformFile::PlatformFile(PlatformFile&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

PlatformFile& PlatformFile::operator=(PlatformFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, -1);
    }
    return *this;
}

PlatformFile::~PlatformFile()
{
    close();
}

bool PlatformFile::isOpen() const
{
    return m_handle != -1;
}

} // namespace velmora
