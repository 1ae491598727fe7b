#include "link/active_list.h"

namespace tavimo::link {

int ActiveControllers::activeCount() const
{
    if (!online_) return kMaxControllers;
    return (count_ >= 0 && count_ <= kMaxControllers) ? count_ : 0;
}

int ActiveControllers::activeId(int i) const
{
    if (!online_) return (i >= 0 && i < kMaxControllers) ? i : 0;
    if (count_ > 0 && count_ <= kMaxControllers && i >= 0 && i < count_) return ids_[static_cast<std::size_t>(i)];
    return 0;
}

bool ActiveControllers::isActive(int id) const
{
    if (id < 0 || id >= kMaxControllers) return false;
    if (!online_) return true;
    for (int i = 0; i < activeCount(); ++i)
        if (ids_[static_cast<std::size_t>(i)] == id) return true;
    return false;
}

void ActiveControllers::setScanned(const std::array<int, kMaxControllers>& ids, int count)
{
    ids_ = ids;
    count_ = count;
}

void ActiveControllers::clearScanned()
{
    ids_.fill(-1);
    count_ = 0;
}

} // namespace tavimo::link
