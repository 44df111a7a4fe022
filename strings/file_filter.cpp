#include "strings/file_filter.h"

#include <algorithm>

namespace moniquet {

std::u16string FilterListFromText(std::u16string text) {
    std::replace(text.begin(), text.end(), u'|', u'\0');
    return text;
}

} // namespace moniquet
