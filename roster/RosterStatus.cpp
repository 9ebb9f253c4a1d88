#include "roster/RosterStatus.h"

RosterCounts RosterStatus::GetSnapshot() const
{
    std::lock_guard<std::mutex> lock(Lock);
    return Counts;
}

UINT RosterStatus::GetErrors() const
{
    std::lock_guard<std::mutex> lock(Lock);
    return Counts.nErrors;
}

void RosterStatus::ClearCounters()
{
    std::lock_guard<std::mutex> lock(Lock);
    Counts.nWithRostering = 0;
    Counts.nToMinimum = 0;
    Counts.nErrors = 0;
    Counts.nToBeRostered = 0;
    Counts.nToMaximum = 0;
}

void RosterStatus::ClearPassCounters()
{
    std::lock_guard<std::mutex> lock(Lock);
    Counts.nToMinimum = 0;
    Counts.nErrors = 0;
    Counts.nToBeRostered = 0;
    Counts.nToMaximum = 0;
}

void RosterStatus::AddWithRostering()
{
    std::lock_guard<std::mutex> lock(Lock);
    ++Counts.nWithRostering;
}

void RosterStatus::AddToMinimum()
{
    std::lock_guard<std::mutex> lock(Lock);
    ++Counts.nToMinimum;
}

void RosterStatus::AddToMaximum()
{
    std::lock_guard<std::mutex> lock(Lock);
    ++Counts.nToMaximum;
}

void RosterStatus::AddToBeRostered()
{
    std::lock_guard<std::mutex> lock(Lock);
    ++Counts.nToBeRostered;
}

void RosterStatus::AddError()
{
    std::lock_guard<std::mutex> lock(Lock);
    ++Counts.nErrors;
}

void RosterStatus::RemoveError()
{
    std::lock_guard<std::mutex> lock(Lock);
    if (Counts.nErrors > 0)
        --Counts.nErrors;
}

void RosterStatus::SetPassText(const std::string& s_text)
{
    std::lock_guard<std::mutex> lock(Lock);
    Counts.sPassText = s_text;
}

void RosterStatus::SetParticipantText(const std::string& s_text)
{
    std::lock_guard<std::mutex> lock(Lock);
    Counts.sParticipantText = s_text;
}
