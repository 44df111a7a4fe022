// What the DRM connector scan makes of names and texts it finds in sysfs,
// apart from any file reading so that each rule can be checked on its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace moniquet {

// "card", a card number, "-" and a connector name: "card0-HDMI-A-1". The
// folder also holds the cards themselves ("card0"), render nodes and files.
bool IsConnectorName(std::string_view name);

// At most this many bytes of a connector's "status" are read: its longest
// text, "disconnected\n", has 13.
inline constexpr std::size_t kStatusReadLimit = 32;

// `status` (the start of the "status" file) says "connected", with or
// without its newline and nothing after it.
bool IsConnectedStatus(std::string_view status);

// A connector's folder name as the record's source: UTF-8, as sysfs names
// are, to UTF-16; each byte that is not part of valid UTF-8 (an overlong
// form, a surrogate, a sequence cut short) becomes U+FFFD.
std::u16string ConnectorSourceName(std::string_view folderName);

} // namespace moniquet
