#pragma once

namespace lptseg {

// What screen readers are told of a window: it is a window named by its caption;
// a frame is a group, named by its caption, of the option buttons that lie
// inside it; a figure is one graphic named by what it shows, its parts unseen.
// Safe to call more than once.
void InstallAccessibility();

} // namespace lptseg
