// The status block of a rostering run: the five counters the control
// dialog shows and the texts of the pass and of the participant being
// worked on.
//
// The engine writes it on the worker thread while the dialog reads it on
// the user-interface thread, so every field lives behind the block's own
// lock: writers change it through the operations below, readers take a
// plain copy (GetSnapshot) and never hold the lock longer than that.
#pragma once

#include "framework/Types.h"

#include <mutex>
#include <string>

// A copy of the status block at one moment.
struct RosterCounts {
    // Participants with at least one effective roster style.
    UINT nWithRostering = 0;
    UINT nToMinimum = 0;
    UINT nErrors = 0;
    // Below their minimum without an error (counted only before a run).
    UINT nToBeRostered = 0;
    UINT nToMaximum = 0;
    std::string sPassText;
    std::string sParticipantText;

    bool operator==(const RosterCounts&) const = default;
};

class RosterStatus {
public:
    // Every counter 0, both texts empty.
    RosterStatus() = default;
    RosterStatus(const RosterStatus&) = delete;
    RosterStatus& operator=(const RosterStatus&) = delete;

    RosterCounts GetSnapshot() const;
    UINT GetErrors() const;

    // All five counters 0; the texts stay.
    void ClearCounters();
    // The counters a pass starts from: 0, except the participants with
    // rostering, which keep the last recount's value.
    void ClearPassCounters();

    void AddWithRostering();
    void AddToMinimum();
    void AddToMaximum();
    void AddToBeRostered();
    void AddError();
    // One error less, while there are any.
    void RemoveError();

    void SetPassText(const std::string& s_text);
    void SetParticipantText(const std::string& s_text);

private:
    mutable std::mutex Lock;
    RosterCounts Counts;
};
