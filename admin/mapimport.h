#pragma once

#include "dataerror.h"

#include <QSize>
#include <QString>

#include <optional>
#include <variant>

namespace korveladmin {

// Bringing a map the teacher chose (a map file, or a bare picture that gets a
// new one-line map file) into the program folder. It writes only there, and
// never over a map file: a new map file takes a free name. No dialogs here:
// the register asks the questions and shows the messages.
class MapImport
{
public:
    enum class Source { MapFile, Picture, Other };

    explicit MapImport(const QString& chosenPath);

    Source source() const { return m_source; }
    QString chosenName() const;
    // The map file's name: the chosen one's, or for a picture its name with ".krt".
    QString mapFileName() const;
    // The map file's name without its last four characters.
    QString proposedName() const;

    // Why the map file's name cannot go into a database record, if it cannot.
    std::optional<QString> mapFileNameProblem() const;

    // For a picture: the map file of that name already in the program folder
    // (empty when there is none), and the free name a new one would take.
    QString existingMapFile() const;
    QString freeMapFileName() const;
    // Adds that existing map file as it is, instead of a new one.
    void useExistingMapFile();

    // Reads the map file and finds its picture beside it. An empty picture
    // path (with no error) means the picture is not there; pictureName()
    // then says what the map file named.
    std::optional<velmora::DataError> readMapFile();
    QString pictureName() const { return m_pictureName; }
    QString picturePath() const { return m_picturePath; }

    // The picture's size when it is larger than a map file can hold items on.
    std::optional<QSize> pictureTooLarge() const;
    static int maxPicturePixels();

    // Whether copying the picture in would replace another file of its name.
    bool pictureReplacesOther() const;
    // Copies the picture in and, unless the map file lies in the program
    // folder already (or an identical one does), creates it there under a
    // free name. The name of the map file to register, or why not.
    std::variant<QString, velmora::DataError> perform() const;

private:
    bool inProgramFolder() const;
    QString pictureTarget() const;

    QString m_chosenPath;
    Source m_source = Source::Other;
    QString m_mapFilePath;
    QString m_pictureName;
    QString m_picturePath;
};

} // namespace korveladmin
