// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/SystemPortSource.h"

#include <QtGlobal>

#include "links/QtPortSource.h"
#if defined(Q_OS_LINUX)
#include "links/SysfsPortSource.h"
#endif

std::unique_ptr<PortInfoSource> MakeSystemPortSource() {
#if defined(Q_OS_LINUX)
    return std::make_unique<SysfsPortSource>();
#else
    return std::make_unique<QtPortSource>();
#endif
}
