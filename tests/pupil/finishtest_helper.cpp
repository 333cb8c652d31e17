// One pupil finishing a one-question test in the given program folder, as
// soon as a file "start" appears there; used to finish many tests at once.
#include "kaartquiz.h"
#include "programfolder.h"
#include "resultsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    velmora::ProgramFolder::setPath(args[1]);
    velmora::Plaatsen table;
    table[1] = velmora::Plaats{1, QStringLiteral("s "), 100, 100, QStringLiteral("Oslo")};
    korvel::KaartQuiz quiz(table);
    quiz.open(korvel::KaartQuiz::Test, korvel::Keuze{args[2], QStringLiteral("Europa"), QString(), 1}, 1);
    const QString start = QDir(args[1]).filePath(QStringLiteral("start"));
    while (!QFileInfo::exists(start))
        QThread::usleep(200);
    quiz.clickHotSpot(quiz.plek());
    const auto result = quiz.takeResult();
    if (!result || velmora::ResultsFile::append(velmora::ResultsFile::path(), result->naam, result->kaart,
                                                result->niveau, result->gedaan, result->goed))
        return 1;
    const bool ended = quiz.Mode() == korvel::KaartQuiz::Ended;
    return ended && quiz.status().endsWith(QStringLiteral("klaar met de toets!")) ? 0 : 1;
}
