#pragma once

#include "colour.h"

#include <QColor>
#include <QPalette>
#include <QWidget>
#include <optional>

namespace lptseg {

inline QColor ToQColor(Colour c) {
    return QColor(c.r, c.g, c.b);
}

// Fills the widget's background with backColor and, if given, sets its text colour.
inline void SetColours(QWidget& widget, Colour backColor, std::optional<Colour> foreColor = {}) {
    QPalette p = widget.palette();
    p.setColor(QPalette::Window, ToQColor(backColor));
    if (foreColor)
        p.setColor(QPalette::WindowText, ToQColor(*foreColor));
    widget.setPalette(p);
    widget.setBackgroundRole(QPalette::Window);
    widget.setAutoFillBackground(true);
}

} // namespace lptseg
