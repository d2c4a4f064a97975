#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace lptseg {

// A control array with a single element at a fixed index: the control is
// always named through the array and its index, as in txt4[1].
template <class Control> class ControlArray {
public:
    template <class... Args>
    explicit ControlArray(int index, Args&&... args)
        : index_(index), control_(std::forward<Args>(args)...) {}

    Control& operator[](int index) {
        if (index != index_)
            throw std::out_of_range("Kontrola s indeksom " + std::to_string(index) +
                                    " ne postoji.");
        return control_;
    }

private:
    int index_;
    Control control_;
};

} // namespace lptseg
