#include "app/app_session.h"

#include "formats/embedded_resources.h"
#include "formats/ini_file.h"
#include "image/defaults.h"

namespace vornik {

AppSession::AppSession(std::unique_ptr<HidPlatform> p, Clock& c)
    : device(std::move(p), c), clock(c) {
    model.image().bytes = builtInImage();
    const auto org = embeddedResource("ORG");
    options = parseOptions(
        IniFile::parse(std::string_view(reinterpret_cast<const char*>(org.data()), org.size())));
}

}  // namespace vornik
