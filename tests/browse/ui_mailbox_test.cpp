#include "browse/ui_mailbox.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/support/wait_until.h"

namespace skelvane {
namespace {

// A UI thread that counts its wake-ups and can refuse them, as a full
// message queue would.
struct CountedWakeUps {
    int count = 0;
    bool accept = true;
    UiMailbox::WakeUp Callable() {
        return [this] {
            ++count;
            return accept;
        };
    }
};

TEST(UiMailbox, WakesOncePerLookAndAgainOnlyOnceALookFoundItEmpty) {
    enum Step { kPut, kTake, kRefuse, kAccept };
    struct Case {
        Step step;
        int wakeUpsAfter;
        std::size_t takenCount;
    };
    const Case steps[] = {
        {kPut, 1, 0},    {kPut, 1, 0},   // one wake-up for a burst
        {kTake, 1, 2},   {kPut, 1, 0},   // the UI thread looks again by itself
        {kTake, 1, 1},   {kTake, 1, 0},  // ...until it finds the box empty
        {kRefuse, 1, 0}, {kPut, 2, 0},   // a wake-up that did not go out
        {kAccept, 2, 0}, {kPut, 3, 0},   // is tried again with the next item
        {kPut, 3, 0},    {kTake, 3, 3},
    };
    CountedWakeUps ui;
    UiMailbox mailbox;
    mailbox.SetWakeUp(ui.Callable());
    std::int32_t next = 0;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Case& c = steps[i];
        std::size_t taken = 0;
        if (c.step == kPut) {
            mailbox.PutParsed(next++);
        } else if (c.step == kTake) {
            taken = mailbox.Take().parsed.size();
        } else {
            ui.accept = c.step == kAccept;
        }
        EXPECT_EQ(ui.count, c.wakeUpsAfter) << "step " << i;
        EXPECT_EQ(taken, c.takenCount) << "step " << i;
    }
}

TEST(UiMailbox, KeepsTheLatestTextAndWhatCameBeforeAnyoneToWake) {
    UiMailbox mailbox;
    mailbox.PutStatus(u"Querying servers...");
    mailbox.PutParsed(4);
    CountedWakeUps ui;
    mailbox.SetWakeUp(ui.Callable());
    mailbox.PutStatus(std::u16string(2000, u'x').c_str());
    EXPECT_EQ(ui.count, 1);
    const UiMailbox::Contents contents = mailbox.Take();
    EXPECT_TRUE(contents.hasStatus);
    EXPECT_EQ(std::u16string(contents.status), std::u16string(kStatusTextCapacity - 1, u'x'));
    EXPECT_EQ(contents.parsed, std::vector<std::int32_t>{4});

    mailbox.SetWakeUp({});
    mailbox.PutParsed(5);
    EXPECT_EQ(ui.count, 1) << "a window that has gone is not woken";
}

TEST(UiMailbox, AReplacedTableTakesItsParsedRecordsAlongButNotTheText) {
    UiMailbox mailbox;
    mailbox.PutParsed(1);
    mailbox.PutStatus(u"Resolving master...");
    mailbox.DiscardParsed();
    mailbox.PutParsed(2);
    const UiMailbox::Contents contents = mailbox.Take();
    EXPECT_EQ(std::u16string(contents.status), u"Resolving master...");
    EXPECT_EQ(contents.parsed, std::vector<std::int32_t>{2});
}

TEST(UiMailbox, LosesNothingWhileTheUiThreadTakesAsItComes) {
    constexpr std::int32_t kAnswers = 20000;
    UiMailbox mailbox;
    std::thread receiver([&mailbox] {
        for (std::int32_t i = 0; i < kAnswers; ++i) {
            mailbox.PutParsed(i);
        }
    });
    std::vector<std::int32_t> seen;
    const bool all = test::WaitUntil(
        [&] {
            const UiMailbox::Contents taken = mailbox.Take();
            seen.insert(seen.end(), taken.parsed.begin(), taken.parsed.end());
            return seen.size() == static_cast<std::size_t>(kAnswers);
        },
        10000, 1);
    receiver.join();
    ASSERT_TRUE(all) << seen.size();
    for (std::int32_t i = 0; i < kAnswers; ++i) {
        ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
    }
}

}  // namespace
}  // namespace skelvane
