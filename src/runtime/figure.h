#pragma once

#include <QWidget>
#include <initializer_list>
#include <vector>

namespace lptseg {

class Window;

// Several controls that together draw one picture. To a screen reader they are
// one graphic whose name says what the picture shows; the parts are not visited
// one by one. On screen it is nothing: it lies over its parts, draws nothing and
// lets the mouse through.
class Figure : public QWidget {
public:
    Figure(Window& form, std::initializer_list<QWidget*> parts);

    // What the picture shows now, in words; screen readers are told of a change.
    void Describe(const QString& what);
    QString Description() const { return description_; }

    bool HasPart(const QWidget& control) const;

private:
    std::vector<QWidget*> parts_;
    QString description_;
};

} // namespace lptseg
