#include "frmkeuzemenu2.h"

#include "artwork.h"
#include "controls.h"
#include "programexit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace velmora;

namespace korvel {

frmKeuzeMenu2::frmKeuzeMenu2(const Keuze& keuze, QWidget* parent) : MenuWindow(parent)
{
    setObjectName(QStringLiteral("frmKeuzeMenu2"));
    setWindowTitle(QStringLiteral("Wat wil je doen?"));

    auto* lblKeuze = Controls::label(QStringLiteral("lblKeuze"), statusLine(keuze), this);
    lblKeuze->setFrameShape(QFrame::StyledPanel);
    lblKeuze->setFrameShadow(QFrame::Sunken);
    lblKeuze->setMargin(4);
    auto* Label1 = Controls::label(QStringLiteral("Label1"), QStringLiteral("Wat wil je doen?"), this);
    QFont heading = Label1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    Label1->setFont(heading);

    struct Activity
    {
        const char16_t* name;
        const char16_t* text;
        const char16_t* picture;
        QuizMode mode;
    };
    static constexpr Activity activities[] = {
        {u"cmdShowKaart", u"De kaart bekijken", u"bekijken.png", QuizMode::Look},
        {u"cmdOefen", u"Oefenen", u"oefenen.png", QuizMode::Practise},
        {u"cmdToets", u"Toets", u"toets.png", QuizMode::Test},
        {u"cmdSpelletje", u"Spelletje", u"spelletje.png", QuizMode::Game},
    };
    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    int position = 0;
    for (const Activity& activity : activities) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf16(activity.name));
        button->setText(QString::fromUtf16(activity.text));
        button->setIcon(Artwork::icon(QString::fromUtf16(activity.picture)));
        button->setIconSize(QSize(48, 48));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setMinimumSize(150, 96);
        const QuizMode mode = activity.mode;
        connect(button, &QToolButton::clicked, this, [this, mode] { Q_EMIT activityChosen(mode); });
        grid->addWidget(button, position / 2, position % 2);
        ++position;
    }

    auto* cmdAndereKaart = Controls::button(QStringLiteral("cmdAndereKaart"),
                                            QStringLiteral("Kaart of niveau veranderen"), this);
    auto* cmdAndereUser =
        Controls::button(QStringLiteral("cmdAndereUser"), QStringLiteral("Gebruiker veranderen"), this);
    auto* cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Afsluiten"), this);
    for (QPushButton* button : {cmdAndereKaart, cmdAndereUser, cmdEnd})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAndereKaart);
    buttons->addWidget(cmdAndereUser);
    buttons->addStretch();
    buttons->addWidget(cmdEnd);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblKeuze);
    layout->addWidget(Label1);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(500, 360);

    connect(cmdAndereKaart, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdAndereUser, &QPushButton::clicked, this, &frmKeuzeMenu2::changeUser);
    connect(cmdEnd, &QPushButton::clicked, this, [] { ProgramExit::now(); });
}

QString frmKeuzeMenu2::statusLine(const Keuze& keuze)
{
    return QStringLiteral("Gebruiker: %1. Kaart: %2. Niveau: %3.")
        .arg(keuze.Gebruiker, keuze.Kaart, QString::number(keuze.Niveau));
}

} // namespace korvel
