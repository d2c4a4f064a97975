#include "system_services.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace lptseg {

void SystemBeeper::Beep() {
    QApplication::beep();
}

void MessageBoxReport::Show(QWidget* parent, const QString& title, const QString& message) {
    // On a platform without a screen nobody could dismiss the box; the message
    // is on standard error already.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace lptseg
