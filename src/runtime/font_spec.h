#pragma once

#include <QFont>

namespace lptseg {

// A font as the design names it. Faces that are not installed fall back to
// installed faces of similar size and style.
struct FontSpec {
    enum Face { MsSansSerif, VinetaBT };
    Face face = MsSansSerif;
    double points = 8.25;
    bool bold = false;
    bool italic = false;

    QFont ToQFont() const;
};

} // namespace lptseg
