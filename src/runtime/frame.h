#pragma once

#include "colour.h"
#include "twips.h"

#include <QWidget>

namespace lptseg {

class Window;

// A titled box drawn behind other controls: an etched border with the caption
// set into its top edge. It has no behaviour.
class Frame : public QWidget {
public:
    Frame(Window& form, const QString& caption, const Twips& place, Colour backColor, int tabIndex);

    QString Caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor backColor_;
};

} // namespace lptseg
