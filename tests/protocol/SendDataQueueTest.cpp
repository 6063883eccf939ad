// SPDX-License-Identifier: GPL-3.0-or-later
// The queue holds its messages by value: a pointer it hands out must keep
// naming the same message while others are added behind it or answered in
// front of it, and a replacement must take the replaced message's turn.
#include <gtest/gtest.h>

#include "protocol/Requests.h"
#include "protocol/SendDataQueue.h"

namespace {

TEST(SendDataQueue, MessagesStayWhereTheyAreWhileOthersComeAndGo) {
    CSendDataQueue queue;
    queue.Add(BuildProgramRead());
    queue.Add(BuildStatusPoll());
    const CSendDataQueue::Guard guard = queue.Lock();
    CSendData* first = queue.Head(guard);
    CSendData* second = queue.Tail();
    first->ticket = 7;
    // Far more than one block of the container, so its growth is crossed.
    for (int i = 0; i < 200; ++i) {
        queue.Add(BuildStatusPoll());
    }
    EXPECT_EQ(queue.Head(guard), first);
    EXPECT_EQ(first->ticket, 7u);
    EXPECT_EQ(first->command, Command::kProgramRead);
    queue.RemoveHead(guard);
    EXPECT_EQ(queue.Head(guard), second);
    EXPECT_EQ(second->command, Command::kStatusPoll);
    EXPECT_EQ(queue.Count(), 201);
}

TEST(SendDataQueue, ReplacementTakesTheTurnOfTheMessageItReplaces) {
    CSendDataQueue queue;
    queue.Add(BuildStatusPoll());
    queue.Add(BuildStatusPoll());
    queue.Add(BuildProgramRead());
    const CSendData* middle =
        queue.FindUnsent([&queue](const CSendData& message) { return &message != queue.Head(); });
    ASSERT_NE(middle, nullptr);
    // Another command with a ticket of its own: all of it must move in.
    std::unique_ptr<CSendData> nameRead = BuildNameRead(3);
    nameRead->ticket = 9;
    const FrameBytes expected = nameRead->frame;
    queue.Replace(middle, std::move(nameRead));
    EXPECT_EQ(queue.CountOf(Command::kStatusPoll), 1);
    EXPECT_EQ(queue.Count(), 3);
    queue.RemoveHead();
    EXPECT_EQ(queue.Head()->frame, expected);
    EXPECT_EQ(queue.Head()->ticket, 9u);
}

TEST(SendDataQueue, NoMessageAddsNothing) {
    CSendDataQueue queue;
    queue.Add(nullptr);
    queue.Replace(nullptr, nullptr);
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.Head(), nullptr);
}

}  // namespace
