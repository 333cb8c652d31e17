#include "kaartquiz.h"

#include <QRandomGenerator>

#include <utility>

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
    : m_plaatsen(plaatsen),
      m_random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); })
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
    m_mode = mode;
    m_keuze = keuze;
    m_aantRecs = aantRecs;
    m_teDoenCaption = QStringLiteral("Aantal te doen:");
    m_status = openingStatus(keuze.Gebruiker);
    m_gehad.clear();
    m_aantGoed = 0;
    m_aantGedaan = 0;
    m_aantSteden = 0;
    m_vorrige = 0;
    m_plek = 0;
    m_gehadText = QStringLiteral("0");
    m_overText = QStringLiteral("0");
    m_countersShown = m_mode >= Practise;
    m_aantPlaatsen = 0;
    for (int j = 1; j <= m_aantRecs; ++j) {
        if (!isIncluded(j))
            continue;
        ++m_aantPlaatsen;
        if (item(j).isCity())
            ++m_aantSteden;
    }
    m_curPlas = 0;
    m_plas.clear();
    m_goedShown = 0;
    m_growing = false;
    m_answerShown = false;
    m_result.reset();

    switch (m_mode) {
    case Practise:
        m_teDoenCaption = QStringLiteral("Aantal goed:");
        VolgendeVraag();
        break;
    case Test:
        m_overText = QString::number(m_aantPlaatsen);
        VolgendeVraag();
        break;
    case Game:
        m_overText = QString::number(m_aantSteden);
        if (m_aantSteden == 0) {
            m_status = QStringLiteral("Er zijn geen steden om te besproeien!");
            m_mode = Ended;
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
    return index >= 1 && index <= m_aantRecs && item(index).Niveau <= m_keuze.Niveau;
}

bool KaartQuiz::isShown(int index) const
{
    if (!isIncluded(index))
        return false;
    const QString kind = item(index).kind();
    return m_mode != Game || (kind != u"w" && kind != u"g");
}

bool KaartQuiz::eligible(int c) const
{
    if (item(c).Niveau > m_keuze.Niveau)
        return false;
    if ((m_mode == Test || m_mode == Game) && m_gehad.contains(c))
        return false;
    if (m_mode == Game && !item(c).isCity())
        return false;
    return c != m_vorrige;
}

void KaartQuiz::VolgendeVraag()
{
    // Drawn straight from the items that can be asked, so it never spins; all
    // items are looked at, so the order of the table does not matter.
    QList<int> candidates;
    for (int c = 1; c <= m_aantRecs; ++c) {
        if (eligible(c))
            candidates.append(c);
    }
    if (candidates.isEmpty()) {
        m_status = QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen.");
        m_mode = Ended;
        return;
    }
    m_plek = candidates[draw(int(candidates.size()))];
    if (m_mode == Practise && m_aantPlaatsen > 1)
        m_vorrige = m_plek;
    m_status = question(m_plek);
    if (m_keuze.Gebruiker == Ostrik)
        m_status = QStringLiteral("Heet je Ostrik? Zoek het dan maar lekker zelf uit :P");
}

QString KaartQuiz::question(int index)
{
    const QString& name = item(index).Naam;
    if (m_mode != Game)
        return m_keuze.Gebruiker + QStringLiteral(", wijs aan op de kaart: ") + name;
    switch (draw(4)) {
    case 0:
        return m_keuze.Gebruiker + QStringLiteral(", besproei ") + name + u'!';
    case 1:
        return m_keuze.Gebruiker + QStringLiteral(", geef de mensen in ") + name +
               QStringLiteral(" natte voeten!");
    case 2:
        return m_keuze.Gebruiker + QStringLiteral(", laat de straten blank staan in ") + name + u'!';
    default:
        return m_keuze.Gebruiker + QStringLiteral(", geef iedereen in ") + name +
               QStringLiteral(" een nat pak!");
    }
}

KaartQuiz::Start KaartQuiz::clickHotSpot(int index, bool secondOfDouble)
{
    // Children double-click: one click must stay one answer.
    if (!isShown(index) || secondOfDouble || m_answerShown || m_growing)
        return Start::Nothing;
    switch (m_mode) {
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
    ++m_aantGedaan;
    m_gehadText = QString::number(m_aantGedaan);
    if (index != m_plek) {
        m_status = QStringLiteral("Fout! Dit is ") + item(index).Naam;
        return Start::Timer2;
    }
    m_status = QStringLiteral("Goed zo!!");
    m_overText = QString::number(++m_goedShown);
    return Start::Timer1;
}

KaartQuiz::Start KaartQuiz::testClick(int index)
{
    ++m_aantGedaan;
    m_gehadText = QString::number(m_aantGedaan);
    m_overText = QString::number(m_aantPlaatsen - m_aantGedaan);
    if (index == m_plek)
        ++m_aantGoed;
    m_gehad.append(m_plek);
    if (m_aantGedaan == m_aantPlaatsen)
        finishTest();
    else
        VolgendeVraag();
    return Start::Nothing;
}

void KaartQuiz::finishTest()
{
    m_status = m_keuze.Gebruiker + QStringLiteral(", je bent klaar met de toets!");
    m_mode = Ended;
    m_result = Result{m_keuze.Gebruiker, m_keuze.Kaart, m_keuze.Niveau, m_aantGedaan, m_aantGoed};
}

std::optional<KaartQuiz::Result> KaartQuiz::takeResult()
{
    return std::exchange(m_result, std::nullopt);
}

void KaartQuiz::resultNotSaved()
{
    m_status =
        m_keuze.Gebruiker + QStringLiteral(", je bent klaar, maar je uitslag kon niet worden bewaard!");
}

KaartQuiz::Start KaartQuiz::gameClick(int index)
{
    if (m_gehad.contains(index))
        return Start::Nothing;
    ++m_curPlas;
    // Width 9, not 0: the puddle starts as a sliver on the marker's centre.
    m_plas.append(QRectF(item(index).Left + 127.5, item(index).Top + 127.5, 9, 0));
    m_gehad.append(index);
    // Only cities count, so the game ends when every city is flooded.
    if (item(index).isCity())
        m_gehadText = QString::number(++m_aantGedaan);
    if (index != m_plek) {
        m_status =
            QStringLiteral("Aahrg! Je hebt ") + item(index).Naam + QStringLiteral(" laten onderlopen!");
    } else {
        ++m_aantGoed;
        m_status = QStringLiteral("Goed zo!!");
    }
    m_growing = true;
    return Start::GroeiPlas;
}

KaartQuiz::Start KaartQuiz::pressPicture(int xTwips, int yTwips)
{
    if (m_mode != Game || m_growing)
        return Start::Nothing;
    ++m_curPlas;
    m_plas.append(QRectF(xTwips, yTwips, 0, 0));
    m_status = QStringLiteral("Je moet wel een stad besproeien!");
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
    m_status = m_keuze.Gebruiker + QStringLiteral(", wijs op de kaart aan: ") + item(m_plek).Naam;
}

bool KaartQuiz::groeiPlas()
{
    if (!m_growing || m_curPlas == 0)
        return false;
    QRectF& puddle = m_plas[m_curPlas - 1];
    puddle.adjust(-PuddleStep, -PuddleStep, PuddleStep, PuddleStep);
    if (puddle.height() <= PuddleFull)
        return true;
    m_growing = false;
    if (m_aantGedaan != m_aantSteden) {
        VolgendeVraag();
    } else {
        m_status = QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er ") +
                   QString::number(m_aantGoed) + QStringLiteral(" goed!");
        m_mode = Ended;
    }
    return false;
}

} // namespace korvel
