#include "measure/forms/Logo.h"

#include "appearance/Pictures.h"

#include "base/Platform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

TLogoForm::TLogoForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("LogoForm"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(521, 315);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 521, 315);
    Image1->setPixmap(ProgramPicture(QStringLiteral("Pictures/Splash.png"), devicePixelRatioF()));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}
