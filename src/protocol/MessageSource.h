// SPDX-License-Identifier: GPL-3.0-or-later
// Where the pumps get a message when the queue runs low: the program's change
// scanner, or a fake in tests.
//
// The constraint: it must always return a message (a row write, or a status
// poll when nothing has changed), so an idle link is still polled.
#pragma once

#include <memory>

#include "protocol/SendData.h"

class MessageSource {
  public:
    virtual ~MessageSource() = default;
    virtual std::unique_ptr<CSendData> NextPendingMessage() = 0;
};
