#pragma once

// The limits of the score pages' controls: the longest team name a name box takes and the highest count
// an up/down control reaches. The windows build their controls with them and the remote control checks
// its values against them, so both refuse the same input.
namespace pagelimits {

struct Score
{
    int nameLength;
    int maxScore;
};

constexpr Score kSoccer{12, 99};
constexpr Score kFootball{14, 999};
constexpr Score kGameAndSet{20, 99}; // games; the sets have their own maximum
constexpr int kGameAndSetMaxSets = 999;
constexpr int kDurationLength = 5;   // the football page's game duration box
constexpr int kWatchTextLength = 25; // the clock page's small line, in the configuration dialog

} // namespace pagelimits
