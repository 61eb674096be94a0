#include "PreparedStatements.h"

#include <algorithm>

namespace platform {

PreparedStatement* PreparedStatements::find(const StatementKey& key)
{
    const auto kept = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) { return k.key == key; });
    return kept == kept_.end() ? nullptr : &kept->statement;
}

bool PreparedStatements::noteRun(const StatementKey& key)
{
    const auto seen = std::find(ranOnce_.begin(), ranOnce_.end(), key);
    if (seen != ranOnce_.end())
        return true;
    if (ranOnce_.size() == kRemembered)
        ranOnce_.erase(ranOnce_.begin());
    ranOnce_.push_back(key);
    return false;
}

PreparedStatement& PreparedStatements::keep(const StatementKey& key, OdbcHandle statement, std::size_t parameters)
{
    std::erase(ranOnce_, key);
    if (kept_.size() == kKept)
        kept_.erase(kept_.begin());
    Kept& kept = kept_.emplace_back(Kept{key, {std::move(statement), {}, {}}});
    kept.statement.buffers.resize(parameters);
    return kept.statement;
}

void PreparedStatements::drop(const StatementKey& key) noexcept
{
    std::erase_if(kept_, [&](const Kept& k) { return k.key == key; });
}

void PreparedStatements::clear() noexcept
{
    kept_.clear();
    ranOnce_.clear();
}

}  // namespace platform
