#include "standard_descriptors.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lptseg {

bool OpenClosedStandardDescriptors() {
    bool outputClosed = false;
#ifndef _WIN32
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1)
            continue;
        outputClosed = outputClosed || fd == 1;
        // The lowest free number is fd itself, the ones below it being open by now.
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0)
            close(opened);
    }
#endif
    return outputClosed;
}

} // namespace lptseg
