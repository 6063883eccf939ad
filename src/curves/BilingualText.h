// SPDX-License-Identifier: GPL-3.0-or-later
// Every user-visible text exists in English and simplified Chinese. The core
// returns both and the interface picks one by the application's language flag.
#pragma once

#include <string_view>

enum class Language { English = 0, Chinese = 1 };

struct BilingualText {
    std::string_view english;
    std::string_view chinese;  // UTF-8
    std::string_view In(Language language) const {
        return language == Language::Chinese ? chinese : english;
    }
};
