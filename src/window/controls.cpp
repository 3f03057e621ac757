#include "window/tavola.h"

#include "window/designlabel.h"
#include "window/drawingsurface.h"
#include "window/imagebox.h"
#include "window/layout.h"
#include "window/picturebutton.h"
#include "window/shape.h"

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

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
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

void Tavola::buildControls()
{
    setWindowTitle(text(layout::caption));
    setWindowIcon(QIcon(QStringLiteral(":/window/icon.svg")));
    QMenu *menu = nullptr;
    for (const MenuEntry &entry : layout::menuEntries) {
        if (!menu || menu->title() != text(entry.menu))
            menu = menuBar()->addMenu(text(entry.menu));
        menu->addAction(text(entry.caption))->setObjectName(text(entry.name));
    }

    surface = new DrawingSurface(layout::clientArea.toPixels().size(), this);
    surface->setPicture(QIcon(QStringLiteral(":/window/picture.svg")), layout::picture.toPixels());
    setColour(surface, QPalette::Window, systemColour::scrollBar);
    setColour(surface, QPalette::WindowText, systemColour::inactiveCaptionText);
    setCentralWidget(surface);

    // Children stack in the order they are made: shapes first, then labels and the image, then
    // the controls that take input.
    Shape4 = makeShape(layout::Shape4, surface);
    Shape2 = makeShape(layout::Shape2, surface);
    Shape5 = makeShape(layout::Shape5, surface);
    Shape3 = makeShape(layout::Shape3, surface);
    Shape1 = makeShape(layout::Shape1, surface);

    Picture1 = new QWidget(surface);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(layout::Picture1.toPixels());
    setColour(Picture1, QPalette::Window, systemColour::activeBorder);
    Picture1->setAutoFillBackground(true);
    Picture1->hide();

    Label6 = makeLabel(layout::Label6, surface);
    lblScore = makeLabel(layout::lblScore, surface);
    Label1 = makeLabel(layout::Label1, surface);
    lblScore1 = makeLabel(layout::lblScore1, surface);
    Label3 = makeLabel(layout::Label3, surface);
    lblScore2 = makeLabel(layout::lblScore2, surface);

    Image1 = new ImageBox(QIcon(QStringLiteral(":/window/alarmclock.svg")), surface);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(layout::Image1.toPixels());
    Image1->setToolTip(text(layout::Image1ToolTip));
    Label11 = makeLabel(layout::Label11, surface);
    lblconto = makeLabel(layout::lblconto, surface);

    lblNum1 = makeLabel(layout::lblNum1, surface);
    Label10 = makeLabel(layout::Label10, surface);
    lblNum2 = makeLabel(layout::lblNum2, surface);
    lblMessage = makeLabel(layout::lblMessage, surface);

    Label14 = makeLabel(layout::Label14, surface);
    lblnome1 = makeLabel(layout::lblnome1, surface);
    Label12 = makeLabel(layout::Label12, surface);
    lblnome = makeLabel(layout::lblnome, surface);
    // A long champion's name must leave "con punti" and the best score readable.
    lblnome->setReach(layout::Label13.rect.toPixels().left());
    Label13 = makeLabel(layout::Label13, surface);
    lblpunti = makeLabel(layout::lblpunti, surface);

    Text3 = makeInput<QLineEdit>(layout::Text3, surface);
    Text3->setMaxLength(layout::Text3MaxLength);
    Text3->setAlignment(Qt::AlignCenter);
    setColour(Text3, QPalette::Base, layout::Text3.face);
    setColour(Text3, QPalette::Text, layout::Text3.text);

    auto *next = makeButton(layout::cmdNext, surface);
    QIcon face(QStringLiteral(":/window/face-smile.svg"));
    face.addFile(QStringLiteral(":/window/face-tongue.svg"), QSize(), QIcon::Disabled);
    next->setIcon(face);
    next->setDownPicture(QIcon(QStringLiteral(":/window/face-straight.svg")));
    next->setEnabled(false);
    // Enter presses the button when it has the focus, as after every verdict.
    next->setAutoDefault(true);
    cmdNext = next;

    cmdExit1 = makeButton(layout::cmdExit1, surface);
    cmdExit1->setIcon(QIcon(QStringLiteral(":/window/noentry.svg")));

    Command3 = makeInput<QPushButton>(layout::Command3, surface);
    Command3->hide();

    setTabOrder(cmdExit1, Text3);
    setTabOrder(Text3, cmdNext);
    setTabOrder(cmdNext, Command3);

    // The layout is absolute: the window keeps the size of its client area and menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());
}

void Tavola::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The captions are measured only now: the game asks the player's name before its window
    // shows, and has no need of the captions' fonts until then.
    for (DesignLabel *label : surface->findChildren<DesignLabel *>())
        label->fitCaption();
}

} // namespace window
