#include "TorvelDockGroup.h"

TTorvelDockGroup::TTorvelDockGroup(const QString& section, const QString& caption, QWidget* parent)
    : QDockWidget(caption, parent) {
    setObjectName(section);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                QDockWidget::DockWidgetClosable);
}

bool TTorvelDockGroup::toggle() {
    const bool show = isHidden();
    setVisible(show);
    if (show) {
        raise();
        if (isFloating()) setWindowFlag(Qt::WindowStaysOnTopHint, true), this->show();
    }
    return show;
}

void TTorvelDockGroup::setCaption(const QString& caption) {
    if (windowTitle() == caption) return;
    setWindowTitle(caption);
    ++captionWrites_;
}
