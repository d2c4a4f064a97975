#include "standard_descriptors.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lptseg {

ClosedStandardDescriptors OpenClosedStandardDescriptors() {
    ClosedStandardDescriptors closed;
#ifndef _WIN32
    bool* const flags[] = {&closed.input, &closed.output, &closed.error};
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1)
            continue;
        *flags[fd] = true;
        // The lowest free number is fd itself, the ones below it being open by now.
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0)
            close(opened);
    }
#endif
    return closed;
}

} // namespace lptseg
