#include "kaartquiz.h"

#include "resultsfile.h"

#include <QRandomGenerator>

namespace korvel {
namespace {

const QString Ostrik = QStringLiteral("Ostrik Brelloven");

QString openingStatus(const QString& name)
{
    if (name == Ostrik)
        return QStringLiteral("Ostrik Brelletje");
    if (name == u"Harmo Dulvers")
        return QStringLiteral("Harmo 'The Creator' Dulvers");
    return name;
}

} // namespace

KaartQuiz::KaartQuiz(const velmora::Plaatsen& plaatsen)
    : m_plaatsen(plaatsen), m_random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); })
{
}

void KaartQuiz::setRandomSource(RandomSource random)
{
    m_random = std::move(random);
}

int KaartQuiz::draw(int bound)
{
    const int value = m_random(bound);
    return std::clamp(value, 0, bound - 1);
}

void KaartQuiz::open(int mode, const Keuze& keuze, int aantRecs)
{
    Mode = mode;
    m_keuze = keuze;
    AantRecs = aantRecs;
    teDoenCaption = QStringLiteral("Aantal te doen:");
    status = openingStatus(keuze.Gebruiker);
    Gehad.clear();
    AantGoed = 0;
    AantGedaan = 0;
    AantSteden = 0;
    Vorrige = 0;
    plek = 0;
    gehadText = QStringLiteral("0");
    overText = QStringLiteral("0");
    countersShown = Mode >= Practise;
    AantPlaatsen = 0;
    for (int j = 1; j <= AantRecs; ++j) {
        if (!isIncluded(j))
            continue;
        ++AantPlaatsen;
        if (item(j).isCity())
            ++AantSteden;
    }
    CurPlas = 0;
    Plas.clear();
    m_goedShown = 0;
    m_growing = false;
    m_answerShown = false;

    switch (Mode) {
    case Practise:
        teDoenCaption = QStringLiteral("Aantal goed:");
        VolgendeVraag();
        break;
    case Test:
        overText = QString::number(AantPlaatsen);
        VolgendeVraag();
        break;
    case Game:
        overText = QString::number(AantSteden);
        if (AantSteden == 0) {
            status = QStringLiteral("Er zijn geen steden om te besproeien!");
            Mode = Ended;
        } else {
            VolgendeVraag();
        }
        break;
    default:
        break;
    }
}

bool KaartQuiz::isIncluded(int index) const
{
    return index >= 1 && index <= AantRecs && item(index).Niveau <= m_keuze.Niveau;
}

bool KaartQuiz::isShown(int index) const
{
    if (!isIncluded(index))
        return false;
    const QString kind = item(index).kind();
    return Mode != Game || (kind != u"w" && kind != u"g");
}

bool KaartQuiz::eligible(int c) const
{
    if (item(c).Niveau > m_keuze.Niveau)
        return false;
    if ((Mode == Test || Mode == Game) && Gehad.contains(c))
        return false;
    if (Mode == Game && !item(c).isCity())
        return false;
    return c != Vorrige;
}

void KaartQuiz::VolgendeVraag()
{
    // Drawn straight from the items that can be asked, so it never spins; all
    // items are looked at, so the order of the table does not matter.
    QList<int> candidates;
    for (int c = 1; c <= AantRecs; ++c) {
        if (eligible(c))
            candidates.append(c);
    }
    if (candidates.isEmpty()) {
        status = QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen.");
        Mode = Ended;
        return;
    }
    plek = candidates[draw(int(candidates.size()))];
    if (Mode == Practise && AantPlaatsen > 1)
        Vorrige = plek;
    status = question(plek);
    if (m_keuze.Gebruiker == Ostrik)
        status = QStringLiteral("Heet je Ostrik? Zoek het dan maar lekker zelf uit :P");
}

QString KaartQuiz::question(int index)
{
    const QString& name = item(index).Naam;
    if (Mode != Game)
        return m_keuze.Gebruiker + QStringLiteral(", wijs aan op de kaart: ") + name;
    switch (draw(4)) {
    case 0:
        return m_keuze.Gebruiker + QStringLiteral(", besproei ") + name + u'!';
    case 1:
        return m_keuze.Gebruiker + QStringLiteral(", geef de mensen in ") + name + QStringLiteral(" natte voeten!");
    case 2:
        return m_keuze.Gebruiker + QStringLiteral(", laat de straten blank staan in ") + name + u'!';
    default:
        return m_keuze.Gebruiker + QStringLiteral(", geef iedereen in ") + name + QStringLiteral(" een nat pak!");
    }
}

KaartQuiz::Start KaartQuiz::clickHotSpot(int index, bool secondOfDouble)
{
    // Children double-click: one click must stay one answer.
    if (!isShown(index) || secondOfDouble || m_answerShown || m_growing)
        return Start::Nothing;
    switch (Mode) {
    case Practise:
        return practiseClick(index);
    case Test:
        return testClick(index);
    case Game:
        return gameClick(index);
    default:
        return Start::Nothing;
    }
}

KaartQuiz::Start KaartQuiz::practiseClick(int index)
{
    m_answerShown = true;
    ++AantGedaan;
    gehadText = QString::number(AantGedaan);
    if (index != plek) {
        status = QStringLiteral("Fout! Dit is ") + item(index).Naam;
        return Start::Timer2;
    }
    status = QStringLiteral("Goed zo!!");
    overText = QString::number(++m_goedShown);
    return Start::Timer1;
}

KaartQuiz::Start KaartQuiz::testClick(int index)
{
    ++AantGedaan;
    gehadText = QString::number(AantGedaan);
    overText = QString::number(AantPlaatsen - AantGedaan);
    if (index == plek)
        ++AantGoed;
    Gehad.append(plek);
    if (AantGedaan == AantPlaatsen)
        finishTest();
    else
        VolgendeVraag();
    return Start::Nothing;
}

void KaartQuiz::finishTest()
{
    status = m_keuze.Gebruiker + QStringLiteral(", je bent klaar met de toets!");
    Mode = Ended;
    const auto failed = velmora::ResultsFile::append(velmora::ResultsFile::path(), m_keuze.Gebruiker,
                                                     m_keuze.Kaart, m_keuze.Niveau, AantGedaan, AantGoed);
    if (failed)
        status = m_keuze.Gebruiker + QStringLiteral(", je bent klaar, maar je uitslag kon niet worden bewaard!");
}

KaartQuiz::Start KaartQuiz::gameClick(int index)
{
    if (Gehad.contains(index))
        return Start::Nothing;
    ++CurPlas;
    // Width 9, not 0: the puddle starts as a sliver on the marker's centre.
    Plas.append(QRectF(item(index).Left + 127.5, item(index).Top + 127.5, 9, 0));
    Gehad.append(index);
    // Only cities count, so the game ends when every city is flooded.
    if (item(index).isCity())
        gehadText = QString::number(++AantGedaan);
    if (index != plek) {
        status = QStringLiteral("Aahrg! Je hebt ") + item(index).Naam + QStringLiteral(" laten onderlopen!");
    } else {
        ++AantGoed;
        status = QStringLiteral("Goed zo!!");
    }
    m_growing = true;
    return Start::GroeiPlas;
}

KaartQuiz::Start KaartQuiz::pressPicture(int xTwips, int yTwips)
{
    if (Mode != Game || m_growing)
        return Start::Nothing;
    ++CurPlas;
    Plas.append(QRectF(xTwips, yTwips, 0, 0));
    status = QStringLiteral("Je moet wel een stad besproeien!");
    m_growing = true;
    return Start::GroeiPlas;
}

void KaartQuiz::timer1()
{
    m_answerShown = false;
    VolgendeVraag();
}

void KaartQuiz::timer2()
{
    m_answerShown = false;
    status = m_keuze.Gebruiker + QStringLiteral(", wijs op de kaart aan: ") + item(plek).Naam;
}

bool KaartQuiz::groeiPlas()
{
    if (!m_growing || CurPlas == 0)
        return false;
    QRectF& puddle = Plas[CurPlas - 1];
    puddle.adjust(-PuddleStep, -PuddleStep, PuddleStep, PuddleStep);
    if (puddle.height() <= PuddleFull)
        return true;
    m_growing = false;
    if (AantGedaan != AantSteden) {
        VolgendeVraag();
    } else {
        status = QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er ") + QString::number(AantGoed)
            + QStringLiteral(" goed!");
        Mode = Ended;
    }
    return false;
}

} // namespace korvel
