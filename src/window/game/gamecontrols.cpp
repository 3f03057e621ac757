#include "window/game/gamewindow.h"

#include "window/widgets/colour.h"
#include "window/widgets/designlabel.h"
#include "window/widgets/drawingsurface.h"
#include "window/widgets/imagebox.h"
#include "window/widgets/layout.h"
#include "window/widgets/picturebutton.h"
#include "window/widgets/shape.h"

#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace window {
namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

Shape *makeShape(const ShapeDesign &design, QWidget *parent)
{
    auto *shape = new Shape(design.fill, design.outlineWidth, parent);
    shape->setObjectName(text(design.name));
    shape->setGeometry(design.rect.toPixels());
    return shape;
}

DesignLabel *makeLabel(const LabelDesign &design, QWidget *parent)
{
    auto *label = new DesignLabel(text(design.caption), parent);
    label->setObjectName(text(design.name));
    label->setGeometry(design.rect.toPixels());
    label->setFont(design.font.toQFont());
    setColour(label, QPalette::WindowText, design.text);
    if (design.background.isValid()) {
        setColour(label, QPalette::Window, design.background);
        label->setAutoFillBackground(true);
    }
    if (design.centred)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    if (design.toolTip)
        label->setToolTip(text(design.toolTip));
    label->setBorder(design.border);
    label->setSizedToFit(design.sizedToFit);
    label->setVisible(!design.hidden);
    return label;
}

template <typename Control> Control *makeInput(const InputDesign &design, QWidget *parent)
{
    auto *control = new Control(text(design.caption), parent);
    control->setObjectName(text(design.name));
    control->setGeometry(design.rect.toPixels());
    if (design.font.family)
        control->setFont(design.font.toQFont());
    if (design.toolTip)
        control->setToolTip(text(design.toolTip));
    if (design.accessibleName)
        control->setAccessibleName(text(design.accessibleName));
    return control;
}

PictureButton *makeButton(const InputDesign &design, QWidget *parent)
{
    auto *button = makeInput<PictureButton>(design, parent);
    setColour(button, QPalette::Button, design.face);
    return button;
}

} // namespace

void GameWindow::buildControls()
{
    setWindowTitle(text(layout::caption));
    setWindowIcon(QIcon(QStringLiteral(":/window/icon.svg")));
    QMenu *menu = nullptr;
    for (const MenuEntry &entry : layout::menuEntries) {
        if (!menu || menu->title() != text(entry.menu))
            menu = menuBar()->addMenu(text(entry.menu));
        menu->addAction(text(entry.caption))->setObjectName(text(entry.name));
    }

    m_surface = new DrawingSurface(layout::clientArea.toPixels().size(), this);
    m_surface->setPicture(QIcon(QStringLiteral(":/window/picture.svg")), layout::picture.toPixels());
    setColour(m_surface, QPalette::Window, systemColour::scrollBar);
    setColour(m_surface, QPalette::WindowText, systemColour::inactiveCaptionText);
    setCentralWidget(m_surface);

    // Children stack in the order they are made: shapes first, then labels and the image, then
    // the controls that take input.
    m_scorePanel = makeShape(layout::scorePanel, m_surface);
    makeShape(layout::scorePanelFace, m_surface);
    m_clockPanel = makeShape(layout::clockPanel, m_surface);
    makeShape(layout::clockPanelFace, m_surface);
    makeShape(layout::answerPanel, m_surface);

    makeLabel(layout::rightHeading, m_surface);
    m_rightCountLabel = makeLabel(layout::rightCount, m_surface);
    makeLabel(layout::wrongHeading, m_surface);
    m_wrongCountLabel = makeLabel(layout::wrongCount, m_surface);
    makeLabel(layout::totalHeading, m_surface);
    m_totalCountLabel = makeLabel(layout::totalCount, m_surface);

    auto *alarmClock = new ImageBox(QIcon(QStringLiteral(":/window/alarmclock.svg")), m_surface);
    alarmClock->setObjectName(text(layout::alarmClock.name));
    alarmClock->setGeometry(layout::alarmClock.rect.toPixels());
    alarmClock->setToolTip(text(layout::alarmClock.toolTip));
    makeLabel(layout::clockHeading, m_surface);
    m_clockLabel = makeLabel(layout::clockDisplay, m_surface);

    m_firstFactorLabel = makeLabel(layout::firstFactor, m_surface);
    m_timesSignLabel = makeLabel(layout::timesSign, m_surface);
    m_secondFactorLabel = makeLabel(layout::secondFactor, m_surface);
    m_verdictLabel = makeLabel(layout::verdict, m_surface);

    makeLabel(layout::playerHeading, m_surface);
    m_playerNameLabel = makeLabel(layout::playerName, m_surface);
    makeLabel(layout::championHeading, m_surface);
    m_championNameLabel = makeLabel(layout::championName, m_surface);
    // A long champion's name must leave "con punti" and the best score readable.
    m_championNameLabel->setReach(layout::bestScoreHeading.rect.toPixels().left());
    makeLabel(layout::bestScoreHeading, m_surface);
    m_bestScoreLabel = makeLabel(layout::bestScore, m_surface);

    m_answerBox = makeInput<QLineEdit>(layout::answerBox, m_surface);
    m_answerBox->setMaxLength(layout::answerMaxLength);
    m_answerBox->setAlignment(Qt::AlignCenter);
    setColour(m_answerBox, QPalette::Base, layout::answerBox.face);
    setColour(m_answerBox, QPalette::Text, layout::answerBox.text);

    auto *next = makeButton(layout::nextExerciseButton, m_surface);
    QIcon face(QStringLiteral(":/window/face-smile.svg"));
    face.addFile(QStringLiteral(":/window/face-tongue.svg"), QSize(), QIcon::Disabled);
    next->setIcon(face);
    next->setDownPicture(QIcon(QStringLiteral(":/window/face-straight.svg")));
    next->setEnabled(false);
    // Enter presses the button when it has the focus, as after every verdict.
    next->setAutoDefault(true);
    m_nextExerciseButton = next;

    m_exitButton = makeButton(layout::exitButton, m_surface);
    m_exitButton->setIcon(QIcon(QStringLiteral(":/window/noentry.svg")));

    setTabOrder(m_exitButton, m_answerBox);
    setTabOrder(m_answerBox, m_nextExerciseButton);

    // The layout is absolute: the window keeps the size of its client area and menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());
}

void GameWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The captions are measured only now: the game asks the player's name before its window
    // shows, and has no need of the captions' fonts until then.
    for (DesignLabel *label : m_surface->findChildren<DesignLabel *>())
        label->fitCaption();
}

} // namespace window
