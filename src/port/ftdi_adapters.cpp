#include "ftdi_adapters.h"

#include "port_error.h"

namespace lptseg {
namespace {

const std::string FtdiChips = "FT232R ili FT245R (USB 0403:6001)";
const std::string Unplugged = " Je li adapter iskopčan? Priključite ga i ponovno pokrenite lptseg.";

} // namespace

std::size_t ChooseFtdiAdapter(std::size_t count,
                              const std::function<std::string(std::size_t)>& serialOf,
                              const std::string& wanted) {
    if (count == 0)
        throw PortError("Nije pronađen nijedan FTDI adapter " + FtdiChips +
                        ". Priključite adapter i pokušajte ponovno.");
    if (wanted.empty())
        return 0;
    std::string found;
    for (std::size_t index = 0; index < count; ++index) {
        const std::string serial = serialOf(index);
        if (serial == wanted)
            return index;
        found += (found.empty() ? "" : ", ") +
                 (serial.empty() ? "(serijski broj nije čitljiv)" : serial);
    }
    throw PortError("FTDI adapter sa serijskim brojem \"" + wanted +
                    "\" nije priključen. Priključeni adapteri: " + found +
                    ". Navedite jedan od njih (--ftdi=SERIJSKI_BROJ) ili samo --ftdi za prvi.");
}

std::string FtdiOpenFailed(const std::string& reason) {
    return "FTDI adapter nije moguće otvoriti (" + reason +
           "). Iskopčajte ga, priključite ponovno i pokušajte opet.";
}

std::string FtdiBitBangRefused(const std::string& reason) {
    return "FTDI adapter nije moguće prebaciti u bit-bang način (" + reason +
           "). Je li to doista " + FtdiChips + "?";
}

std::string FtdiWriteFailed(const std::string& reason) {
    return "Na FTDI adapter nije moguće pisati (" + reason + ")." + Unplugged;
}

std::string FtdiGone() {
    return "FTDI adapter više nije dostupan." + Unplugged;
}

} // namespace lptseg
