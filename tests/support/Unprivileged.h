#pragma once
// Runs a test body bound by permission bits as an ordinary user is (see
// PermissionBits). The body returns an empty text on success, else what
// went wrong.
#include "ReadOnlyFolder.h"

#include <functional>
#include <string>

namespace testenv {

inline std::string Unprivileged(const std::function<std::string()> &body)
{
    const PermissionBits bits;
    return bits.bound ? body() : std::string("the permission override could not be given up");
}

} // namespace testenv
