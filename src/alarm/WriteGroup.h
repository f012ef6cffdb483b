#pragma once
// The settings groups that are written to the unit one at a time, named here so that what a
// setting belongs to can be told without the link. How each group is sent is in ops/WriteGroups.

#include <array>

namespace alvetra {

// In the order in which writing all groups writes them.
enum class WriteGroup { PcPassword, Codes, TurnSignals, CentralLocks, AntiTheft, AntiHijack, Rearming, CanGroup, CanOptions };

inline constexpr std::array<WriteGroup, 9> kWriteAllOrder{
    WriteGroup::PcPassword, WriteGroup::Codes, WriteGroup::TurnSignals, WriteGroup::CentralLocks,
    WriteGroup::AntiTheft, WriteGroup::AntiHijack, WriteGroup::Rearming, WriteGroup::CanGroup,
    WriteGroup::CanOptions};

// Units from this family on have the CAN-analysis options and confirm the CAN group with their
// own request.
constexpr int kCanAnalysisFamily = 15;

} // namespace alvetra
