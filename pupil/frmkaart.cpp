#include "frmkaart.h"

#include "answersfile.h"
#include "dialogs.h"
#include "fittinglabel.h"
#include "fonts.h"
#include "hotspot.h"
#include "keepmaximised.h"
#include "mapchrome.h"
#include "mapclosebutton.h"
#include "mapcursors.h"
#include "mapdrawing.h"
#include "mapfile.h"
#include "maplegend.h"
#include "mapmarker.h"
#include "mappicture.h"
#include "mapshape.h"
#include "markerring.h"
#include "noescape.h"
#include "placekeys.h"
#include "resultsfile.h"
#include "twipsgeometry.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

using namespace velmora;

namespace korvel {
namespace {

QLabel* counterCaption(const QString& name, const QString& text, int top, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(Fonts::msSansSerif(7.5));
    TwipsGeometry::set(label, QRect(120, top, 1080, 255));
    return label;
}

QLabel* counter(const QString& name, int top, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(Fonts::arial(21.75));
    TwipsGeometry::set(label, QRect(1200, top, 735, 495));
    return label;
}

QTimer* timer(const QString& name, int interval, bool singleShot, QObject* parent)
{
    auto* t = new QTimer(parent);
    t->setObjectName(name);
    t->setInterval(interval);
    t->setSingleShot(singleShot);
    return t;
}

MapDrawingStyle quizStyle()
{
    MapDrawingStyle style;
    style.keepLabelsInside = true;
    return style;
}

} // namespace

frmKaart::frmKaart(Plaatsen& plaatsen, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_plaatsen(plaatsen), m_quiz(plaatsen)
{
    setObjectName(QStringLiteral("frmKaart"));

    QFont statusFont = Fonts::timesNewRoman(24, true);
    statusFont.setItalic(true);
    // A long pupil name with a long item name must not cut off what to find.
    m_status = new FittingLabel(statusFont);
    const auto chrome = MapChrome::build(this, m_status);
    m_picture = chrome.picture;
    m_close = chrome.close;
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    m_drawing = new MapDrawing(m_picture, quizStyle(), this);
    m_ring = new MarkerRing(MarkerRing::Look::PointedOut, m_picture);
    m_ring->setObjectName(QStringLiteral("Ring"));
    m_keys = new PlaceKeys(m_drawing, m_picture, this);
    connect(m_keys, &PlaceKeys::answered, this,
            [this](int index) { hotSpotClicked(index, Qt::LeftButton, false); });
    connect(m_keys, &PlaceKeys::focusMoved, this, &frmKaart::hotSpotMoved);
    setTabOrder(m_picture, m_close);

    m_legend = new MapLegend(this);

    m_counters = new QFrame(this);
    m_counters->setObjectName(QStringLiteral("Status"));
    m_counters->setFrameShape(QFrame::Box);
    TwipsGeometry::set(m_counters, QRect(0, 0, 2055, 1215));
    m_counters->hide();
    counterCaption(QStringLiteral("Label5"), QStringLiteral("Aantal gehad:"), 120, m_counters);
    m_gehad = counter(QStringLiteral("lblAantGehad"), 120, m_counters);
    m_teDoenCaption = counterCaption(QStringLiteral("lblAantalTeDoen"), QString(), 600, m_counters);
    m_over = counter(QStringLiteral("lblAantOver"), 600, m_counters);

    m_timer1 = timer(QStringLiteral("Timer1"), 1000, true, this);
    m_timer2 = timer(QStringLiteral("Timer2"), 1000, true, this);
    m_groeiPlas = timer(QStringLiteral("GroeiPlas"), 50, false, this);
    connect(m_timer1, &QTimer::timeout, this, [this] {
        m_quiz.timer1();
        showQuiz();
    });
    connect(m_timer2, &QTimer::timeout, this, [this] {
        m_quiz.timer2();
        showQuiz();
    });
    connect(m_groeiPlas, &QTimer::timeout, this, [this] {
        if (!m_quiz.groeiPlas())
            m_groeiPlas->stop();
        showQuiz();
    });

    connect(m_drawing, &MapDrawing::hotSpotClicked, this, &frmKaart::hotSpotClicked);
    connect(m_drawing, &MapDrawing::hotSpotMoved, this, &frmKaart::hotSpotMoved);
    connect(m_picture, &MapPicture::pressed, this, &frmKaart::picturePressed);
    // Over the picture itself, or over a label (its movement falls through to the picture).
    connect(m_picture, &MapPicture::moved, m_drawing, &MapDrawing::hideLabelsAwayFrom);
    // A running timer or growing puddle ends with the screen.
    connect(this, &QDialog::finished, this, &frmKaart::stopTimers);
    connect(this, &QDialog::finished, this, [this] {
        const QStringList missed = m_quiz.missedNames();
        if (!missed.isEmpty())
            Dialogs::current().message(QStringLiteral("Deze plaatsen vond je lastig:\n\n") +
                                           missed.join(u'\n'),
                                       windowTitle(), MessageIcon::Information, MessageButtons::Ok);
    });

    // Only "Sluiten" and the close box leave the screen; a stray Escape must not end a test.
    NoEscape::apply(this);
    KeepMaximised::apply(this);
}

frmKaart::~frmKaart() = default;

void frmKaart::setRandomSource(RandomSource random)
{
    m_quiz.setRandomSource(std::move(random));
}

void frmKaart::showModal(QuizMode mode, const Keuze& keuze)
{
    if (!open(mode, keuze))
        return;
    setWindowState(Qt::WindowMaximized);
    exec();
}

bool frmKaart::open(QuizMode mode, const Keuze& keuze)
{
    stopTimers();
    m_answersFailed = false;
    setWindowTitle(keuze.Kaart);

    // Read everything first: a map that cannot be opened changes nothing.
    auto read = MapFile::readFile(keuze.KaartFile);
    std::optional<DataError> failure;
    if (auto* error = std::get_if<DataError>(&read))
        failure = *error;
    else
        failure = m_picture->load(std::get<MapFile::Contents>(read).picture);
    if (failure) {
        Dialogs::current().message(QStringLiteral("De kaart \"%1\" kan niet worden geopend.\n\n%2")
                                       .arg(keuze.Kaart, failure->message()),
                                   Dialogs::programTitle(), MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    auto& contents = std::get<MapFile::Contents>(read);
    // A hand-edited file need not be in level order; the screen takes its
    // items so (stably), as the editor would save them, and leaves the file be.
    std::stable_sort(contents.items.begin(), contents.items.end(),
                     [](const Plaats& a, const Plaats& b) { return a.Niveau < b.Niveau; });
    const int aantRecs = MapFile::fill(contents, m_plaatsen);

    // Pieces and puddles of an earlier opening go; the new ones are made below.
    m_drawing->clear();
    qDeleteAll(m_puddles);
    m_puddles.clear();

    fitMap();
    m_quiz.open(mode, keuze, aantRecs);
    // Where a click waters, the map and every hotspot show the cloud.
    const bool cloud = m_quiz.rules().judge == QuizRules::Judge::Flood;
    m_picture->setCursor(cloud ? MapCursors::cloud() : QCursor(Qt::ArrowCursor));
    m_drawing->setHotSpotCursor(cloud ? MapCursors::cloud() : MapCursors::hand());
    for (int j = 1; j <= aantRecs; ++j) {
        if (!m_quiz.isIncluded(j))
            continue;
        m_drawing->add(j, m_plaatsen[j]);
        if (!m_quiz.isShown(j))
            m_drawing->setItemVisible(j, false);
    }
    m_drawing->raiseLabels();
    m_counters->setVisible(m_quiz.countersShown());
    placeBeside();
    m_keys->reset(m_quiz.rules().namesOnHover);
    // The keyboard starts on the map, never on "Sluiten".
    m_picture->setFocus();
    showQuiz();
    return true;
}

bool frmKaart::fitMap()
{
    if (!m_drawing->setScale(m_legend->fittingScale(size(), m_picture)))
        return false;
    for (int number = 1; number <= m_puddles.size(); ++number)
        placePuddle(number);
    return true;
}

void frmKaart::placeBeside()
{
    m_legend->placeBeside(m_picture, m_counters);
    MapCloseButton::place(m_close, m_picture, {m_legend, m_counters});
}

void frmKaart::reject()
{
    // One key a child leans on must not throw an unfinished test away.
    if (m_quiz.rules().asksBeforeClosing && !m_quiz.ended() &&
        !Dialogs::confirmDestructive(QStringLiteral("Wil je stoppen? Je toets wordt dan niet bewaard."),
                                     windowTitle()))
        return;
    QDialog::reject();
}

void frmKaart::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Also how a maximised window learns that it moved to another screen.
    if (fitMap()) {
        placeBeside();
        showPointedOut();
        m_keys->follow();
    }
}

void frmKaart::hotSpotClicked(int index, Qt::MouseButton button, bool secondOfDouble)
{
    if (button != Qt::LeftButton)
        return;
    const KaartQuiz::Start start = m_quiz.clickHotSpot(index, secondOfDouble);
    saveAnswer();
    saveResult();
    follow(start);
}

void frmKaart::saveResult()
{
    const auto result = m_quiz.takeResult();
    if (!result)
        return;
    // A finished test is worth another try: the file may only be busy for a moment.
    for (;;) {
        const auto error = ResultsFile::append(ResultsFile::path(), result->naam, result->kaart,
                                               result->niveau, result->gedaan, result->goed);
        if (!error)
            return;
        if (Dialogs::current().message(QStringLiteral("Je uitslag kon niet worden bewaard. ") +
                                           error->message() +
                                           QStringLiteral("\n\nWil je het nog een keer proberen?"),
                                       QStringLiteral("Uitslag bewaren"), MessageIcon::Question,
                                       MessageButtons::YesNo) != MessageAnswer::Yes)
            break;
    }
    m_quiz.resultNotSaved();
}

void frmKaart::saveAnswer()
{
    const auto answer = m_quiz.takeAnswer();
    if (!answer || m_answersFailed)
        return;
    if (const auto error = AnswersFile::append(AnswersFile::path(), *answer)) {
        m_answersFailed = true;
        Dialogs::current().message(QStringLiteral("Je antwoorden kunnen niet worden bewaard. ") +
                                       error->message() + QStringLiteral("\n\nJe kunt gewoon verder gaan."),
                                   QStringLiteral("Antwoorden bewaren"), MessageIcon::Warning,
                                   MessageButtons::Ok);
    }
}

void frmKaart::picturePressed(int xTwips, int yTwips, Qt::MouseButton)
{
    follow(m_quiz.pressPicture(xTwips, yTwips));
}

void frmKaart::follow(KaartQuiz::Start start)
{
    QTimer* toStart = start == KaartQuiz::Start::Timer1      ? m_timer1
                      : start == KaartQuiz::Start::Timer2    ? m_timer2
                      : start == KaartQuiz::Start::GroeiPlas ? m_groeiPlas
                                                             : nullptr;
    if (toStart)
        toStart->start();
    showQuiz();
}

void frmKaart::hotSpotMoved(int index)
{
    if (m_quiz.ended() || !m_quiz.rules().namesOnHover)
        return;
    m_drawing->hideLabels();
    m_drawing->showLabel(index);
}

void frmKaart::showQuiz()
{
    showPointedOut();
    m_status->setFittedText(m_quiz.status());
    m_gehad->setText(m_quiz.gehadText());
    m_teDoenCaption->setText(m_quiz.teDoenCaption());
    m_over->setText(m_quiz.overText());
    // What a screen reader says of the counters and of the map as a whole;
    // told only when it changed, not on every tick of a growing puddle.
    const auto tell = [](QWidget* widget, const QString& name) {
        if (widget->accessibleName() != name)
            widget->setAccessibleName(name);
    };
    tell(m_gehad, QStringLiteral("Aantal gehad: ") + m_quiz.gehadText());
    tell(m_over, m_quiz.teDoenCaption() + u' ' + m_quiz.overText());
    if (m_picture->accessibleDescription() != m_quiz.status())
        m_picture->setAccessibleDescription(m_quiz.status());
    showPuddles();
}

void frmKaart::showPointedOut()
{
    // A place missed twice is shown: ringed and named until it is clicked.
    if (const auto shown = m_quiz.pointedOut()) {
        m_ring->surround(m_drawing->marker(*shown)->geometry());
        m_drawing->showLabel(*shown);
    } else if (m_ring->isVisible()) {
        m_ring->hide();
        m_drawing->hideLabels();
    }
}

void frmKaart::showPuddles()
{
    while (m_puddles.size() < m_quiz.Plas().size()) {
        auto* puddle = new MapShape(m_picture);
        puddle->setObjectName(QStringLiteral("Plas_") + QString::number(m_puddles.size() + 1));
        puddle->setForm(MapShape::Form::Oval);
        puddle->setFillColor(QColor(0, 0, 255));
        puddle->setOutlineColor(QColor(0, 0, 128));
        puddle->show();
        m_puddles.append(puddle);
    }
    if (m_quiz.CurPlas() == 0)
        return;
    // Only the newest puddle grows; it lies above markers and hotspots.
    placePuddle(m_quiz.CurPlas());
    m_puddles[m_quiz.CurPlas() - 1]->raise();
    m_keys->follow();
}

void frmKaart::placePuddle(int number)
{
    m_puddles[number - 1]->setGeometry(m_picture->toPixels(m_quiz.Plas()[number - 1]));
}

void frmKaart::stopTimers()
{
    m_timer1->stop();
    m_timer2->stop();
    m_groeiPlas->stop();
}

} // namespace korvel
