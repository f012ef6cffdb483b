#include "sim/UnitFaults.h"

namespace alvetra::sim {

void UnitFaults::setPlan(const FaultPlan &plan)
{
    plan_ = plan;
    readsAnswered_ = 0;
    readsSilenced_ = false;
    readSilenceSpent_ = false;
    readsToLose_ = plan.readsLostOnce;
    readsLosing_.clear();
    repliesToLose_ = plan.repliesLostOnce;
    writesSeen_ = 0;
}

bool UnitFaults::answerRead(int address)
{
    if (readsSilenced_ || readsLosing_.count(address) != 0)
        return false;
    if (readsToLose_.erase(address) != 0) {
        readsLosing_.insert(address);
        return false;
    }
    if (plan_.silenceAfterReads && !readSilenceSpent_ && readsAnswered_ >= *plan_.silenceAfterReads) {
        readsSilenced_ = true;
        return false;
    }
    ++readsAnswered_;
    return true;
}

void UnitFaults::loginSeen()
{
    readsLosing_.clear();
    if (readsSilenced_) {
        readsSilenced_ = false;
        readSilenceSpent_ = true;
    }
    readsAnswered_ = 0;
}

bool UnitFaults::refuseThisWrite()
{
    ++writesSeen_;
    return plan_.refuseWrite && writesSeen_ == *plan_.refuseWrite;
}

bool UnitFaults::chance(double p)
{
    if (p <= 0.0)
        return false;
    if (p >= 1.0)
        return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p;
}

QByteArray UnitFaults::damage(QByteArray frameText)
{
    // The characters between ":" and ";" are hex digits; changing one of them to another digit
    // always breaks the check byte.
    const qsizetype end = frameText.indexOf(';');
    if (end < 2 || !chance(plan_.corruptProbability))
        return frameText;
    const qsizetype at = std::uniform_int_distribution<qsizetype>(1, end - 1)(rng_);
    static const char digits[] = "0123456789ABCDEF";
    const int shift = std::uniform_int_distribution<int>(1, 15)(rng_);
    const int old = QByteArray(digits).indexOf(frameText[at]);
    frameText[at] = digits[(std::max(old, 0) + shift) % 16];
    return frameText;
}

QByteArray UnitFaults::noise()
{
    QByteArray out;
    if (!chance(plan_.noiseProbability))
        return out;
    const int length = std::uniform_int_distribution<int>(1, 8)(rng_);
    std::uniform_int_distribution<int> byte(0, 255);
    while (out.size() < length) {
        const char c = static_cast<char>(byte(rng_));
        if (c != ':' && c != ';')
            out.append(c);
    }
    return out;
}

} // namespace alvetra::sim
