#include "fuzzcheck.h"

#include "mapfile.h"
#include "plaatsen.h"

#include <QBuffer>

#include <variant>

using velmora::MapFile;
using velmora::Plaats;

// Any bytes as a .krt file: the reader answers with items or an error; a map
// it accepts fills the table, and whatever the writer then writes reads back
// with the same items.
static int fuzzMapFile(const std::uint8_t* data, std::size_t size)
{
    static velmora::Plaatsen table;
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    const MapFile::ReadResult result = MapFile::read(buffer, QStringLiteral("fuzz.krt"));
    const auto* contents = std::get_if<MapFile::Contents>(&result);
    if (!contents)
        return 0;
    FUZZ_CHECK(contents->items.size() <= velmora::Plaatsen::Capacity);
    FUZZ_CHECK(MapFile::fill(*contents, table) == contents->items.size());

    const auto formatted = MapFile::format(contents->picture, contents->items, QStringLiteral("fuzz.krt"));
    const auto* written = std::get_if<QByteArray>(&formatted);
    if (!written)
        return 0;
    QByteArray copy = *written;
    QBuffer second(&copy);
    const MapFile::ReadResult reread = MapFile::read(second, QStringLiteral("fuzz.krt"));
    const auto* back = std::get_if<MapFile::Contents>(&reread);
    FUZZ_CHECK(back != nullptr);
    FUZZ_CHECK(back->picture == contents->picture);

    QList<Plaats> kept;
    for (int level = 1; level <= 3; ++level) {
        for (const Plaats& item : contents->items) {
            if (item.Niveau == level)
                kept.append(item);
        }
    }
    FUZZ_CHECK(back->items.size() == kept.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        FUZZ_CHECK(back->items[i].Niveau == kept[i].Niveau);
        FUZZ_CHECK(back->items[i].Top == kept[i].Top);
        FUZZ_CHECK(back->items[i].Left == kept[i].Left);
        FUZZ_CHECK(back->items[i].Soort.trimmed() == kept[i].Soort.trimmed());
        FUZZ_CHECK(back->items[i].Naam == kept[i].Naam.trimmed());
    }
    return 0;
}

FUZZ_ENTRY("mapfile", fuzzMapFile)
