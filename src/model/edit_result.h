#pragma once

#include <string>
#include <utility>

namespace vornik {

// What an edit did: refused with a reason, or accepted, changing something or not.
struct EditResult {
    bool changed = false;
    std::string error;  // empty when accepted

    bool ok() const { return error.empty(); }
    static EditResult refused(std::string reason) { return {false, std::move(reason)}; }
};

}  // namespace vornik
