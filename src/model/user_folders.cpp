#include "model/user_folders.h"

namespace vornik {

namespace {

std::optional<std::string> nonEmpty(const EnvironmentLookup& environment, const char* name) {
    auto value = environment(name);
    if (!value || value->empty()) return std::nullopt;
    return value;
}

std::string withSeparator(std::string folder, char separator) {
    if (folder.back() != separator && folder.back() != '/') folder += separator;
    return folder;
}

std::optional<std::string> userFolder(const EnvironmentLookup& environment,
                                      FolderConvention convention, const char* xdgVariable,
                                      const char* xdgDefault, const char* windowsVariable) {
    if (convention == FolderConvention::Windows) {
        const auto base = nonEmpty(environment, windowsVariable);
        if (!base) return std::nullopt;
        return withSeparator(*base, '\\') + "Vornik\\";
    }
    if (const auto base = nonEmpty(environment, xdgVariable); base && base->front() == '/')
        return withSeparator(*base, '/') + "vornik/";
    const auto home = nonEmpty(environment, "HOME");
    if (!home) return std::nullopt;
    return withSeparator(*home, '/') + xdgDefault + "vornik/";
}

}  // namespace

std::optional<std::string> userDataFolder(const EnvironmentLookup& environment,
                                          FolderConvention convention) {
    return userFolder(environment, convention, "XDG_DATA_HOME", ".local/share/", "APPDATA");
}

std::optional<std::string> userStateFolder(const EnvironmentLookup& environment,
                                           FolderConvention convention) {
    return userFolder(environment, convention, "XDG_STATE_HOME", ".local/state/", "LOCALAPPDATA");
}

}  // namespace vornik
