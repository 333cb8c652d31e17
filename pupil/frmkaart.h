#pragma once

#include "kaartquiz.h"
#include "keuze.h"

#include <QDialog>
#include <QList>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace velmora {
class FittingLabel;
class MapDrawing;
class MapLegend;
class MapPicture;
class MapShape;
class MarkerRing;
class Plaatsen;
} // namespace velmora

namespace korvel {

class PlaceKeys;

// The map screen: shows the chosen map at the chosen level and runs the
// activity it is opened for, as that activity's rules say.
class frmKaart : public QDialog
{
    Q_OBJECT
public:
    explicit frmKaart(velmora::Plaatsen& plaatsen, QWidget* parent = nullptr);
    ~frmKaart() override;

    // Runs the opening steps for this activity and choice, shows the screen
    // modally, returns when it is closed.
    void showModal(QuizMode mode, const Keuze& keuze);
    // The opening steps alone; false, after telling the pupil, when the map cannot be opened.
    bool open(QuizMode mode, const Keuze& keuze);
    // The activity's number, -1 once it has ended.
    int Mode() const { return m_quiz.Mode(); }
    void setRandomSource(RandomSource random);

    const KaartQuiz& quiz() const { return m_quiz; }
    velmora::MapDrawing& drawing() const { return *m_drawing; }

    // "Sluiten", the close box and the window manager all close through here.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void hotSpotClicked(int index, Qt::MouseButton button, bool secondOfDouble);
    void hotSpotMoved(int index);
    void picturePressed(int xTwips, int yTwips, Qt::MouseButton button);
    // A test that has just ended: its record goes to the results file.
    void saveResult();
    // The answer just given goes to antwoorden.csv; a failure is said once a screen.
    void saveAnswer();
    // The map as large as the window has room for; false when it already was.
    bool fitMap();
    // Everything beside the picture, which follows the picture's size.
    void placeBeside();
    void follow(KaartQuiz::Start start);
    void showQuiz();
    void showPointedOut();
    void showPuddles();
    void placePuddle(int number);
    void stopTimers();

    velmora::Plaatsen& m_plaatsen;
    KaartQuiz m_quiz;
    velmora::FittingLabel* m_status;
    QPushButton* m_close;
    velmora::MapPicture* m_picture;
    velmora::MapLegend* m_legend;
    QFrame* m_counters;
    QLabel* m_gehad;
    QLabel* m_teDoenCaption;
    QLabel* m_over;
    QTimer* m_timer1;
    QTimer* m_timer2;
    QTimer* m_groeiPlas;
    velmora::MapDrawing* m_drawing;
    QList<velmora::MapShape*> m_puddles;
    velmora::MarkerRing* m_ring;
    PlaceKeys* m_keys;
    bool m_answersFailed = false;
};

} // namespace korvel
