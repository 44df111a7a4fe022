#include "ui/display_text.h"

#include <algorithm>

namespace moniquet {

std::u16string MakeDisplayText(std::u16string_view text) {
    std::u16string shown(text);
    std::replace(shown.begin(), shown.end(), u'\0', u' ');
    return shown;
}

} // namespace moniquet
