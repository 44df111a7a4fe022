#include "strings/localized_strings.h"

#include <windows.h>

#include "res/resource.h"
#include "strings/file_filter.h"
#include "strings/string_block.h"

namespace moniquet {

uint16_t g_languageId = 1036;

std::u16string LoadLocalizedString(unsigned id) {
    const uint16_t blockNumber = StringBlockNumber(id);
    if (blockNumber == 0) {
        return {};
    }
    // Only the requested language: no fallback to another table.
    HRSRC info = FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(blockNumber), g_languageId);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, info);
    if (loaded == nullptr) {
        return {};
    }
    const void* data = LockResource(loaded);
    const DWORD size = SizeofResource(nullptr, info);
    if (data == nullptr || size == 0) {
        return {};
    }
    const std::span<const uint8_t> block(static_cast<const uint8_t*>(data), size);
    return FindStringInBlock(block, StringIndexInBlock(id));
}

std::u16string BuildFileFilter() {
    return FilterListFromText(LoadLocalizedString(IDS_FILE_FILTER));
}

} // namespace moniquet
