#include "app/app_session.h"

#include "image/defaults.h"

namespace vornik {

AppSession::AppSession(std::unique_ptr<HidPlatform> p, Clock& c)
    : platform(std::move(p)), clock(c), link(*platform), protocol(link, clock) {
    link.DevIdTable[0] = {kMouseVendorId, kMouseProductId};
    image.DataBuf = BuiltInImage();
}

}  // namespace vornik
