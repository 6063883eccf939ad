// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/PageSet.h"

#include "app/pages/MainPage.h"
#include "app/pages/OutputPage.h"
#include "app/pages/PlaceholderPage.h"

PageSet CreatePages(PageServices& services, QWidget* parent) {
    return {new MainPage(services, parent),
            new PlaceholderPage({"Input EQ", "输入均衡"}, true, parent),
            new PlaceholderPage({"Effect EQ", "效果均衡"}, false, parent),
            new OutputPage(services, parent)};
}
