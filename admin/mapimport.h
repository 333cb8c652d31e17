#pragma once

#include "dataerror.h"

#include <QList>
#include <QString>

#include <optional>

namespace korveladmin {

// Bringing a map the teacher chose (a map file, or a bare picture that gets a
// new one-line map file beside it) into the program folder. No dialogs here:
// the register asks the questions and shows the messages.
class MapImport
{
public:
    enum class Source { MapFile, Picture, Other };

    // A file that is about to be copied into the program folder.
    struct Copy
    {
        QString from;
        QString to;
        // An existing file of that name with other contents would be lost.
        bool replacesOther = false;
    };

    explicit MapImport(const QString& chosenPath);

    Source source() const { return m_source; }
    QString chosenName() const;
    // The map file's name: the chosen one's, or for a picture the one beside it.
    QString mapFileName() const;
    // The map file's name without its last four characters.
    QString proposedName() const;

    // Why the map file's name cannot go into a database record, if it cannot.
    std::optional<QString> mapFileNameProblem() const;

    // For a picture: whether a map file of that name already lies beside it.
    bool mapFileExists() const;
    std::optional<velmora::DataError> writeNewMapFile() const;

    // Reads the map file and finds its picture beside it. An empty picture
    // path (with no error) means the picture is not there; pictureName()
    // then says what the map file named.
    std::optional<velmora::DataError> readMapFile();
    QString pictureName() const { return m_pictureName; }
    QString picturePath() const { return m_picturePath; }

    // The copies that bring map file and picture into the program folder;
    // none when they lie there already. Identical files are not copied again.
    QList<Copy> copiesIntoProgramFolder() const;
    // Stops at the first copy that fails.
    static std::optional<velmora::DataError> perform(const QList<Copy>& copies);

    static bool sameFolder(const QString& a, const QString& b);

private:
    QString m_chosenPath;
    Source m_source = Source::Other;
    QString m_mapFilePath;
    QString m_pictureName;
    QString m_picturePath;
};

} // namespace korveladmin
