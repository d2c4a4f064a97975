#include "message_inserts.h"

namespace lptseg {

std::string FillInserts(const std::string& text, const std::string& file) {
    std::string filled;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at + 1;
        while (text[at] == '%' && end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end == at + 1)
            filled += text[at];
        else if (text.compare(at, end - at, "%1") == 0)
            filled += file;
        at = end;
    }
    return filled;
}

} // namespace lptseg
