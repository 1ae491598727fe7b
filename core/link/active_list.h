// The online flag and the list of controllers that answered the last scan.
// Offline every query covers all eight IDs; online only the scanned ones.
#pragma once

#include <array>
#include <atomic>

namespace tavimo::link {

inline constexpr int kMaxControllers = 8;

class ActiveControllers {
public:
    ActiveControllers() { ids_.fill(-1); }

    bool online() const { return online_.load(); }
    void setOnline(bool on) { online_ = on; }

    int activeCount() const;
    int activeId(int i) const;
    bool isActive(int id) const;

    // Replaces the list by the IDs found by a scan (ascending).
    void setScanned(const std::array<int, kMaxControllers>& ids, int count);
    void clearScanned();

private:
    std::atomic<bool> online_{false};
    std::array<int, kMaxControllers> ids_{};
    int count_ = 0;
};

} // namespace tavimo::link
