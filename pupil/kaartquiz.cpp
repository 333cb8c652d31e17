#include "kaartquiz.h"

#include <QRandomGenerator>

#include <utility>

using namespace velmora;

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

KaartQuiz::KaartQuiz(const Plaatsen& plaatsen)
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

void KaartQuiz::open(QuizMode mode, const Keuze& keuze, int aantRecs)
{
    m_rules = &QuizRules::of(mode);
    m_ended = false;
    m_keuze = keuze;
    m_aantRecs = aantRecs;
    m_teDoenCaption = m_rules->secondCaption();
    m_status = openingStatus(keuze.Gebruiker);
    m_gehad.clear();
    m_aantGoed = 0;
    m_aantGedaan = 0;
    m_vorrige = 0;
    m_plek = 0;
    m_gehadText = QStringLiteral("0");
    m_countersShown = m_rules->countersShown;
    m_aantPlaatsen = 0;
    m_aantTeVragen = 0;
    for (int j = 1; j <= m_aantRecs; ++j) {
        if (!isIncluded(j))
            continue;
        ++m_aantPlaatsen;
        if (m_rules->mayAsk(item(j)))
            ++m_aantTeVragen;
    }
    m_overText = QString::number(m_rules->countsRight ? 0 : m_aantTeVragen);
    m_curPlas = 0;
    m_plas.clear();
    m_goedShown = 0;
    m_growing = false;
    m_answerShown = false;
    m_result.reset();
    m_answer.reset();
    m_begonnen = QDateTime::currentDateTime();
    m_questions = 0;
    m_missesHere = 0;
    m_missed.clear();
    m_again.clear();

    if (!m_rules->asks)
        return;
    if (m_aantTeVragen == 0)
        end(m_rules->nothingToAsk);
    else
        VolgendeVraag();
}

void KaartQuiz::end(const QString& status)
{
    m_status = status;
    m_ended = true;
}

bool KaartQuiz::isIncluded(int index) const
{
    return index >= 1 && index <= m_aantRecs && item(index).Niveau <= m_keuze.Niveau;
}

bool KaartQuiz::isShown(int index) const
{
    return isIncluded(index) && m_rules->shows(item(index));
}

bool KaartQuiz::eligible(int c) const
{
    if (!isIncluded(c) || !m_rules->mayAsk(item(c)))
        return false;
    if (m_rules->asksEachOnce && m_gehad.contains(c))
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
        end(QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen."));
        return;
    }
    ++m_questions;
    m_missesHere = 0;
    const int again = takeDueAgain();
    m_plek = again ? again : candidates[draw(int(candidates.size()))];
    if (m_rules->neverTwiceInARow && m_aantPlaatsen > 1)
        m_vorrige = m_plek;
    const QStringList& questions = m_rules->questions;
    const int variant = questions.size() > 1 ? draw(int(questions.size())) : 0;
    m_question = questions[variant].arg(m_keuze.Gebruiker, item(m_plek).Naam);
    if (m_keuze.Gebruiker == Ostrik)
        m_question = QStringLiteral("Heet je Ostrik? Zoek het dan maar lekker zelf uit :P");
    m_status = m_question;
}

KaartQuiz::Start KaartQuiz::clickHotSpot(int index, bool secondOfDouble)
{
    // Children double-click: one click must stay one answer.
    if (m_ended || !isShown(index) || secondOfDouble || m_answerShown || m_growing)
        return Start::Nothing;
    switch (m_rules->judge) {
    case QuizRules::Judge::Feedback:
        return feedbackClick(index);
    case QuizRules::Judge::Silent:
        return silentClick(index);
    case QuizRules::Judge::Flood:
        return floodClick(index);
    case QuizRules::Judge::None:
        break;
    }
    return Start::Nothing;
}

void KaartQuiz::keepAnswer(int clicked)
{
    if (!m_rules->answersAs)
        return;
    m_answer = AnswerLine{QDateTime::currentDateTime(),
                          m_keuze.Gebruiker,
                          m_keuze.Kaart,
                          m_keuze.Niveau,
                          *m_rules->answersAs,
                          item(m_plek).Naam,
                          item(clicked).Naam,
                          clicked == m_plek,
                          m_begonnen};
}

std::optional<AnswerLine> KaartQuiz::takeAnswer()
{
    return std::exchange(m_answer, std::nullopt);
}

KaartQuiz::Start KaartQuiz::feedbackClick(int index)
{
    // A place that was pointed out and then clicked was shown, not known.
    const bool shown = pointedOut().has_value();
    if (!shown)
        keepAnswer(index);
    m_answerShown = true;
    ++m_aantGedaan;
    m_gehadText = QString::number(m_aantGedaan);
    if (index != m_plek) {
        missed(m_plek);
        m_status = QStringLiteral("Fout! Dit is ") + item(index).Naam;
        return Start::Timer2;
    }
    m_status = QStringLiteral("Goed zo!!");
    if (!shown)
        m_overText = QString::number(++m_goedShown);
    return Start::Timer1;
}

void KaartQuiz::missed(int index)
{
    if (!m_rules->teachesOnError)
        return;
    ++m_missesHere;
    if (m_missed.contains(index))
        return;
    m_missed.append(index);
    // Asked once more after three to five other questions.
    m_again.append({index, m_questions + 4 + draw(3)});
}

int KaartQuiz::takeDueAgain()
{
    for (qsizetype i = 0; i < m_again.size(); ++i) {
        const Again again = m_again[i];
        // Never twice in a row: then it waits for the next question.
        if (again.due <= m_questions && (again.index != m_vorrige || m_aantPlaatsen == 1)) {
            m_again.removeAt(i);
            return again.index;
        }
    }
    return 0;
}

std::optional<int> KaartQuiz::pointedOut() const
{
    if (!m_rules->teachesOnError || m_ended || m_missesHere < 2)
        return std::nullopt;
    return m_plek;
}

QStringList KaartQuiz::missedNames() const
{
    QStringList names;
    for (int index : m_missed)
        names.append(item(index).Naam);
    return names;
}

KaartQuiz::Start KaartQuiz::silentClick(int index)
{
    keepAnswer(index);
    ++m_aantGedaan;
    m_gehadText = QString::number(m_aantGedaan);
    m_overText = QString::number(m_aantTeVragen - m_aantGedaan);
    if (index == m_plek)
        ++m_aantGoed;
    m_gehad.append(m_plek);
    if (m_aantGedaan == m_aantTeVragen)
        finishTest();
    else
        VolgendeVraag();
    return Start::Nothing;
}

void KaartQuiz::finishTest()
{
    end(m_keuze.Gebruiker + QStringLiteral(", je bent klaar met de toets!"));
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

KaartQuiz::Start KaartQuiz::floodClick(int index)
{
    // It takes no more water; the pupil is told why nothing happens, and asked again.
    if (m_gehad.contains(index)) {
        m_status = item(index).Naam + QStringLiteral(" staat al onder water! ") + m_question;
        return Start::Nothing;
    }
    ++m_curPlas;
    // Width 9, not 0: the puddle starts as a sliver on the marker's centre.
    m_plas.append(QRectF(item(index).Left + HalfMarker, item(index).Top + HalfMarker, 9, 0));
    m_gehad.append(index);
    // Only what may be asked counts, so the game ends when every city is flooded.
    if (m_rules->mayAsk(item(index)))
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
    if (m_ended || m_rules->judge != QuizRules::Judge::Flood || m_growing)
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
    if (m_aantGedaan != m_aantTeVragen)
        VolgendeVraag();
    else
        end(QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er ") +
            QString::number(m_aantGoed) + QStringLiteral(" goed!"));
    return false;
}

} // namespace korvel
