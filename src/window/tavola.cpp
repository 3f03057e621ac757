#include "window/tavola.h"

#include "window/drawingsurface.h"
#include "window/layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace window {

Tavola::Tavola(std::unique_ptr<Dialogs> dialogs, narrator::Performer *performer,
               std::unique_ptr<engine::RandomSource> random, QWidget *parent)
    : QMainWindow(parent), Agent1(new narrator::Agent(performer, this)), m_dialogs(std::move(dialogs)),
      m_random(std::move(random))
{
    setObjectName(QStringLiteral("Tavola"));
    buildControls();
    connect(cmdNext, &QPushButton::clicked, this, &Tavola::cmdNext_Click);
}

Tavola::~Tavola() = default;

void Tavola::buildControls()
{
    surface = new DrawingSurface(layout::clientArea.toPixels().size(), this);
    setCentralWidget(surface);

    const auto makeLabel = [this](const QString &name, const TwipsRect &rect, const QString &caption) {
        auto *label = new QLabel(caption, surface);
        label->setObjectName(name);
        label->setGeometry(rect.toPixels());
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    lblNum1 = makeLabel(QStringLiteral("lblNum1"), layout::lblNum1, QString());
    Label10 = makeLabel(QStringLiteral("Label10"), layout::Label10, QStringLiteral("X"));
    lblNum2 = makeLabel(QStringLiteral("lblNum2"), layout::lblNum2, QString());
    lblMessage = makeLabel(QStringLiteral("lblMessage"), layout::lblMessage, QStringLiteral("io"));
    lblNum1->hide();
    Label10->hide();
    lblNum2->hide();

    Text3 = new QLineEdit(QStringLiteral("Text3"), surface);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setGeometry(layout::Text3.toPixels());
    Text3->setMaxLength(250);

    cmdNext = new QPushButton(QStringLiteral("&Nuovo calcolo"), surface);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setGeometry(layout::cmdNext.toPixels());
    cmdNext->setEnabled(false);
}

QString Tavola::numlett(speller::Decimal4 &numer)
{
    return speller::numlett(numer, numberWords);
}

} // namespace window
