#include "alarm/SettingsDiff.h"

#include "alarm/AlarmTexts.h"

#include <algorithm>

namespace alvetra {

namespace {

const SettingWords *find(const std::vector<SettingWords> &list, const SettingWords &line)
{
    const auto it = std::find_if(list.begin(), list.end(), [&](const SettingWords &other) {
        return other.tab == line.tab && other.setting == line.setting;
    });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

std::vector<SettingDifference> diffSettings(const std::vector<SettingWords> &here, const std::vector<SettingWords> &there)
{
    std::vector<SettingDifference> differences;
    for (const SettingWords &line : here) {
        const SettingWords *other = find(there, line);
        if (!other || other->value != line.value)
            differences.push_back({line.tab, line.setting, line.value, other ? other->value : texts::kAbsent,
                                   line.group, line.flagsWord, line.secret});
    }
    for (const SettingWords &line : there) {
        if (!find(here, line))
            differences.push_back(
                {line.tab, line.setting, texts::kAbsent, line.value, line.group, line.flagsWord, line.secret});
    }
    return differences;
}

void maskSecrets(std::vector<SettingDifference> &differences)
{
    for (SettingDifference &d : differences) {
        if (!d.secret)
            continue;
        if (d.here != texts::kAbsent)
            d.here = kMaskedValue;
        if (d.there != texts::kAbsent)
            d.there = kMaskedValue;
    }
}

std::vector<WriteGroup> changedGroups(const std::vector<SettingDifference> &differences)
{
    std::vector<WriteGroup> groups;
    for (WriteGroup group : kWriteAllOrder) {
        if (std::any_of(differences.begin(), differences.end(),
                        [group](const SettingDifference &d) { return d.group == group; }))
            groups.push_back(group);
    }
    return groups;
}

} // namespace alvetra
