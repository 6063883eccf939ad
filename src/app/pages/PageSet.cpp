// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/PageSet.h"

#include "app/pages/EffectPage.h"
#include "app/pages/InputEqPage.h"
#include "app/pages/MainPage.h"
#include "app/pages/OutputPage.h"

PageSet CreatePages(PageServices& services, QWidget* parent) {
    return {new MainPage(services, parent), new InputEqPage(services, parent),
            new EffectPage(services, parent), new OutputPage(services, parent)};
}
