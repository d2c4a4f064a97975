#include "hardware_guide.h"

#include <filesystem>

namespace lptseg {

std::string HardwareGuide() {
    namespace fs = std::filesystem;
    std::error_code error;
    // An installed program lies in PREFIX/bin and its guide in PREFIX/share/doc.
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path installed = program.parent_path().parent_path() / LPTSEG_INSTALLED_GUIDE;
        if (fs::is_regular_file(installed, error))
            return installed.lexically_normal().string();
    }
    return LPTSEG_SOURCE_GUIDE;
}

} // namespace lptseg
