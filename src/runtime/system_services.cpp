#include "system_services.h"

#include <QApplication>
#include <QMessageBox>

namespace lptseg {

void SystemBeeper::Beep() {
    QApplication::beep();
}

void MessageBoxReport::Show(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace lptseg
