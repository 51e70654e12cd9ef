#include "core/LibraryTexts.h"

#include "reclib_api.h"

namespace reclib {

std::string mediaTypeNames(uint32_t mediaSet, const char *separator)
{
    const std::string between = separator != nullptr ? separator : ", ";
    std::string names;
    const auto add = [&](uint32_t bit, const char *name) {
        if ((mediaSet & bit) != 0)
            names += (names.empty() ? "" : between) + name;
    };
    add(MEDIA_CD, "CD-R/RW");
    add(MEDIA_DVD_MINUS, "DVD-R/RW");
    add(MEDIA_DVD_PLUS, "DVD+R/RW");
    return names;
}

std::string waitReasonText(int waitType)
{
    switch (waitType) {
    case WAIT_REASON_INSERT_MEDIUM:
        return "Please insert a blank or rewritable disc into the recorder.";
    case WAIT_REASON_WRONG_MEDIUM:
        return "The disc in the recorder cannot take this burn. Please insert a blank disc of the right "
               "kind.";
    default:
        return {};
    }
}

} // namespace reclib
