#include "UvodUnit.h"

#include "platform/Platform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

T_Uvod::T_Uvod(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen) {
    setFixedSize(400, 200);
    setStyleSheet("background: white;");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Ostrelog", this);
    QFont f = title->font();
    f.setPointSize(28);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(versionLabel(), this);
    version->setObjectName("Version");
    version->setAlignment(Qt::AlignCenter);
    gauge_ = new QProgressBar(this);
    gauge_->setRange(0, 30);
    gauge_->setValue(0);
    gauge_->setTextVisible(false);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(gauge_);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void T_Uvod::advance() {
    gauge_->setValue(gauge_->value() + 1);
}

QString T_Uvod::versionLabel() {
    const QStringList v = Platform::versionText().split('.');
    if (v.size() < 3) return "Version ?? build ?? on " + Platform::versionText();
    return "Version " + v[0] + "." + v[1] + " build " + v[2];
}
