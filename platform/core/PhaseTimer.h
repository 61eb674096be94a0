#pragma once

#include <QtGlobal>

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>

// Steady-clock time accumulated per phase of a document run, so that a
// benchmark can split a run without a profiler. A measured call costs two
// clock reads and one add; nothing else happens unless the totals are read.
namespace platform::phase_timer {

// Everything a run spends outside these phases is the workbook model and the window.
enum class Phase : std::size_t { Database, Export };

inline constexpr std::size_t kPhaseCount = 2;

namespace detail {
inline std::array<std::atomic<qint64>, kPhaseCount> totalNanoseconds{};
}  // namespace detail

// Adds the time of its own lifetime to its phase; do not nest two of one phase.
class Scope {
public:
    explicit Scope(Phase phase) noexcept : phase_(phase), start_(std::chrono::steady_clock::now()) {}
    ~Scope()
    {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        detail::totalNanoseconds[static_cast<std::size_t>(phase_)].fetch_add(
            std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count(), std::memory_order_relaxed);
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    Phase phase_;
    std::chrono::steady_clock::time_point start_;
};

inline std::chrono::nanoseconds total(Phase phase) noexcept
{
    return std::chrono::nanoseconds(
        detail::totalNanoseconds[static_cast<std::size_t>(phase)].load(std::memory_order_relaxed));
}

inline void reset() noexcept
{
    for (auto& nanoseconds : detail::totalNanoseconds)
        nanoseconds.store(0, std::memory_order_relaxed);
}

}  // namespace platform::phase_timer
