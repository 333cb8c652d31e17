#include "frmsplash.h"

#include "artwork.h"
#include "controls.h"

#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

using namespace velmora;

namespace korvel {
namespace {

frmSplash::ShownHook& shownHook()
{
    static frmSplash::ShownHook hook;
    return hook;
}

QString versionText()
{
    return QStringLiteral("Versie ") + QStringLiteral(VELMORA_VERSION);
}

} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Frame1(new QFrame(this)),
      Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));

    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Raised);
    Frame1->setLineWidth(2);
    Frame1->setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(Frame1);

    QLabel* imgLogo = Controls::label(QStringLiteral("imgLogo"), QString(), Frame1);
    imgLogo->setPixmap(Artwork::pixmap(QStringLiteral("logo.png")));
    QLabel* Image1 = Controls::label(QStringLiteral("Image1"), QString(), Frame1);
    Image1->setPixmap(Artwork::pixmap(QStringLiteral("kompas.png")));

    QLabel* lblProductName =
        Controls::label(QStringLiteral("lblProductName"), QStringLiteral("Velmora"), Frame1);
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    lblProductName->setFont(big);
    QLabel* lblPlatform = Controls::label(QStringLiteral("lblPlatform"), QStringLiteral("Windows"), Frame1);
    QFont medium = lblPlatform->font();
    medium.setPointSizeF(medium.pointSizeF() * 1.4);
    medium.setBold(true);
    lblPlatform->setFont(medium);
    QLabel* lblVersion = Controls::label(QStringLiteral("lblVersion"), versionText(), Frame1);
    QLabel* lblCompanyProduct =
        Controls::label(QStringLiteral("lblCompanyProduct"),
                        QStringLiteral("Velmora Leermiddelen - aardrijkskunde op de kaart"), Frame1);

    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(18, 18, 18, 14);
    grid->setHorizontalSpacing(20);
    grid->addWidget(imgLogo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblProductName, 0, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(lblPlatform, 1, 1, Qt::AlignRight);
    grid->addWidget(lblVersion, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(Image1, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(lblCompanyProduct, 4, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(3, 1);
    setFixedSize(sizeHint().expandedTo(QSize(480, 280)));

    m_closeOnClick = {Frame1, imgLogo, lblProductName, lblPlatform, lblCompanyProduct};
    m_ignoreClick = {lblVersion, Image1};
    for (QObject* object : m_closeOnClick + m_ignoreClick)
        object->installEventFilter(this);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(Interval);
    connect(Timer1, &QTimer::timeout, this, &QDialog::accept);
    Timer1->start();
}

int frmSplash::exec()
{
    // QDialog::exec() waits forever when a close comes before its loop runs,
    // as a key press or a timer handled while the window is being shown can.
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    setWindowModality(Qt::ApplicationModal);
    show();
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
    return result();
}

void frmSplash::setShownHook(ShownHook hook)
{
    shownHook() = std::move(hook);
}

void frmSplash::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setFocus();
    if (shownHook())
        shownHook()(*this);
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    accept();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    const bool click = event->type() == QEvent::MouseButtonPress ||
                       event->type() == QEvent::MouseButtonRelease ||
                       event->type() == QEvent::MouseButtonDblClick;
    if (!click)
        return QDialog::eventFilter(watched, event);
    // Labels pass their clicks on to the panel; the version and the second
    // picture must keep theirs.
    if (m_ignoreClick.contains(watched))
        return true;
    if (m_closeOnClick.contains(watched)) {
        if (event->type() == QEvent::MouseButtonRelease)
            accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace korvel
